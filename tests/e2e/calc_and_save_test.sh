#!/usr/bin/env bash
# A user's whole errand: start vorlexi, run Actions > Calc Filter from the keyboard,
# enter the parameters, confirm with Enter, save with Ctrl+S under a typed file name and
# quit. The saved file must hold exactly the bytes vorlexi-calc --crlf prints for the
# same entries.
#   calc_and_save_test.sh VORLEXI VORLEXI_CALC defaults|custom
set -euo pipefail
source "$(dirname "$0")/desktop_driver.sh"
vorlexi=$1 calc=$2 scenario=$3

work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
"$vorlexi" 2>"$work/stderr" &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT

main=$(wait_for_window '^Untitled - vorlexi$')
focus_window "$main"
choose_calc_filter
dialog=$(wait_for_window '^Enter parameters$')
focus_window "$dialog"

case "$scenario" in
  defaults)
    # The dialog opens with the focus on OK: Enter takes the defaults.
    keys Return
    expected_options=()
    ;;
  custom)
    # Tab order: OK, Cancel, Sampling Frequency, Gain, Extra zero, Zero Frequency, Inverse.
    keys Tab Tab ctrl+a
    type_text 44.1k
    keys Tab ctrl+a
    type_text 2
    keys Tab space Tab ctrl+a
    type_text 50k
    keys Tab space
    # Enter anywhere in the dialog confirms it: OK is the default button.
    keys Return
    expected_options=(--sample-freq 44.1k --gain 2 --extra-zero=50k --inverse)
    ;;
  *) fail "unknown scenario $scenario" ;;
esac
wait_for_window_gone '^Enter parameters$'

# A calculation leaves the document unmodified, so the title stays as it was.
[[ $(window_title "$main") == "Untitled - vorlexi" ]] || fail "title changed to '$(window_title "$main")'"

focus_window "$main"
keys ctrl+s
save_dialog=$(wait_for_window '^Save')
focus_window "$save_dialog"
type_text "$work/report.txt"
keys Return
wait_for_window '^report.txt - vorlexi$' >/dev/null

focus_window "$main"
choose_exit
status=$(wait_for_exit "$pid")
[[ $status == 0 ]] || fail "vorlexi ended with status $status"

"$calc" "${expected_options[@]}" --crlf >"$work/expected.txt"
cmp "$work/expected.txt" "$work/report.txt" || fail "saved report differs from vorlexi-calc --crlf"
echo "calc and save ($scenario): saved $(wc -c <"$work/report.txt") bytes, identical to vorlexi-calc"
