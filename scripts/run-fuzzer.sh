#!/usr/bin/env bash
# Builds one libFuzzer target of tests/fuzz with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer, every finding fatal) and runs it for a bounded time
# from the seeds in tests/fuzz/corpus/NAME. Exits non-zero on any finding. The
# arguments after OUTPUT_DIR are compiler flags: the names of the libraries the fit
# opens at run time, as the build gives them to vorlexi_fit.
#   scripts/run-fuzzer.sh NAME SECONDS OUTPUT_DIR [FLAG...]
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

mkdir -p "$out_dir"
out_dir=$(cd "$out_dir" && pwd)

# The sources each target takes, compiled with the fuzzer's sanitizers: the number
# reader needs the base room alone; the calculation and the curve entry the rooms up to
# the designs (the desktop program's calculation designs through the one door) and the
# report.
cd "$source_dir"
if [[ $name == eng_value ]]; then
  mapfile -t core_sources < <(find core/base -name '*.cpp' | sort)
else
  mapfile -t core_sources < <(find core/base core/curves core/fit core/response core/designs \
    -name '*.cpp' | sort)
  core_sources+=(core/reports/coefficient_report.cpp core/reports/filter_calculation.cpp
    dynamic_loading/shared_library.cpp)
fi

mkdir -p "$out_dir/$name-corpus" "$out_dir/$name-findings"
binary="$out_dir/${name}_fuzzer"
"$clang" -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I core -I dynamic_loading "$@" \
  "tests/fuzz/${name}_fuzzer.cpp" "${core_sources[@]}" -ldl \
  -o "$binary"

# New inputs go to the scratch corpus in the build folder; the seeds stay untouched.
"$binary" -max_total_time="$seconds" -max_len=128 -print_final_stats=1 \
  -artifact_prefix="$out_dir/$name-findings/" \
  "$out_dir/$name-corpus" "tests/fuzz/corpus/$name"
