#!/usr/bin/env bash
# Times whole runs of vorlexi-calc (output discarded) side by side with runs of a
# minimal C program that prints one line, and prints the ratios: how much a run costs
# beyond starting a process. CPU time (user + system) is given beside wall-clock time
# because it stays meaningful on a busy machine.
#   bench/cli_vs_c_startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build_dir=${1:-build}
runs=${2:-200}
calc="$build_dir/cli/vorlexi-calc"
[[ -x "$calc" ]] || { echo "no $calc; build first" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
printf '#include <stdio.h>\nint main(void) { puts("hello"); return 0; }\n' > "$scratch/minimal.c"
cc -O2 -o "$scratch/minimal" "$scratch/minimal.c"

# "wall user system" in seconds for `runs` runs of the command, after a warm-up.
time_runs() {
  for _ in 1 2 3 4 5; do "$@" > /dev/null; done
  local TIMEFORMAT='%R %U %S'
  { time (for ((i = 0; i < runs; i++)); do "$@" > /dev/null; done); } 2>&1
}

report() {
  local label=$1 timing=$2 reference=$3
  awk -v label="$label" -v n="$runs" -v t="$timing" -v r="$reference" 'BEGIN {
    split(t, a, " "); split(r, b, " ")
    wall = a[1]; cpu = a[2] + a[3]; refWall = b[1]; refCpu = b[2] + b[3]
    printf "%-28s %8.1f us wall %8.1f us CPU per run", label, wall / n * 1e6, cpu / n * 1e6
    if (t != r) printf "   ratio to C: %.2f wall, %.2f CPU", wall / refWall, cpu / refCpu
    printf "\n"
  }'
}

c_timing=$(time_runs "$scratch/minimal")
calc_timing=$(time_runs "$calc")
json_timing=$(time_runs "$calc" --json --sample-freq 44.1k --extra-zero 20k)

echo "$runs runs each"
report "minimal C program" "$c_timing" "$c_timing"
report "vorlexi-calc" "$calc_timing" "$c_timing"
report "vorlexi-calc --json ..." "$json_timing" "$c_timing"
