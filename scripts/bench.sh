#!/usr/bin/env bash
# Measures what the program costs, on demand (not part of the test suite): paint
# time per page, start-up time and memory against a bare framework window, and
# processor use while the busy bar runs. Runs on a private X server.
#   scripts/bench.sh [number of start-ups of each program, default 7]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/packages.sh"
source "$ROOT/tests/e2e/steps.sh"

RUNS="${1:-7}"

install_missing_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
configure_and_build "$BUILD_DIR" -DUNINSTALLER_BUILD_BENCHMARKS=ON >/dev/null

PROGRAM="$(configured_value "$BUILD_DIR" PROGRAM)"
BARE="$(configured_value "$BUILD_DIR" BARE_WINDOW)"
BENCH="$(configured_value "$BUILD_DIR" BENCHMARKS)"

# The servers' logs, the programs' home and temporary files, and the figures,
# removed at the end: uninstaller_bench makes a scratch folder of its own in TMPDIR.
SCRATCH="$(mktemp -d)"
BACKGROUND_PIDS=()
trap 'stop_background; rm -rf "$SCRATCH"' EXIT
export TMPDIR="$SCRATCH"

start_display
use_scratch_home

# Starts a program, waits until its window shows the content's dark fill and
# prints "milliseconds-to-first-paint resident-kilobytes".
start_up_once()
{
    local started pid window="" painted rss
    started="$(now_ms)"
    "$@" >/dev/null 2>&1 &
    pid=$!
    BACKGROUND_PIDS+=($pid)

    while [ -z "$window" ]; do
        window="$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)"
        [ $(( $(now_ms) - started )) -lt 10000 ] || fail "no window from $*"
    done
    until [ "$(import -window "$window" -crop 1x1+5+5 -depth 8 txt:- 2>/dev/null | grep -o "$PAGE_COLOUR")" = "$PAGE_COLOUR" ]; do
        [ $(( $(now_ms) - started )) -lt 10000 ] || fail "$* never painted"
    done
    painted="$(now_ms)"

    sleep 1   # what the program holds once it is up, not while it loads
    rss="$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")"

    request_close "$window"
    wait_for_exit "$pid" 10 >/dev/null
    echo "$(( painted - started )) $rss"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "== Paint cost (microseconds per paint)"
"$BENCH" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null \
    | grep -E '^(paint|-|Benchmark)' | grep -E 'Benchmark|_median'

echo
echo "== Start-up to first painted window, and resident memory (median of $RUNS runs each)"
start_up_once "$PROGRAM" >/dev/null   # a first run warms the file cache for all
start_up_once "$BARE" >/dev/null
for _ in $(seq "$RUNS"); do
    start_up_once "$PROGRAM" >>"$SCRATCH/program.txt"
    start_up_once "$BARE" >>"$SCRATCH/bare.txt"
    start_up_once "$BARE" --with-text >>"$SCRATCH/text.txt"
done

column_median() { cut -d' ' -f"$2" "$SCRATCH/$1.txt" | median; }

printf '%-22s %10s %10s %8s %16s %8s\n' "" "program" "bare" "ratio" "bare with text" "ratio"
for row in "start-up (ms):1" "resident memory (KiB):2"; do
    field="${row##*:}"
    program="$(column_median program "$field")" bare="$(column_median bare "$field")" text="$(column_median text "$field")"
    printf '%-22s %10s %10s %8s %16s %8s\n' "${row%:*}" "$program" "$bare" "$(ratio "$program" "$bare")" \
        "$text" "$(ratio "$program" "$text")"
done

echo
echo "== Processor use while the busy bar animates"
"$BENCH" --busy-bar-cpu=5
