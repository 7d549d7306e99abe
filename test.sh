#!/usr/bin/env bash
# Install what is missing, build, and run every test through CTest.
# ORVANEL_SANITIZE=address,undefined ./test.sh builds into build-asan/ with those
# sanitizers and runs the suite there; any report fails the run.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
orvanel_install_packages
export QT_QPA_PLATFORM=offscreen
folder=build
timeout=300
if [ -n "${ORVANEL_SANITIZE:-}" ]; then
  folder=build-asan
  timeout=900
  orvanel_build "$folder" -DORVANEL_SANITIZE="$ORVANEL_SANITIZE" -DORVANEL_BUILD_BENCH=OFF
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan_system_libraries.supp:print_suppressions=0"
else
  orvanel_build
fi
ctest --test-dir "$folder" --output-on-failure --parallel "$(nproc)" --timeout "$timeout"
