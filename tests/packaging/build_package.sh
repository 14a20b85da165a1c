#!/usr/bin/env bash
# Builds the .deb from the build folder, as a user would with cpack, and unpacks it
# for the checks that follow. Usage: build_package.sh BUILD_DIR PACKAGE_DIR
set -euo pipefail
build_dir="$1" package_dir="$2"

rm -rf "$package_dir"
mkdir -p "$package_dir"
(cd "$build_dir" && cpack --config CPackConfig.cmake -B "$package_dir/cpack" >"$package_dir/cpack.log" 2>&1) \
    || { cat "$package_dir/cpack.log" >&2; exit 1; }
mv "$package_dir"/cpack/*.deb "$package_dir/"
rm -rf "$package_dir/cpack"
dpkg-deb -x "$package_dir"/*.deb "$package_dir/root"
