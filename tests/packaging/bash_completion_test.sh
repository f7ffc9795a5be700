#!/usr/bin/env bash
# Bash completion of vorlexi-calc as a user meets it at the prompt: after "-" every option
# of --help and no other, after an option with a value list its values (also as
# --option=value), file names where a file is asked for, nothing after a number. The
# generator's subcommand handling is checked on a stand-in program whose help has one.
#   bash_completion_test.sh COMPLETION_FILE VORLEXI_CALC GENERATOR.cmake
set -euo pipefail
completion=$1 program=$2 generator=$3

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC1091
source /usr/share/bash-completion/bash_completion

# Prints the completions, sorted, for a command line whose last word is the one being
# completed; the words are given as bash splits them ("--format", "=", "so").
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_LINE=$1
  local i
  for ((i = 1; i < $#; ++i)); do
    [[ ${COMP_WORDS[i]} == = || ${COMP_WORDS[i - 1]} == = ]] || COMP_LINE+=" "
    COMP_LINE+=${COMP_WORDS[i]}
  done
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _vorlexi_calc vorlexi-calc "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  ((${#COMPREPLY[@]} == 0)) || printf '%s\n' "${COMPREPLY[@]}" | sort
}

expect() {
  local wanted=$1 got
  shift
  got=$(complete_words "$@")
  [[ $got == "$wanted" ]] || fail "'$*' completes to [${got//$'\n'/ }], not [${wanted//$'\n'/ }]"
}

lines() { tr ' ' '\n' <<<"$*" | grep -v '^$' | sort; }

# shellcheck disable=SC1090
source "$completion"
ASAN_OPTIONS=detect_leaks=0 "$program" --help >"$work/help"
options=$(grep -E '^ +-' "$work/help" | grep -oE '(^|[ ,])--?[A-Za-z][A-Za-z0-9-]*' | tr -d ' ,')
expect "$(lines "$options")" vorlexi-calc -
expect "$(lines "$(grep -oE -- '--[a-z-]+' <<<"$options")")" vorlexi-calc -s 48k --
expect "$(complete_words vorlexi-calc --json --)" vorlexi-calc --json --inverse --

# Each option line with the description lines below it, then its value list: after the
# type ("TYPE:{a,b}"), or opening the description and wrapped over its lines ("{a, b,").
value_lists=$(awk '/^  -/ { if (o) print o; o = $0; next }
                   /^        / { if (o) o = o " " $0; next }
                   { if (o) print o; o = "" }
                   END { if (o) print o }' "$work/help" |
  sed -nE 's/^  (-[^ ]*,)?(--[a-z-]+)( [^ {]+ +| [^ ]*:)\{([^}]*)\}.*/\2 {\4}/p')
[[ $value_lists == *--format* && $value_lists == *--method* && $value_lists == *--normalize* ]] \
  || fail "--help shows no value list for --format, --method or --normalize"
while read -r option list; do
  values=$(sed 's/.*{\(.*\)}/\1/' <<<"$list" | tr ',' ' ' | tr -s ' ')
  expect "$(lines "$values")" vorlexi-calc "$option" ''
  first=${values%% *}
  expect "$first" vorlexi-calc -s 44.1k "$option" = "${first:0:${#first}-1}"
done <<<"$value_lists"

expect "" vorlexi-calc --gain ''
expect "" vorlexi-calc --sample-freq ''
mkdir -p "$work/files/plots"
touch "$work/files/response.svg" "$work/files/notes.txt"
(cd "$work/files" && expect "$(lines plots response.svg)" vorlexi-calc --plot '') \
  || fail "--plot does not complete SVG files and folders"
echo "vorlexi-calc: $(wc -w <<<"$options") option names and $(wc -l <<<"$value_lists") value lists complete as --help prints them"

# A stand-in with a subcommand, in the form CLI11 prints it.
cat >"$work/stand-in" <<'STANDIN'
#!/bin/sh
if [ "$1" = apply ]; then
  cat <<'HELP'
Applies the design to an audio file.
Usage: stand-in apply [OPTIONS] IN OUT

Positionals:
  IN TEXT REQUIRED        Input file
  OUT TEXT REQUIRED       Output file

Options:
  -h,--help               Print this help message and exit
  --curve NAME:{riaa,iec} Playback curve
  --tolerance DB=0.1      Largest deviation
HELP
else
  cat <<'HELP'
Designs filters.
Usage: stand-in [OPTIONS] [SUBCOMMAND]

Options:
  -h,--help               Print this help message and exit
  --sections N            Number of sections
  --x-very-long-flag-name Exactly one space before its description

Subcommands:
  apply                   Apply the design to an audio file
HELP
fi
STANDIN
chmod +x "$work/stand-in"
cmake -DPROGRAM="$work/stand-in" -DOUTPUT="$work/stand-in.bash" -P "$generator" \
  || fail "the generator failed on a help with a subcommand"
# shellcheck disable=SC1091
source "$work/stand-in.bash"
expect "apply" vorlexi-calc ap
expect "$(lines -h --help --sections --x-very-long-flag-name)" vorlexi-calc -
expect "apply" vorlexi-calc --x-very-long-flag-name ''
expect "$(lines -h --help --curve --tolerance)" vorlexi-calc apply -
expect "$(lines iec riaa)" vorlexi-calc apply --curve ''
expect "" vorlexi-calc apply --tolerance ''
(cd "$work/files" && expect "notes.txt" vorlexi-calc apply no) || fail "apply does not complete files"
echo "subcommands: names, their own options and values, files for their positionals"
