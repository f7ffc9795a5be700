#!/usr/bin/env bash
# Takes the README's screenshots under a virtual display: the main window after a
# calculation (docs/main-window.png) and the parameter dialog (docs/parameter-dialog.png).
#   scripts/take-screenshots.sh [BUILD_DIR]
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
"$build_dir/app/vorlexi" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT

main=$(wait_for_window '^Untitled - vorlexi$')
xdotool windowsize --sync "$main" 760 720
focus_window "$main"

# The dialog as a user fills it in: 44.1 kHz, gain 2, no extra zero.
choose_calc_filter
dialog=$(wait_for_window '^Enter parameters$')
focus_window "$dialog"
keys Tab Tab ctrl+a
type_text 44.1k
keys Tab ctrl+a
type_text 2
keys Tab
import -window "$dialog" "$root/docs/parameter-dialog.png"
keys Return
wait_for_window_gone '^Enter parameters$'

focus_window "$main"
sleep 0.3  # let the new text paint
import -window "$main" "$root/docs/main-window.png"

choose_exit
wait_for_exit "$pid" >/dev/null
echo "wrote docs/main-window.png and docs/parameter-dialog.png"
