#!/usr/bin/env bash
# A program's manual page (its scdoc source) and its --help name the same things: the same
# options, the same subcommands (the page's COMMANDS) and the same family names (its FAMILIES).
# Whoever adds one to the program is told here to add it to the page, and the other way round.
#   page_matches_help_test.sh PROGRAM PAGE.scd
set -euo pipefail
source "$(dirname "$0")/../help_words.sh"
program=$1
page=$2
name=$(basename "$program")
help=$("$program" --help)

# Every option the page sets in bold: "*--sim-folder* _DIR_", "*-h*, *--help*".
page_options() {
  grep -oE '\*--?[a-zA-Z][a-zA-Z-]*\*' "$page" | tr -d '*' | sort -u
}

# The bold word that starts each entry of the page's section SECTION: "*install* _FAMILY_".
page_entries() {
  awk -v section="# $1" '/^# / { inside = ($0 == section) } inside' "$page" |
    sed -nE 's/^\*([^*]+)\*.*/\1/p' | sort -u
}

failed=0
# compare WHAT HELP_WORDS PAGE_WORDS: one line for each word only one of them has.
compare() {
  local word
  for word in $(comm -23 <(echo "$2") <(echo "$3")); do
    echo "$name --help names the $1 '$word', but the manual page $page does not"
    failed=1
  done
  for word in $(comm -13 <(echo "$2") <(echo "$3")); do
    echo "The manual page $page names the $1 '$word', but $name --help does not"
    failed=1
  done
}

options=$(help_options "$help")
if ! grep -qx -- --help <<<"$options"; then
  echo "No --help option found in $name --help; the text reads:"
  echo "$help"
  exit 1
fi
compare option "$options" "$(page_options)"
compare subcommand "$(help_subcommands "$help" "$name")" "$(page_entries COMMANDS)"
compare family "$(help_families "$help")" "$(page_entries FAMILIES)"
if ((failed)); then
  echo "A subcommand goes under COMMANDS in the page as '*name* _ARGUMENTS_', an option under"
  echo "OPTIONS as '*--name*', a family under FAMILIES as '*name*'."
fi
exit $failed
