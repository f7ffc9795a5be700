#!/usr/bin/env bash
# Times `vorlexi-calc apply` on a 10-minute stereo 96 kHz 32-bit float WAV against
# `sox in.wav out.wav riaa` and a plain dd copy (the I/O floor), a three-section cascade
# against the one-biquad run, and compares resident memory for a 1- and a 10-minute file.
#   bench/apply_vs_sox.sh [BUILD_DIR] [FOLDER] [RUNS]
# FOLDER holds the test files (about 1.5 GB); the default is /dev/shm where it exists,
# so that the figures are those of a warm page cache rather than of the disk. Each
# figure is the fastest of RUNS runs (default 5).
set -euo pipefail

build=${1:-build}
folder=${2:-}
runs=${3:-5}
calc="$build/cli/vorlexi-calc"
cascade="$build/bench/apply_cascade"
for tool in "$calc" "$cascade"; do
  [[ -x "$tool" ]] || { echo "missing $tool: build with -DVORLEXI_BUILD_BENCH=ON" >&2; exit 2; }
done
command -v sox >/dev/null || { echo "sox is missing (scripts/install-deps.sh --test)" >&2; exit 2; }
if [[ -z "$folder" ]]; then
  if [[ -d /dev/shm && -w /dev/shm ]]; then folder=/dev/shm; else folder=${TMPDIR:-/tmp}; fi
fi
work=$(mktemp -d "$folder/vorlexi-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

long="$work/long.wav"
short="$work/short.wav"
out="$work/out.wav"
sox -n -r 96000 -c 2 -b 32 -e floating-point "$long" synth 600 pinknoise vol 0.3
sox -n -r 96000 -c 2 -b 32 -e floating-point "$short" synth 60 pinknoise vol 0.3

# The fastest wall-clock time of the command over the runs, in seconds.
fastest() {
  local best="" start end elapsed
  for ((i = 0; i < runs; i++)); do
    cat "$long" >/dev/null
    rm -f "$out"
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    elapsed=$((end - start))
    if [[ -z "$best" || $elapsed -lt $best ]]; then best=$elapsed; fi
  done
  awk -v ns="$best" 'BEGIN { printf "%.3f", ns / 1e9 }'
}

peak_kib() {
  /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

t_dd=$(fastest dd if="$long" of="$out" bs=1M)
t_sox=$(fastest sox "$long" "$out" riaa)
t_apply=$(fastest "$calc" apply --quiet --method=minimax "$long" -o "$out")
t_one=$(fastest "$cascade" "$long" "$out" 1)
t_three=$(fastest "$cascade" "$long" "$out" 3)
rm -f "$out"
m_short=$(peak_kib "$calc" apply --quiet "$short" -o "$out")
rm -f "$out"
m_long=$(peak_kib "$calc" apply --quiet "$long" -o "$out")

echo "10-minute stereo 96 kHz float WAV in $folder, fastest of $runs runs"
echo "  dd bs=1M                        $t_dd s"
echo "  sox riaa                        $t_sox s"
echo "  vorlexi-calc apply (1 biquad)   $t_apply s"
echo "  cascade of 1 section            $t_one s"
echo "  cascade of 3 sections           $t_three s"
echo "ratios (goal)"
echo "  apply / sox                     $(ratio "$t_apply" "$t_sox")  (at most 0.5)"
echo "  apply / dd                      $(ratio "$t_apply" "$t_dd")  (at most 3)"
echo "  3 sections / 1 section          $(ratio "$t_three" "$t_one")  (at most 1.3)"
echo "resident memory"
echo "  1-minute file                   $((m_short / 1024)) MiB"
echo "  10-minute file                  $((m_long / 1024)) MiB"
echo "  difference                      $(((m_long - m_short) / 1024)) MiB  (at most 5)"
