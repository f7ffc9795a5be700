#!/usr/bin/env bash
# Times `vorlexi-calc apply` on two 10-minute stereo 96 kHz 32-bit float WAVs: as one
# batch with --jobs 2 against the two run one after the other (--jobs 1), and checks
# that the batch writes the same bytes. The goal on a 2-core machine: the batch in at
# most 0.6 times the sequential wall time.
#   bench/apply_batch.sh [BUILD_DIR] [FOLDER] [RUNS]
# FOLDER holds the files (about 1.9 GB); the default is /dev/shm where it exists, so that
# the figures are those of a warm page cache rather than of the disk. Each figure is the
# fastest of RUNS runs (default 3).
set -euo pipefail

build=${1:-build}
folder=${2:-}
runs=${3:-3}
calc="$build/cli/vorlexi-calc"
[[ -x "$calc" ]] || { echo "missing $calc: build the vorlexi-calc target" >&2; exit 2; }
command -v sox >/dev/null || { echo "sox is missing (scripts/install-deps.sh --test)" >&2; exit 2; }
if [[ -z "$folder" ]]; then
  if [[ -d /dev/shm && -w /dev/shm ]]; then folder=/dev/shm; else folder=${TMPDIR:-/tmp}; fi
fi
work=$(mktemp -d "$folder/vorlexi-batch-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/one" "$work/two"

sox -n -r 96000 -c 2 -b 32 -e floating-point "$work/a.wav" synth 600 pinknoise vol 0.3
sox -n -r 96000 -c 2 -b 32 -e floating-point "$work/b.wav" synth 600 pinknoise vol 0.3

# The fastest wall-clock time of the command over the runs, in seconds.
fastest() {
  local best="" start end elapsed
  for ((i = 0; i < runs; i++)); do
    rm -f "$work"/one/* "$work"/two/*
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    elapsed=$((end - start))
    if [[ -z "$best" || $elapsed -lt $best ]]; then best=$elapsed; fi
  done
  awk -v ns="$best" 'BEGIN { printf "%.3f", ns / 1e9 }'
}

t_sequential=$(fastest "$calc" apply --quiet --jobs 1 --output-dir "$work/one" "$work/a.wav" "$work/b.wav")
t_batch=$(fastest "$calc" apply --quiet --jobs 2 --output-dir "$work/two" "$work/a.wav" "$work/b.wav")
# The last runs' files are still there: the batch must have written the same bytes.
"$calc" apply --quiet --jobs 1 --output-dir "$work/one" "$work/a.wav" "$work/b.wav" 2>/dev/null
same=yes
for name in a.wav b.wav; do cmp -s "$work/one/$name" "$work/two/$name" || same=no; done

# The processor time of one batch: above the wall time only where both cores were free.
cpu=$( { /usr/bin/time -f "%U %S" "$calc" apply --quiet --jobs 2 --output-dir "$work/two" \
         "$work/a.wav" "$work/b.wav" 2>&1 >/dev/null; } | tail -n 1 | awk '{ printf "%.3f", $1 + $2 }')
load=$(cut -d' ' -f1 /proc/loadavg)

ratio=$(awk -v a="$t_batch" -v b="$t_sequential" 'BEGIN { printf "%.2f", a / b }')
verdict=$(awk -v r="$ratio" 'BEGIN { print (r <= 0.6 ? "met" : "missed") }')
echo "apply on two 10-minute 96 kHz stereo float WAVs, $(nproc) cores, fastest of $runs runs"
echo "  one after the other (--jobs 1): $t_sequential s"
echo "  one batch (--jobs 2):           $t_batch s"
echo "  batch / sequential:             $ratio (goal at most 0.60: $verdict)"
echo "  same bytes as the single runs:  $same"
echo "  processor time of one batch:    $cpu s (load average $load when done)"
