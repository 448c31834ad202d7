# Reads a program's --help text the way the packaging tests need it (sourced by them).
#   help_options TEXT                   every option it names (-h, --sim-folder), one a line
#   help_subcommands TEXT NAME          the subcommand each usage line of NAME starts with
#   help_family_subcommands TEXT NAME   those whose usage line goes on with FAMILY
#   help_families TEXT                  the names listed after "FAMILY:", split on "|"

help_options() {
  grep -oE -- '(^|[][ ,|])--?[a-zA-Z][a-zA-Z-]*' <<<"$1" | sed -E 's/^[][ ,|]//' | sort -u
}

# What follows the program's name on each usage line, the options in brackets left out:
# "usage: ql2cfg [--sim-folder DIR] install FAMILY [--dry-run]" gives "install FAMILY".
help_usage_words() {
  grep -E "(^|[ /])$2( |$)" <<<"$1" | sed -E "s/.*(^|[ /])$2( |$)//; s/\[[^]]*\]//g"
}

help_subcommands() {
  help_usage_words "$1" "$2" | awk '$1 ~ /^[a-z][a-z0-9-]*$/ { print $1 }' | sort -u
}

help_family_subcommands() {
  help_usage_words "$1" "$2" | awk '$1 ~ /^[a-z][a-z0-9-]*$/ && $2 == "FAMILY" { print $1 }' |
    sort -u
}

help_families() {
  grep -oE 'FAMILY: [a-z0-9 |]+' <<<"$1" | sed 's/^FAMILY: //' | tr '|' '\n' | tr -d ' ' |
    grep . | sort -u
}
