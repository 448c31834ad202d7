#!/usr/bin/env bash
# The same changes made by the Linux ql2cfg and by ql2cfg.exe under Wine, each on its own copy of
# the demo simulator, must leave byte-identical trees: every family installed one after the other,
# then every family removed. The programs' answers (output and exit status) must agree too, and
# so must their dry runs.
#   scripts/compare-linux-windows.sh LINUX_QL2CFG WINDOWS_QL2CFG_EXE [WINE_PREFIX]
# WINE_PREFIX is where ql2cfg.exe runs (default: a fresh one in a temporary folder). Exits 1 on the
# first difference, showing it.
set -euo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 LINUX_QL2CFG WINDOWS_QL2CFG_EXE [WINE_PREFIX]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
linux_program=$(realpath "$1")
windows_program=$(realpath "$2")
families=(cheyenne atr pmdg pic)

work=$(mktemp -d "${TMPDIR:-/tmp}/compare-linux-windows.XXXXXX")
prefix=${3:-$work/wineprefix}
trap 'rm -rf "$work"' EXIT

sim_in() { echo "$1/drive_c/Program Files/Microsoft Games/Flight Simulator 9"; }
"$root/scripts/make-demo-prefix.sh" "$work/linux" >/dev/null
"$root/scripts/make-demo-prefix.sh" "$work/windows" >/dev/null
linux_sim=$(sim_in "$work/linux")
windows_sim=$(sim_in "$work/windows")
# Wine's drive Z: is the Linux root.
windows_sim_path="Z:$(printf '%s' "$windows_sim" | tr / '\\')"

differences=0
last_status=0
# Runs one command line with both programs and compares what they say; the console of Windows
# ends lines with CR LF. The Linux program's exit status is left in last_status.
both() {
  local linux_status=0 windows_status=0
  "$linux_program" --sim-folder "$linux_sim" "$@" >"$work/linux.out" 2>&1 || linux_status=$?
  "$root/scripts/wine-run" --prefix "$prefix" "$windows_program" --sim-folder "$windows_sim_path" \
    "$@" >"$work/windows.raw" 2>&1 || windows_status=$?
  tr -d '\r' <"$work/windows.raw" >"$work/windows.out"
  if [ "$linux_status" != "$windows_status" ]; then
    echo "ql2cfg $*: exit status $linux_status on Linux, $windows_status on Windows" >&2
    differences=1
  fi
  if ! diff -u --label Linux --label Windows "$work/linux.out" "$work/windows.out" >&2; then
    echo "ql2cfg $*: the programs answered differently" >&2
    differences=1
  fi
  last_status=$linux_status
}

# A change that failed on both systems alike would prove nothing.
succeeded() {
  if [ "$last_status" -ne 0 ]; then
    echo "ql2cfg $*: failed (exit status $last_status):" >&2
    cat "$work/linux.out" >&2
    exit 1
  fi
}

same_trees() {
  if ! diff -r "$linux_sim" "$windows_sim" >&2; then
    echo "after $1: the trees differ" >&2
    exit 1
  fi
  [ "$differences" -eq 0 ] || exit 1
  echo "same bytes after $1"
}

same_trees "writing the demo"
cp -a "$linux_sim" "$work/pristine"
both status
for family in "${families[@]}"; do
  both install "$family" --dry-run
  both install "$family"
  succeeded install "$family"
  same_trees "install $family"
done
if diff -rq "$work/pristine" "$linux_sim" >/dev/null; then
  echo "the installations changed nothing" >&2
  exit 1
fi
both status
for family in "${families[@]}"; do
  both remove "$family" --dry-run
  both remove "$family"
  succeeded remove "$family"
  same_trees "remove $family"
done
both status
same_trees "the last status"
echo "compare-linux-windows: the Linux and Windows programs made the same files"
