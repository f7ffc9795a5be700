#!/usr/bin/env bash
# The real vorlexi-designer on a virtual display, driven from the keyboard as a user
# would: the curve one down (riaa-iec, which has no gain at DC, so its gain applies at
# 1 kHz), the rate typed (44.1k), the SoX text chosen, then quit. What the window showed
# (printed on quit by --print-state) must be what vorlexi-calc prints for the same
# settings: the figures of --response and the SoX line.
#   designer_keyboard_test.sh DESIGNER CALC
set -euo pipefail
designer=$1 calc=$2
source "$(dirname "$0")/desktop_driver.sh"

work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
"$designer" --print-state >"$work/state" 2>"$work/stderr" &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT

main=$(wait_for_window '^vorlexi designer$')
focus_window "$main"
keys alt+u Down
keys alt+s ctrl+a
type_text 44.1k
keys alt+x Down
keys ctrl+q  # --print-state waits for the design of the last change
status=$(wait_for_exit "$pid")
[[ $status == 0 ]] || { cat "$work/stderr" >&2; fail "vorlexi-designer exited with $status"; }

grep -q '^riaa-iec playback, fs 44100 Hz, gain 1 at 1 kHz, matched, 2 sections$' "$work/state" \
  || { cat "$work/state" >&2; fail "the window did not design riaa-iec at 44.1 kHz"; }
"$calc" --curve=riaa-iec -s 44.1k --response >"$work/response"
for figure in 'Largest deviation from' 'Largest phase deviation' 'Gain at DC:' 'Gain at 1 kHz:'; do
  shown=$(grep -m1 "^$figure" "$work/state") || fail "the window showed no '$figure'"
  grep -qxF "$shown" "$work/response" || fail "the window showed '$shown', vorlexi-calc not"
done
"$calc" --curve=riaa-iec -s 44.1k --format=sox >"$work/sox"
grep -qxF "$(cat "$work/sox")" "$work/state" || fail "the window's SoX line is not vorlexi-calc's"
echo "riaa-iec at 44.1 kHz: figures and SoX line as vorlexi-calc prints them"
