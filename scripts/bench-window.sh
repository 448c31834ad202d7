#!/usr/bin/env bash
# The window's time from start to first paint, under a virtual X server; the median of several
# starts after one warm-up start. Budget: 300 ms.
#   scripts/bench-window.sh BINARY [SIM_FOLDER] [RUNS]
#
# What the window must do for it: started with QL2_EXIT_AFTER_PAINT=1 in its environment (and
# --sim-folder SIM_FOLDER), at the end of its first paint of the main window it prints the line
#   first-paint-epoch-us N
# on standard output, N being the wall clock in microseconds since the Unix epoch, and quits with
# status 0. The script reads the same clock just before starting it, so the time counts loading the
# program and its libraries too. Without SIM_FOLDER a small tree (the ATR only) is made.
set -euo pipefail
budget_ms=300
binary=${1:-}
sim=${2:-}
runs=${3:-7}

if [ -z "$binary" ] || [ ! -x "$binary" ]; then
  echo "bench-window: no window program at '${binary}'; start to first paint not measured."
  exit 0
fi
binary=$(realpath "$binary")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "$sim" ]; then
  sim=$work/sim
  mkdir -p "$sim/QL" "$sim/Aircraft/Flight 1 ATR-72-500/panel"
  printf '[Options]\r\nFirst Time=0\r\n[ATR]\r\nInstalled=0\r\n' >"$sim/QL/qlever2.con"
  : >"$sim/QL/uninst.swi"
  printf '[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\n[Window01]\r\n[Fixed Window38]\r\n[Fixed Window39]\r\n' \
    >"$sim/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg"
fi

# One X server for every start, so that its own start is not counted.
cat >"$work/starts.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
binary=$1 sim=$2 runs=$3
for ((i = 0; i <= runs; i++)); do
  start=${EPOCHREALTIME/[.,]/}
  out=$(QL2_EXIT_AFTER_PAINT=1 timeout 30 "$binary" --sim-folder "$sim") || {
    echo "bench-window: $binary failed or did not quit after its first paint" >&2
    exit 1
  }
  paint=$(sed -n 's/^first-paint-epoch-us \([0-9]*\)$/\1/p' <<<"$out")
  if [ -z "$paint" ]; then
    echo "bench-window: $binary printed no first-paint-epoch-us line" >&2
    exit 1
  fi
  if ((i > 0)); then echo $(((paint - start) / 1000)); fi  # the first start warms the caches
done
INNER
chmod +x "$work/starts.sh"
times=$(xvfb-run -a -s "-screen 0 1280x1024x24" "$work/starts.sh" "$binary" "$sim" "$runs")
median=$(sort -n <<<"$times" | awk '{ t[NR] = $1 } END { print (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2 }')
echo "window start to first paint: ${median} ms (median of $runs; each: $(tr '\n' ' ' <<<"$times"))"
if ((${median%.*} < budget_ms)); then
  echo "budget: window painted within $budget_ms ms: yes"
else
  echo "budget: window painted within $budget_ms ms: NO"
fi
