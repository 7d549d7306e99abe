#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each for SECONDS,
# one after the other, from its seed corpus:
#
#   fuzz/run.sh SECONDS [WHAT...]      e.g. fuzz/run.sh 600 tiff_decode
#
# New inputs go to build-fuzz/fuzz/found/<what>, crashes to build-fuzz/fuzz/crash-*;
# a finding ends the run with libFuzzer's failure status.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:?usage: fuzz/run.sh SECONDS [WHAT...]}"
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(jpeg_decode tiff_decode nasa_table_line cli_arguments settings_reader download_answer)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DORVANEL_DATA_DIR="${ORVANEL_DATA_DIR:-$PWD/data}" \
  -DORVANEL_FUZZ=ON -DORVANEL_BUILD_TESTS=OFF -DORVANEL_BUILD_BENCH=OFF
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
cd build-fuzz/fuzz
for what in "${targets[@]}"; do
  mkdir -p "found/$what"
  echo "== fuzz_$what for ${seconds} s"
  "../fuzz_$what" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2560 -print_final_stats=1 \
    -artifact_prefix="crash-$what-" "found/$what" "corpus/$what"
done
