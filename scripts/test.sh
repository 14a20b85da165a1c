#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite on a
# virtual X server of its own; then the syntax-only check of the Mac build and of
# the Mac's workflow file; then the unit tests once more in a Debug build with the
# address and undefined-behaviour sanitizers (scripts/test-debug.sh).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/packages.sh"

install_missing_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${MACOS_CHECK_PACKAGES[@]}"
install_workflow_validator "$BUILD_DIR/tools"
configure_and_build "$BUILD_DIR" -DBUILD_TESTING=ON

# Screenshots and logs that the tests leave for a person to look at.
export UNINSTALLER_TEST_ARTIFACTS="$BUILD_DIR/test-artifacts"
mkdir -p "$UNINSTALLER_TEST_ARTIFACTS"

# Every run, whatever the one before finds.
status=0
(cd "$BUILD_DIR" && xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" \
    ctest --output-on-failure --parallel "$(nproc)" "$@") || status=$?
"$ROOT/scripts/macos-check.sh" || status=$?
"$BUILD_DIR/tools/node_modules/.bin/action-validator" "$ROOT"/.github/workflows/*.yml || status=$?
"$ROOT/scripts/test-debug.sh" address,undefined "$@" || status=$?
exit $status
