#!/usr/bin/env bash
# Builds the unit tests as a Debug build, where the framework's assertions and its
# leak detector are on, with run-time sanitizers, and runs them on a virtual X
# server of their own. Usage: test-debug.sh [SANITIZERS] [ctest arguments...]
#   SANITIZERS  address,undefined (the default, which scripts/test.sh runs), or thread
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/packages.sh"
sanitizers="${1:-address,undefined}"
shift || true
build_dir="$ROOT/build-debug-${sanitizers//,/-}"

install_missing_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake -S "$ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
    -DUNINSTALLER_SANITIZERS="$sanitizers" -DUNINSTALLER_BUILD_BENCHMARKS=OFF "${JUCE_SOURCE_OPTIONS[@]}"
cmake --build "$build_dir" --parallel "$(nproc)" --target uninstaller_tests

# A finding ends the case that made it, with the stack that led there. The
# libraries below the framework have no frame pointers, so only the slow unwinder
# finds the callers that the leak suppressions name.
export ASAN_OPTIONS="detect_stack_use_after_return=1:strict_string_checks=1:fast_unwind_on_malloc=0"
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"

cd "$build_dir"
xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" \
    ctest --output-on-failure --parallel "$(nproc)" --label-regex unit "$@"
