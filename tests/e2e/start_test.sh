#!/usr/bin/env bash
# Starting vorlexi as a user does: with no argument, with a file to open, and with a
# file that does not exist.
#   start_test.sh VORLEXI no-argument|with-file|missing-file
set -euo pipefail
source "$(dirname "$0")/desktop_driver.sh"
vorlexi=$1 scenario=$2

work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
pid=
trap '[[ -n $pid ]] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT

case "$scenario" in
  no-argument)
    "$vorlexi" 2>"$work/stderr" &
    pid=$!
    main=$(wait_for_window ' - vorlexi$')
    [[ $(window_title "$main") == "Untitled - vorlexi" ]] || fail "title is '$(window_title "$main")'"
    ;;
  with-file)
    printf 'Line one\r\nLine two\r\n' >"$work/notes.txt"
    "$vorlexi" "$work/notes.txt" 2>"$work/stderr" &
    pid=$!
    main=$(wait_for_window ' - vorlexi$')
    [[ $(window_title "$main") == "notes.txt - vorlexi" ]] || fail "title is '$(window_title "$main")'"
    ;;
  missing-file)
    "$vorlexi" "$work/no such file.txt" 2>"$work/stderr" &
    pid=$!
    # The failure is reported in a message box; once the user acknowledges it the
    # program ends without ever showing its main window.
    box=$(wait_for_window '^vorlexi$')
    focus_window "$box"
    keys Return
    status=$(wait_for_exit "$pid")
    pid=
    [[ $status != 0 ]] || fail "a missing file ended with status 0"
    if xdotool search --onlyvisible --name 'vorlexi' >/dev/null 2>&1; then
      fail "a vorlexi window is still on the screen"
    fi
    echo "missing file: status $status, no window left"
    exit 0
    ;;
  *) fail "unknown scenario $scenario" ;;
esac

focus_window "$main"
choose_exit
status=$(wait_for_exit "$pid")
pid=
[[ $status == 0 ]] || fail "vorlexi ended with status $status"
if [[ $scenario == with-file ]]; then
  # Opening and quitting without an edit leaves the file alone.
  printf 'Line one\r\nLine two\r\n' | cmp - "$work/notes.txt" || fail "the opened file changed"
fi
echo "start ($scenario): title and exit as expected"
