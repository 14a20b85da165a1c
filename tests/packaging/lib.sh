# Shared steps of the package checks. Sourced by each script; PACKAGE_DIR is the
# folder that build_package.sh filled: the .deb and its contents under root/.
set -euo pipefail

fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

[ -n "${PACKAGE_DIR:-}" ] || fail "PACKAGE_DIR is not set"
DEB="$(ls "$PACKAGE_DIR"/*.deb)"
PACKAGE_ROOT="$PACKAGE_DIR/root"
[ -f "$DEB" ] && [ -d "$PACKAGE_ROOT" ] || fail "no package in $PACKAGE_DIR"

APP_ID=com.pelk.UsbMidiDriverUninstaller
PROGRAM_NAME=pelk-usb-midi-driver-uninstaller
HELPER_NAME=pelk-usb-midi-driver-uninstaller-helper
