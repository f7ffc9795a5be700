#!/usr/bin/env bash
# The preamp test checked on a preamp whose response is known: `vorlexi-calc signal
# --inverse` played through an exact playback chain (SoX running vorlexi's own SoX line
# of the playback design at --tolerance 0.0001), then `vorlexi-calc measure`. Goal: a
# largest deviation of at most 0.05 dB. The same chain with SoX's `treble +1 5000`
# added, a preamp 1 dB bright in the treble, must show between 0.5 and 1.5 dB.
# Also the flat case: the plain sweep measured against no curve. At 44.1, 48, 96 kHz.
#   bench/preamp_sweep_test.sh [BUILD_DIR]
set -euo pipefail

build=${1:-build}
calc="$build/cli/vorlexi-calc"
[[ -x "$calc" ]] || { echo "missing $calc: build the vorlexi-calc target" >&2; exit 2; }
command -v sox >/dev/null || { echo "sox is missing (scripts/install-deps.sh --test)" >&2; exit 2; }
work=$(mktemp -d "${TMPDIR:-/tmp}/vorlexi-preamp-XXXXXX")
trap 'rm -rf "$work"' EXIT

# max_deviation_db and max_deviation_hz of a measurement's JSON, as "DB HZ".
deviation() {
  "$calc" measure "$@" --json |
    awk -F': ' '/"max_deviation_db"/ { gsub(/,/, "", $2); db = $2 }
                /"max_deviation_hz"/ { gsub(/,/, "", $2); hz = $2 }
                END { printf "%.5f %.0f\n", db, hz }'
}

verdict() {  # DB LOW HIGH: whether |DB| lies within [LOW, HIGH]
  awk -v d="$1" -v lo="$2" -v hi="$3" \
    'BEGIN { d = d < 0 ? -d : d; print (d >= lo && d <= hi) ? "ok" : "MISSED" }'
}

status=0
printf '%-8s %-34s %12s %10s %8s %7s\n' rate case "deviation dB" "at Hz" goal verdict
for rate in 44100 48000 96000; do
  sweep="$work/sweep-$rate.wav"
  flat="$work/flat-$rate.wav"
  "$calc" signal -q -s "$rate" --inverse -o "$sweep"
  "$calc" signal -q -s "$rate" -o "$flat"
  # shellcheck disable=SC2046 # the exported line is a list of SoX effects
  playback=$("$calc" -s "$rate" --tolerance 0.0001 --format=sox)
  # shellcheck disable=SC2086
  sox "$sweep" "$work/exact.wav" $playback
  # shellcheck disable=SC2086
  sox "$sweep" "$work/bright.wav" $playback treble +1 5000

  for case in exact bright flat; do
    case $case in
      exact) read -r db hz < <(deviation "$work/exact.wav" --reference "$sweep")
             label="inverse sweep, playback chain"; lo=0; hi=0.05 ;;
      bright) read -r db hz < <(deviation "$work/bright.wav" --reference "$sweep")
              label="the same, treble +1 5000"; lo=0.5; hi=1.5 ;;
      flat) read -r db hz < <(deviation "$flat" --reference "$flat" --flat)
            label="plain sweep, nothing, --flat"; lo=0; hi=0.05 ;;
    esac
    result=$(verdict "$db" "$lo" "$hi")
    [[ $result == ok ]] || status=1
    printf '%-8s %-34s %12s %10s %8s %7s\n' "$rate" "$label" "$db" "$hz" "$lo..$hi" "$result"
  done
done
exit "$status"
