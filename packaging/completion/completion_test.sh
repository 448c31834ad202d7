#!/usr/bin/env bash
# The bash completion, sourced as bash-completion sources it, completes what `ql2cfg --help`
# names: every subcommand, every option, the family names after a subcommand that takes one, and
# only folders after --sim-folder. Whoever adds a subcommand or a family is told here to add it
# to the completion.
#   completion_test.sh PROGRAM COMPLETION_FILE
set -euo pipefail
source "$(dirname "$0")/../help_words.sh"
program=$1
completion=$2
name=$(basename "$program")
help=$("$program" --help)

source "$completion"
if ! registered=$(complete -p "$name" 2>&1); then
  echo "After sourcing $completion, 'complete -p $name' says: $registered"
  exit 1
fi
function=$(sed -nE 's/.* -F ([^ ]+) .*/\1/p' <<<"$registered")
echo "$registered"

# The candidates for the command line LINE with the cursor at its end, sorted, one a line, as
# the function registered leaves them for bash (LINE ends with a space to complete a new word).
candidates() {
  local line=$1
  local -a words
  read -ra words <<<"$line"
  [[ $line == *" " ]] && words+=("")
  (
    set +eu
    COMP_LINE=$line COMP_POINT=${#line} COMP_WORDS=("${words[@]}") COMP_CWORD=$((${#words[@]} - 1))
    "$function" "$name" "${words[-1]}" "${words[-2]}"
    printf '%s\n' "${COMPREPLY[@]}" | grep . | sort
  ) || true
}

failed=0
# expect LINE WANTED: the candidates for LINE are exactly WANTED (one a line, sorted).
expect() {
  local got
  got=$(candidates "$1")
  if [[ $got != "$2" ]]; then
    echo "'$1<TAB>' offers:"
    echo "${got:-(nothing)}" | sed 's/^/    /'
    echo "  but should offer:"
    echo "${2:-(nothing)}" | sed 's/^/    /'
    failed=1
  fi
}

subcommands=$(help_subcommands "$help" "$name")
options=$(help_options "$help")
families=$(help_families "$help")
family_subcommands=$(help_family_subcommands "$help" "$name")
if [[ -z $subcommands || -z $families || -z $family_subcommands ]]; then
  echo "No subcommands, families or subcommand taking a FAMILY found in $name --help:"
  echo "$help"
  exit 1
fi

expect "$name ins" "$(grep '^ins' <<<"$subcommands")"
expect "$name ins" "install"
expect "$name " "$subcommands"
expect "$name --sim-folder dir " "$subcommands"
# Before anything else every option is offered.
expect "$name -" "$options"
first_family=${families%%$'\n'*}
last_initial=${families##*$'\n'}
last_initial=${last_initial:0:1}
for subcommand in $subcommands; do
  if grep -qx "$subcommand" <<<"$family_subcommands"; then
    expect "$name $subcommand " "$families"
    expect "$name --sim-folder dir $subcommand $last_initial" \
      "$(grep "^$last_initial" <<<"$families")"
    expect "$name $subcommand $first_family " ""
    expect "$name $subcommand $first_family -" $'--dry-run\n--sim-folder'
  else
    expect "$name $subcommand " ""
  fi
done

# After --sim-folder, folders only (a file beside them is left out), wherever it stands.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/Flight Simulator 9" "$scratch/Fonts"
touch "$scratch/Flight notes.txt"
cd "$scratch"
expect "$name --sim-folder " $'Flight Simulator 9\nFonts'
expect "$name --sim-folder Fl" "Flight Simulator 9"
expect "$name status --sim-folder Fo" "Fonts"
expect "$name --sim-folder Fonts install $first_family -" "--dry-run"
if ((failed)); then
  echo "A subcommand, option or family the completion lacks goes into the lists at the top of"
  echo "$completion."
fi
exit $failed
