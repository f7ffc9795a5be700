#!/usr/bin/env bash
# The LV2 plugin through lilv's own hosts, in one run:
#   - accuracy: lv2apply on impulses with the default controls at 44.1, 48, 96 and
#     192 kHz, the largest deviation from the RIAA playback curve over 20 Hz to
#     min(20 kHz, 0.46 fs) (goal: 0.001 dB) and the gain at 1 kHz (goal: 0 within
#     0.05 dB); Columbia LP at 48 kHz and the RIAA recording curve at 96 kHz too;
#   - lv2_validate's error count on the bundle (goal: 0);
#   - lv2bench's time for the stereo plugin with its defaults against Calf Emphasis,
#     both stereo, block 512, 4.8 M frames (goal: at most 0.5 times Calf's).
#   bench/lv2_plugin.sh [BUILD_DIR]     (default: build)
set -euo pipefail
build=$(realpath "${1:-build}")
bundle="$build/lv2-path/vorlexi.lv2"
impulse="$build/bench/lv2_impulse"
stereo=https://vorlexi.example.org/lv2/stereo
mono=https://vorlexi.example.org/lv2/mono
calf=http://calf.sourceforge.net/plugins/Emphasis
export LV2_PATH="$build/lv2-path:/usr/lib/lv2:/usr/local/lib/lv2"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

measure() {  # rate curve direction control...
  local rate=$1 curve=$2 direction=$3
  shift 3
  "$impulse" write "$rate" 1 "$scratch/in.wav"
  lv2apply -i "$scratch/in.wav" -o "$scratch/out.wav" "$@" "$mono" 2>/dev/null
  read -r deviation gain < <("$impulse" deviation "$scratch/out.wav" "$curve" "$direction")
  printf '%-26s %7s Hz   max deviation %.6f dB   gain at 1 kHz %+.6f dB\n' \
    "$curve $direction" "$rate" "$deviation" "$gain"
}

echo "Accuracy through lv2apply (default controls unless named):"
for rate in 44100 48000 96000 192000; do
  measure "$rate" riaa playback
done
measure 48000 columbia-lp playback -c curve 4
measure 96000 riaa recording -c direction 1

errors=$(lv2_validate "$bundle"/*.ttl 2>&1 | sed -n 's/^Found \([0-9]*\) errors.*/\1/p')
echo "lv2_validate: ${errors:-?} errors"

seconds() { lv2bench -b 512 -n 4800000 "$1" 2>/dev/null | awk -v uri="$1" '$2 == uri { print $1 }'; }
ours=$(seconds "$stereo")
theirs=$(seconds "$calf")
if [[ -n "$theirs" ]]; then
  awk -v a="$ours" -v b="$theirs" 'BEGIN {
    printf "lv2bench, stereo, block 512, 4.8 M frames: vorlexi %.3f s, Calf Emphasis %.3f s, ratio %.3f\n", a, b, a / b }'
else
  echo "lv2bench: vorlexi $ours s; Calf Emphasis not installed (calf-plugins)"
fi
