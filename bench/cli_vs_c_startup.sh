#!/usr/bin/env bash
# Times whole runs of vorlexi-calc (default calculation, output discarded) side by side
# with runs of a minimal C program that prints one line, and prints the ratio: how
# much of a run is the tool's own work rather than starting a process.
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

# Nanoseconds for `runs` runs of the command, after a few warm-up runs.
time_runs() {
  for _ in 1 2 3 4 5; do "$@" > /dev/null; done
  local start end
  start=$(date +%s%N)
  for ((i = 0; i < runs; i++)); do "$@" > /dev/null; done
  end=$(date +%s%N)
  echo $((end - start))
}

c_ns=$(time_runs "$scratch/minimal")
calc_ns=$(time_runs "$calc")
json_ns=$(time_runs "$calc" --json --sample-freq 44.1k --extra-zero 20k)

per_run_us() { awk -v ns="$1" -v n="$runs" 'BEGIN { printf "%.1f", ns / n / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "runs per command:           $runs"
echo "minimal C program:          $(per_run_us "$c_ns") us per run"
echo "vorlexi-calc (defaults):    $(per_run_us "$calc_ns") us per run"
echo "vorlexi-calc --json ...:    $(per_run_us "$json_ns") us per run"
echo "ratio vorlexi-calc / C:     $(ratio "$calc_ns" "$c_ns")"
echo "ratio --json run / C:       $(ratio "$json_ns" "$c_ns")"
