#!/usr/bin/env bash
# Installs what is missing, builds the program and packs it as a .deb in build/package/.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/packages.sh"

install_missing_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
configure_and_build "$BUILD_DIR" -DBUILD_TESTING=OFF

cd "$BUILD_DIR"
cpack --config CPackConfig.cmake -B "$BUILD_DIR/package"
ls "$BUILD_DIR"/package/*.deb
