#!/usr/bin/env bash
# Makes the removal package for Mac administrators, on a Mac: a payload-free
# package (it installs nothing and leaves no receipt) whose scripts folder carries
# the program's bundle and packaging/macos/postinstall, which removes the driver
# when installer runs it. Signs nothing: the README's shipping steps sign the
# bundle first and the package after.
#
#   scripts/mac-removal-package.sh BUNDLE [FOLDER]
#     BUNDLE  the built "PELK USB MIDI Driver Uninstaller.app"
#     FOLDER  where the package is written, default the current folder
# Prints the package's path.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bundle="${1:?give the bundle of the program}"
out="${2:-.}"

plist="$bundle/Contents/Info.plist"
identifier="$(plutil -extract CFBundleIdentifier raw "$plist")"
version="$(plutil -extract CFBundleShortVersionString raw "$plist")"
minimum="$(plutil -extract LSMinimumSystemVersion raw "$plist")"

scripts="$(mktemp -d)"
trap 'rm -rf "$scripts"' EXIT
# ditto keeps the bundle's signature and whatever else a plain copy would lose.
ditto "$bundle" "$scripts/PELK USB MIDI Driver Uninstaller.app"
install -m 755 "$ROOT/packaging/macos/postinstall" "$scripts/postinstall"

package="$out/PELK USB MIDI Driver Removal $version.pkg"
pkgbuild --nopayload --scripts "$scripts" --identifier "$identifier" --version "$version" \
    --min-os-version "$minimum" "$package" >&2
echo "$package"
