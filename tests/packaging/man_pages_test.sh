#!/usr/bin/env bash
# The manual pages render without a warning from man or groff, and each names every
# option that its program's --help prints (the programs are asked without a display).
#   man_pages_test.sh MAN_DIR PROGRAM...
set -euo pipefail
man_dir=$1
shift

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export MANWIDTH=80 MAN_KEEP_FORMATTING=
unset MANPAGER PAGER

for program in "$@"; do
  name=$(basename "$program")
  page="$man_dir/$name.1.gz"
  [[ -f $page ]] || fail "no manual page $page"
  # As lintian checks pages: every groff warning on, in UTF-8, output thrown away.
  LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" >/dev/null 2>"$work/warnings"
  if [[ -s $work/warnings ]]; then
    cat "$work/warnings" >&2
    fail "$name.1 renders with warnings"
  fi
  LC_ALL=C.UTF-8 man -l "$page" 2>/dev/null | col -b >"$work/$name.txt"
  grep -q "^NAME" "$work/$name.txt" || fail "$name.1 renders without a NAME section"

  env -u DISPLAY -u WAYLAND_DISPLAY ASAN_OPTIONS=detect_leaks=0 "$program" --help >"$work/$name.help" \
    || fail "$name --help failed"
  # Option lines are the indented ones that start with a dash; each of their names counts.
  options=$(grep -E '^ +-' "$work/$name.help" | grep -oE '(^|[ ,])--?[A-Za-z][A-Za-z0-9-]*' \
    | tr -d ' ,' | sort -u)
  [[ -n $options ]] || fail "$name --help names no option"
  missing=()
  for option in $options; do
    grep -qF -- "$option" "$work/$name.txt" || missing+=("$option")
  done
  (( ${#missing[@]} == 0 )) || fail "$name.1 does not name ${missing[*]}"
  echo "$name.1: renders cleanly, names all $(wc -w <<<"$options") options of --help"
done
