#!/usr/bin/env bash
# Takes the README's picture of the designer window under a virtual display
# (docs/designer-window.png): a two-section minimax design at 44.1 kHz with its phase.
#   scripts/take-designer-screenshots.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:-$root/build}" && pwd)
if [[ -z "${VORLEXI_INSIDE_XVFB:-}" ]]; then
  export VORLEXI_INSIDE_XVFB=1
  exec "$root/scripts/with-xvfb.sh" "$0" "$build_dir"
fi
command -v import >/dev/null || { echo "import (imagemagick) is missing: scripts/install-deps.sh --test" >&2; exit 1; }
source "$root/tests/e2e/desktop_driver.sh"

work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/vorlexi"
# The settings a user would have chosen, written as QSettings keeps them.
cat >"$XDG_CONFIG_HOME/vorlexi/vorlexi-designer.conf" <<'CONF'
[design]
samplingFrequency=44100
method=1
size=1
sections=2
[view]
phase=true
program=1
CONF
"$build_dir/designer/vorlexi-designer" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT

main=$(wait_for_window '^vorlexi designer$')
xdotool windowsize --sync "$main" 1180 860
focus_window "$main"
sleep 1.5  # the design, then the plot's paint
import -window "$main" "$root/docs/designer-window.png"
keys ctrl+q
wait_for_exit "$pid" >/dev/null
echo "wrote docs/designer-window.png"
