#!/usr/bin/env bash
# Measures vorlexi-designer against the bare Qt program on the same virtual display: the
# time from start to the first painted window (the goal: within 2 s) and the resident
# memory of the idle program. Prints medians and the ratios designer / bare.
#   bench/gui/measure-designer-startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "${1:-$root/build}" && pwd)
runs=${2:-9}
if [[ -z "${VORLEXI_INSIDE_XVFB:-}" ]]; then
  export VORLEXI_INSIDE_XVFB=1
  exec "$root/scripts/with-xvfb.sh" "$0" "$build_dir" "$runs"
fi

designer="$build_dir/designer/vorlexi-designer"
bare="$build_dir/bench/gui/bare_qt_editor"
probe="$build_dir/bench/gui/first_paint_probe.so"
for program in "$designer" "$bare" "$probe"; do
  [[ -e "$program" ]] || { echo "missing $program: build it first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The designer keeps its settings here, not in the user's folder.
export XDG_CONFIG_HOME="$work/config"
source "$root/bench/gui/startup_timing.sh"

# One untimed start of each warms the caches (fonts, libraries).
time_to_first_paint "$designer" >/dev/null
time_to_first_paint "$bare" >/dev/null

start_designer=$(median_ms "$designer")
start_bare=$(median_ms "$bare")
rss_designer=$(idle_rss_kib "$designer")
rss_bare=$(idle_rss_kib "$bare")

printf '%-36s %12s %12s %8s\n' "median of $runs runs" designer bare-Qt ratio
printf '%-36s %9s ms %9s ms %8s\n' "start to first painted window" "$start_designer" "$start_bare" "$(ratio "$start_designer" "$start_bare")"
printf '%-36s %8s KiB %8s KiB %8s\n' "idle resident memory (VmRSS)" "$rss_designer" "$rss_bare" "$(ratio "$rss_designer" "$rss_bare")"
