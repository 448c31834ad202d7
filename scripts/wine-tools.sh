# Finding Wine's programs; sourced by the scripts that run Wine (POSIX sh).
# Debian's /usr/bin/wine is a launcher that wants the 32-bit Wine too, so the 64-bit programs are
# looked for first.

# Prints the first of the candidates that exists: an absolute path that is executable, or a name
# found on PATH. Fails when none does.
find_tool() {
  for candidate in "$@"; do
    case $candidate in
      /*) [ -x "$candidate" ] && { echo "$candidate"; return 0; } ;;
      *) command -v "$candidate" 2>/dev/null && return 0 ;;
    esac
  done
  return 1
}

find_wine() { find_tool "${QL2_WINE:-}" /usr/lib/wine/wine64 wine64 wine; }
find_wineserver() { find_tool /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver wineserver; }
