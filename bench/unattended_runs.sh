#!/usr/bin/env bash
# Times Cylvane's unattended calculation as Cylvane meets it: 50 runs of
# "stagewell /E /M", each a whole process, against a program folder seeded
# once beforehand. Prints the CPU and wall time per run and the largest
# resident memory of a run (with GNU time installed).
#
#   bench/unattended_runs.sh [PROGRAM [RUNS]]     default: build/stagewell 50
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/stagewell}")
runs=${2:-50}

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
printf '%s\r\n' "CV Engine Sim - 454 BBC" 454 29.92 60 20 0 2500 470 223.7 3000 490 279.9 3500 505 336.5 \
  4000 512 389.9 4500 505 432.7 5000 480 457.0 5500 445 466.0 6000 400 457.0 >"$home/ENGCURVE.ZKT"
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM STAGEWELL_HOME="$home" "$@" /E /M; }

# The first start fills the program folder; it is not counted.
run "$program" >/dev/null 2>&1 || { echo "the first run failed" >&2; exit 1; }

TIMEFORMAT='%R %U %S'
times=$( { time for ((i = 0; i < runs; i++)); do
  run "$program" >/dev/null 2>&1 || { echo "run $i failed" >&2; exit 1; }
done; } 2>&1)
read -r wall user sys <<<"$times"
awk -v n="$runs" -v w="$wall" -v u="$user" -v s="$sys" 'BEGIN {
  printf "%d unattended runs: %.2f ms CPU (%.2f user, %.2f system), %.2f ms wall per run\n",
         n, 1000 * (u + s) / n, 1000 * u / n, 1000 * s / n, 1000 * w / n }'
head -n 1 "$home/LapDtOut.txt" | tr -d '\r' | sed 's/^/ET of the last run: /'

if [ -x /usr/bin/time ]; then
  peak=0
  for ((i = 0; i < runs; i++)); do
    kb=$(run /usr/bin/time -f '%M' "$program" 2>&1 >/dev/null | tail -n 1)
    ((kb > peak)) && peak=$kb
  done
  echo "largest resident memory of a run: $((peak / 1024)).$(((peak % 1024) * 10 / 1024)) MiB"
fi
