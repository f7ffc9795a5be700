#!/usr/bin/env bash
# Builds one libFuzzer target of tests/fuzz with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer, every finding fatal) and runs it for a bounded time
# from the seeds in tests/fuzz/corpus/NAME. Exits non-zero on any finding. Sources
# beyond core/*.cpp that the target needs follow, relative to the source folder.
#   scripts/run-fuzzer.sh NAME SECONDS OUTPUT_DIR [SOURCE...]
set -euo pipefail
name=$1
seconds=$2
out_dir=$3
shift 3
source_dir=$(cd "$(dirname "$0")/.." && pwd)
clang=${CLANGXX:-clang++}

if ! command -v "$clang" >/dev/null; then
  echo "run-fuzzer: $clang is missing; scripts/install-deps.sh --test installs it" >&2
  exit 1
fi

# What every target takes: the desktop program's calculation, from the entry's text to
# the report.
calculation_sources=(
  core/base/number_text.cpp core/base/eng_value.cpp core/base/json_writer.cpp
  core/curves/riaa_curve.cpp core/designs/riaa_design.cpp
  core/reports/coefficient_report.cpp core/reports/filter_calculation.cpp
)
extra_sources=()
for source in "$@"; do
  extra_sources+=("$source_dir/$source")
done

mkdir -p "$out_dir/$name-corpus" "$out_dir/$name-findings"
binary="$out_dir/${name}_fuzzer"
"$clang" -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I "$source_dir/core" \
  "$source_dir/tests/fuzz/${name}_fuzzer.cpp" \
  "${calculation_sources[@]/#/$source_dir/}" "${extra_sources[@]}" \
  -o "$binary"

# New inputs go to the scratch corpus in the build folder; the seeds stay untouched.
"$binary" -max_total_time="$seconds" -max_len=128 -print_final_stats=1 \
  -artifact_prefix="$out_dir/$name-findings/" \
  "$out_dir/$name-corpus" "$source_dir/tests/fuzz/corpus/$name"
