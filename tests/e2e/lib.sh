# Sets up an end-to-end test run: strict shell options, a scratch folder with its
# lock and a cleanup at exit; then the shared steps (steps.sh). Sourced by each
# test script; PROGRAM is the program to test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/steps.sh"

ARTIFACTS="${UNINSTALLER_TEST_ARTIFACTS:-${TMPDIR:-/tmp}/uninstaller-test-artifacts}"
mkdir -p "$ARTIFACTS"

# The scratch folder sits beside those of the unit test processes, with a lock
# file beside it held for as long as the script and what it started run: the
# folder of a script killed on a time-out goes when the next unit test starts.
SCRATCH_ROOT="${TMPDIR:-/tmp}/pelk-uninstaller-tests"
mkdir -p "$SCRATCH_ROOT"
exec {scratch_guard}<"$SCRATCH_ROOT"
flock -x "$scratch_guard"
SCRATCH="$(mktemp -d "$SCRATCH_ROOT/e2e.XXXXXX")"
exec {scratch_lock}>"$SCRATCH.lock"
flock -x "$scratch_lock"
exec {scratch_guard}<&-
BACKGROUND_PIDS=()

cleanup()
{
    stop_background
    # What a test made hard to remove on purpose.
    chattr -R -i "$SCRATCH" 2>/dev/null || true
    chmod -R u+w "$SCRATCH" 2>/dev/null || true
    rm -rf "$SCRATCH" "$SCRATCH.lock"
}
trap cleanup EXIT
