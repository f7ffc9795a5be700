#!/usr/bin/env bash
# The manual pages render without a warning from man or groff, and each names every
# option that its program's --help prints (the programs are asked without a display),
# and every option of each subcommand it lists in that subcommand's own section.
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
  option_names() {
    grep -E '^ +-' "$1" | grep -oE '(^|[ ,])--?[A-Za-z][A-Za-z0-9-]*' | tr -d ' ,' | sort -u
  }
  options=$(option_names "$work/$name.help")
  [[ -n $options ]] || fail "$name --help names no option"
  missing=()
  for option in $options; do
    grep -qF -- "$option" "$work/$name.txt" || missing+=("$option")
  done
  (( ${#missing[@]} == 0 )) || fail "$name.1 does not name ${missing[*]}"

  subcommands=$(sed -n '/^Subcommands:$/,/^$/p' "$work/$name.help" | sed -nE 's/^  ([a-z][a-z0-9-]*)  .*/\1/p')
  for subcommand in $subcommands; do
    ASAN_OPTIONS=detect_leaks=0 "$program" "$subcommand" --help >"$work/$subcommand.help" \
      || fail "$name $subcommand --help failed"
    title="COMMAND ${subcommand^^}"
    # The subcommand's section: from its heading to the next heading.
    awk -v title="$title" '$0 == title { inside = 1; next } /^[A-Z]/ { inside = 0 } inside' \
      "$work/$name.txt" >"$work/$subcommand.section"
    [[ -s $work/$subcommand.section ]] || fail "$name.1 has no section $title"
    missing=()
    for option in $(option_names "$work/$subcommand.help"); do
      grep -qF -- "$option" "$work/$subcommand.section" || missing+=("$option")
    done
    (( ${#missing[@]} == 0 )) || fail "$name.1's $title does not name ${missing[*]}"
  done
  echo "$name.1: renders cleanly, names all $(wc -w <<<"$options") options of --help" \
    "${subcommands:+and those of its subcommands (${subcommands//$'\n'/, })}"
done
