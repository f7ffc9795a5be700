#!/usr/bin/env bash
# Runs every shell line of the README's ```sh blocks as a reader would paste it, in a
# scratch folder with the input files the examples name (made here with sox), with
# vorlexi-calc on PATH and HOME in the scratch folder, so that the README cannot drift
# from the programs. A block that starts with "$ " is a transcript: its output must be
# what follows. Lines that need a display, root or a running PipeWire are skipped with
# the reason; every line that fails is listed.
#   readme_examples_test.sh README.md BUILD_DIR
set -uo pipefail
readme=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
build_dir=$(cd "$2" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/home"
ln -s "$build_dir/cli/vorlexi-calc" "$work/bin/vorlexi-calc"
ln -s "$build_dir" "$work/build"

# The inputs the examples name: a second of tone and noise, as a record's transfer is.
cd "$work" || exit 1
sox -n -r 44100 -c 2 -b 16 flat.wav synth 1 sine 1000 pinknoise vol 0.1 remix 1 2 || exit 1
sox -n -r 44100 -c 2 -b 16 in.wav synth 1 sine 1000 vol 0.1 || exit 1
sox -n -r 48000 -c 1 -b 16 78rpm.wav synth 1 pinknoise vol 0.1 || exit 1
cp 78rpm.wav 78.wav
sox flat.wav flat.flac && sox flat.wav side-a.flac && sox flat.wav -r 48000 side-b.flac || exit 1
printf 'report\r\n' >report.txt

# What a reader does by hand between two lines, done here: a comment that asks for a
# recording of the test signal through a preamp gets one through a flawless RIAA preamp.
stand_in() {
  case $1 in
    "# play sweep.wav into the preamp's input, record its output"*" as out.wav"*)
      echo "stand-in: sweep.wav through vorlexi's own playback EQ as out.wav"
      (cd "$work" && PATH="$work/bin:$PATH" vorlexi-calc apply -q sweep.wav -o out.wav \
        --method=minimax --sections 2 --bits 32f </dev/null) ||
        failed+=("the preamp stand-in for: $1") ;;
  esac
}

# Why a line is not run here, or nothing when it is.
skip_reason() {
  case $1 in
    make\ run* | make\ test*)
      echo "builds and runs the whole suite, of which this test is a part" ;;
    sudo\ * | *" apt install "*)
      echo "needs root" ;;
    systemctl\ --user* | pw-cli\ *)
      echo "needs a running PipeWire" ;;
    build/app/vorlexi\ --version* | build/app/vorlexi\ --help*)
      [[ -x $build_dir/app/vorlexi ]] || echo "the desktop program is not built" ;;
    build/app/vorlexi*)
      echo "opens the desktop program's window: needs a display (tests/e2e drive it)" ;;
    build/designer/vorlexi-designer\ --version* | build/designer/vorlexi-designer\ --help*)
      [[ -x $build_dir/designer/vorlexi-designer ]] || echo "the designer window is not built" ;;
    build/designer/vorlexi-designer*)
      echo "opens the designer window: needs a display (tests/e2e drive it)" ;;
  esac
}

run=0
skipped=0
failed=()
transcript_command=""
transcript_output=""

check_transcript() {
  [[ -n $transcript_command ]] || return
  run=$((run + 1))
  echo "run: $transcript_command (against the README's output)"
  local got
  got=$(cd "$work" && HOME="$work/home" PATH="$work/bin:$PATH" bash -c "$transcript_command" 2>&1 </dev/null)
  if [[ $got != "$transcript_output" ]]; then
    failed+=("$transcript_command (output differs from the README's)")
    diff <(echo "$transcript_output") <(echo "$got") | head -10 >&2
  fi
  transcript_command=""
  transcript_output=""
}

run_line() {
  local line=$1 reason
  reason=$(skip_reason "$line")
  if [[ -n $reason ]]; then
    echo "skipped: $line  ($reason)"
    skipped=$((skipped + 1))
    return
  fi
  run=$((run + 1))
  echo "run: $line"
  if ! (cd "$work" && HOME="$work/home" PATH="$work/bin:$PATH" \
        timeout 120 bash -c "$line" </dev/null >"$work/.out" 2>"$work/.err"); then
    failed+=("$line: $(tail -c 300 "$work/.err" | tr "\n" " ")")
  fi
}

in_block=false
transcript=false
pending=""
while IFS= read -r line || [[ -n $line ]]; do
  if ! $in_block; then
    [[ $line == '```sh' ]] && in_block=true && transcript=false
    continue
  fi
  if [[ $line == '```' ]]; then
    check_transcript
    in_block=false
    continue
  fi
  if [[ $line == '$ '* ]]; then
    check_transcript
    transcript=true
    transcript_command=${line#'$ '}
    continue
  fi
  if $transcript; then
    transcript_output+="${transcript_output:+$'\n'}$line"
    continue
  fi
  # A line ending in a backslash goes on in the next.
  if [[ $line == *\\ ]]; then
    pending+="${line%\\} "
    continue
  fi
  line="$pending$line"
  pending=""
  if [[ $line == '#'* ]]; then
    stand_in "$line"
  elif [[ -n ${line// /} ]]; then
    run_line "$line"
  fi
done <"$readme"

echo "README examples: $run run, $skipped skipped, ${#failed[@]} failed"
if ((${#failed[@]} > 0)); then
  printf 'FAIL: %s\n' "${failed[@]}" >&2
  exit 1
fi
