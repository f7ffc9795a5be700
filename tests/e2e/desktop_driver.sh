# Shell functions that drive the real vorlexi binary the way a user would, through
# xdotool on the display that scripts/with-xvfb.sh provides. Sourced by the end-to-end
# tests and by scripts/take-screenshots.sh.
#
# Every wait is bounded: windows are awaited with `xdotool search --sync` under a
# timeout, processes by polling. The short pauses between key strokes only give Qt's
# pop-up menus time to open; nothing relies on them for correctness.

E2E_TIMEOUT=${E2E_TIMEOUT:-20}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Prints the id of the first visible window whose title matches the regular expression.
wait_for_window() {
  local pattern=$1 id
  id=$(timeout "$E2E_TIMEOUT" xdotool search --sync --onlyvisible --name "$pattern" 2>/dev/null | head -n1) \
    || true
  [[ -n "$id" ]] || fail "no window titled /$pattern/ appeared within ${E2E_TIMEOUT}s"
  echo "$id"
}

# Waits until no visible window's title matches the regular expression.
wait_for_window_gone() {
  local pattern=$1 deadline=$((SECONDS + E2E_TIMEOUT))
  while xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; do
    (( SECONDS < deadline )) || fail "window /$pattern/ still open after ${E2E_TIMEOUT}s"
    sleep 0.1
  done
}

window_title() {
  xdotool getwindowname "$1"
}

# There is no window manager on the virtual display, so focus is given directly.
focus_window() {
  xdotool windowfocus --sync "$1"
}

keys() {
  xdotool key --clearmodifiers --delay 120 "$@"
}

type_text() {
  xdotool type --clearmodifiers --delay 30 "$1"
}

# Opens a menu of the menu bar by keyboard: Alt with the File menu's mnemonic, then the
# arrow keys across to the wanted menu ("Actions" has no mnemonic of its own).
#   open_menu_by_position 3   # File=0, Edit=1, View=2, Actions=3, Help=4
open_menu_by_position() {
  local steps=$1 i
  keys alt+f
  for ((i = 0; i < steps; i++)); do
    keys Right
  done
}

# Actions > Calc Filter, the way a keyboard user reaches it.
choose_calc_filter() {
  open_menu_by_position 3
  keys Return
}

# File > Exit through its mnemonic.
choose_exit() {
  keys alt+f x
}

# Waits for a background process to end and prints its exit status.
wait_for_exit() {
  local pid=$1 deadline=$((SECONDS + E2E_TIMEOUT))
  while kill -0 "$pid" 2>/dev/null; do
    if (( SECONDS >= deadline )); then
      kill "$pid" 2>/dev/null || true
      fail "process $pid still running after ${E2E_TIMEOUT}s"
    fi
    sleep 0.1
  done
  local status=0
  wait "$pid" || status=$?
  echo "$status"
}
