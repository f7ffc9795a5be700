#!/usr/bin/env bash
# Runs a command on a private virtual X display and takes the display down afterwards.
#   scripts/with-xvfb.sh COMMAND [ARGS...]
# Xvfb chooses a free display number itself (-displayfd), so several tests may run at
# once without racing for the same number. The command sees DISPLAY set to it; its exit
# status is this script's.
set -euo pipefail

if (( $# == 0 )); then
  echo "usage: $0 COMMAND [ARGS...]" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/vorlexi-xvfb.XXXXXX")
xvfb_pid=
cleanup() {
  if [[ -n "$xvfb_pid" ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!

# The display number arrives once the server accepts connections.
if ! read -r -t 20 display_number <"$work/display"; then
  echo "Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi

export DISPLAY=":$display_number"
# Sessions on a real desktop may carry Wayland or another platform choice along.
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
status=0
"$@" || status=$?
exit "$status"
