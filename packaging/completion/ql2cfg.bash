# bash completion for ql2cfg                                              -*- shell-script -*-
# Completes the subcommands, the options, the family names, and folders after --sim-folder.
# A new subcommand goes into the table at the top; the packaging tests compare the table with
# `ql2cfg --help`.

_ql2cfg() {
  # Each subcommand, and what follows it: "family" for a family name, nothing otherwise.
  local -A subcommands=([status]="" [install]=family [remove]=family [simulators]="")
  local families="cheyenne atr pmdg pic"

  local cur=${COMP_WORDS[COMP_CWORD]}
  COMPREPLY=()
  if ((COMP_CWORD > 1)) && [[ ${COMP_WORDS[COMP_CWORD - 1]} == --sim-folder ]]; then
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -d -- "$cur")
    return 0
  fi

  # What the words before the cursor already give: the subcommand, how many words follow it,
  # whether the folder is chosen.
  local subcommand="" after_subcommand=0 folder_given="" i
  for ((i = 1; i < COMP_CWORD; i++)); do
    case ${COMP_WORDS[i]} in
      --sim-folder)
        folder_given=1
        ((i++))
        ;;
      -*) ;;
      *)
        if [[ -z $subcommand ]]; then
          subcommand=${COMP_WORDS[i]}
        else
          ((after_subcommand++))
        fi
        ;;
    esac
  done
  local takes=""
  [[ -n $subcommand ]] && takes=${subcommands[$subcommand]-}

  local candidates=""
  if [[ $cur == -* ]]; then
    ((COMP_CWORD == 1)) && candidates="--help --version"
    [[ -z $folder_given ]] && candidates+=" --sim-folder"
    [[ -z $subcommand || $takes == family ]] && candidates+=" --dry-run"
  elif [[ -z $subcommand ]]; then
    candidates=${!subcommands[*]}
  elif [[ $takes == family ]] && ((after_subcommand == 0)); then
    candidates=$families
  fi
  mapfile -t COMPREPLY < <(compgen -W "$candidates" -- "$cur")
  return 0
}
complete -F _ql2cfg ql2cfg
