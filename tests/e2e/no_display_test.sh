#!/usr/bin/env bash
# vorlexi started where there is no display: one line that says what it needs and where
# the command line is, and status 1, instead of Qt's abort. A platform that is named
# (the offscreen one of the tests) still starts the window.
#   no_display_test.sh VORLEXI
set -euo pipefail
vorlexi=$1
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
without_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$work")

status=0
"${without_display[@]}" "$vorlexi" >"$work/out" 2>"$work/err" || status=$?
((status == 1)) || fail "without a display vorlexi ended with status $status: $(cat "$work/err")"
[[ ! -s $work/out ]] || fail "it printed on standard output: $(cat "$work/out")"
(($(wc -l <"$work/err") == 1)) || fail "not one line on standard error: $(cat "$work/err")"
grep -q 'needs a display (X11 or Wayland)' "$work/err" || fail "no word of the display: $(cat "$work/err")"
grep -q 'vorlexi-calc' "$work/err" || fail "no pointer to vorlexi-calc: $(cat "$work/err")"

status=0
"${without_display[@]}" "$vorlexi" -p "$work/no such file.txt" 2>"$work/err" || status=$?
((status == 1)) && grep -q 'needs a display' "$work/err" || fail "-p without a display: status $status"

"${without_display[@]}" "$vorlexi" --version | grep -q '^vorlexi ' || fail "--version needs no display"
"${without_display[@]}" "$vorlexi" --help | grep -q '^Usage: vorlexi' || fail "--help needs no display"

for platform in "QT_QPA_PLATFORM=offscreen" "-platform offscreen"; do
  status=0
  if [[ $platform == -* ]]; then
    "${without_display[@]}" timeout 5 "$vorlexi" $platform 2>"$work/err" || status=$?
  else
    "${without_display[@]}" "$platform" timeout 5 "$vorlexi" 2>"$work/err" || status=$?
  fi
  ((status == 124)) || fail "with $platform the window did not stay up (status $status): $(cat "$work/err")"
done
echo "no display: one line and status 1; --version, --help and a named platform still work"
