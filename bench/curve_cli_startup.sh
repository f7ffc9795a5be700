#!/usr/bin/env bash
# Times whole runs of vorlexi-calc that users of the named curves make: --list-curves, a
# matched design of a curve other than RIAA (report and export), and for comparison the
# default RIAA design and a two-section minimax cascade. The goal for the first two is
# under 5 ms of wall-clock time for the whole process. hyperfine measures when it is
# installed; otherwise a loop of runs under bash's time. Exit status 1 when a goal is missed.
#   bench/curve_cli_startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build_dir=${1:-build}
runs=${2:-200}
calc="$build_dir/cli/vorlexi-calc"
[[ -x "$calc" ]] || { echo "no $calc; build first" >&2; exit 1; }
goal_ms=5

labels=(
  "--list-curves"
  "matched columbia-lp, report"
  "matched tape-iec-3180-120us, sox"
  "matched riaa (default)"
  "minimax riaa, 2 sections"
)
commands=(
  "$calc --list-curves"
  "$calc -s 44.1k --curve columbia-lp"
  "$calc -s 48k --curve tape-iec-3180-120us --format=sox"
  "$calc -s 44.1k"
  "$calc -s 44.1k --sections 2"
)
goals=(yes yes yes no no)

# Mean wall-clock milliseconds of one run.
mean_ms() {
  if command -v hyperfine >/dev/null; then
    local json
    json=$(mktemp)
    hyperfine --shell=none --warmup 10 --runs "$runs" --export-json "$json" "$1" >/dev/null
    python3 -c 'import json, sys; print("%.3f" % (json.load(open(sys.argv[1]))["results"][0]["mean"] * 1e3))' "$json"
    rm -f "$json"
  else
    # shellcheck disable=SC2086
    for _ in 1 2 3 4 5; do $1 >/dev/null; done
    local TIMEFORMAT='%R'
    local seconds
    # shellcheck disable=SC2086
    seconds=$({ time (for ((i = 0; i < runs; i++)); do $1 >/dev/null; done); } 2>&1)
    awk -v s="$seconds" -v n="$runs" 'BEGIN { printf "%.3f\n", s / n * 1e3 }'
  fi
}

tool=$(command -v hyperfine >/dev/null && echo hyperfine || echo "bash time loop")
echo "$runs runs each ($tool), mean wall-clock time of the whole process"
printf '%-36s %10s  %s\n' "run" "ms" "goal < $goal_ms ms"
status=0
for i in "${!labels[@]}"; do
  ms=$(mean_ms "${commands[i]}")
  verdict="-"
  if [[ ${goals[i]} == yes ]]; then
    if awk -v m="$ms" -v g="$goal_ms" 'BEGIN { exit !(m < g) }'; then verdict=met; else verdict=MISSED; status=1; fi
  fi
  printf '%-36s %10s  %s\n' "${labels[i]}" "$ms" "$verdict"
done
exit $status
