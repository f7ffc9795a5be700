#!/usr/bin/env bash
# Measures vorlexi against the bare Qt program (a QMainWindow holding a QPlainTextEdit)
# on the same virtual display: the time from start to the first painted window, with no
# file and with a 20 MiB text file named on the command line, and the resident memory of
# the idle program after start-up, empty and holding that file. Prints medians and the
# ratios vorlexi / bare.
#   bench/gui/measure-startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "${1:-$root/build}" && pwd)
runs=${2:-9}
if [[ -z "${VORLEXI_INSIDE_XVFB:-}" ]]; then
  export VORLEXI_INSIDE_XVFB=1
  exec "$root/scripts/with-xvfb.sh" "$0" "$build_dir" "$runs"
fi

vorlexi="$build_dir/app/vorlexi"
bare="$build_dir/bench/gui/bare_qt_editor"
probe="$build_dir/bench/gui/first_paint_probe.so"
for program in "$vorlexi" "$bare" "$probe"; do
  [[ -e "$program" ]] || { echo "missing $program: build it first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# vorlexi keeps its settings (the recent-file list) here, not in the user's folder.
export XDG_CONFIG_HOME="$work/config"

# 20 MiB of report-like text with CR LF line breaks.
big="$work/big.txt"
head -c $((20 * 1024 * 1024)) \
  < <(yes $'b0 = 1.234567e-01   b1 = -2.345678e-01   b2 = 3.456789e-02   a1 = -1.8 a2 = 0.81\r') >"$big"

source "$root/bench/gui/startup_timing.sh"


# One untimed start of each warms the caches (fonts, libraries).
time_to_first_paint "$vorlexi" >/dev/null
time_to_first_paint "$bare" >/dev/null

start_vorlexi=$(median_ms "$vorlexi")
start_bare=$(median_ms "$bare")
open_vorlexi=$(median_ms "$vorlexi" "$big")
open_bare=$(median_ms "$bare" "$big")
rss_vorlexi=$(idle_rss_kib "$vorlexi")
rss_bare=$(idle_rss_kib "$bare")
rss_big_vorlexi=$(idle_rss_kib "$vorlexi" "$big")
rss_big_bare=$(idle_rss_kib "$bare" "$big")

printf '%-36s %12s %12s %8s\n' "median of $runs runs" vorlexi bare-Qt ratio
printf '%-36s %9s ms %9s ms %8s\n' "start to first painted window" "$start_vorlexi" "$start_bare" "$(ratio "$start_vorlexi" "$start_bare")"
printf '%-36s %9s ms %9s ms %8s\n' "start with a 20 MiB file to paint" "$open_vorlexi" "$open_bare" "$(ratio "$open_vorlexi" "$open_bare")"
printf '%-36s %8s KiB %8s KiB %8s\n' "idle resident memory (VmRSS)" "$rss_vorlexi" "$rss_bare" "$(ratio "$rss_vorlexi" "$rss_bare")"
printf '%-36s %8s KiB %8s KiB %8s\n' "  the same holding the 20 MiB file" "$rss_big_vorlexi" "$rss_big_bare" "$(ratio "$rss_big_vorlexi" "$rss_big_bare")"
