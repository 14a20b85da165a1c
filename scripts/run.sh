#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/packages.sh"

install_missing_packages "${BUILD_PACKAGES[@]}"
configure_and_build "$BUILD_DIR" -DBUILD_TESTING=OFF

program="$(configured_value "$BUILD_DIR" PROGRAM)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<MESSAGE
There is no display to show the window on (DISPLAY is not set).
The program is built at:
    $program
To run it without a screen, start it under a virtual X server:
    sudo apt-get install xvfb && xvfb-run -a "$program"
MESSAGE
    exit 1
fi

exec "$program"
