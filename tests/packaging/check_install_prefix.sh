#!/usr/bin/env bash
# cmake --install under another prefix, and with DESTDIR, writes a polkit action
# that names the helper where that install puts it. Usage: check_install_prefix.sh BUILD_DIR
set -euo pipefail
build_dir="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

exec_path()
{
    sed -n 's|.*<annotate key="org.freedesktop.policykit.exec.path">\(.*\)</annotate>.*|\1|p' \
        "$1/share/polkit-1/actions/com.pelk.UsbMidiDriverUninstaller.policy"
}

cmake --install "$build_dir" --prefix "$scratch/opt/pelk" >/dev/null
[ -x "$scratch/opt/pelk/bin/pelk-usb-midi-driver-uninstaller" ] || fail "no program under bin/"
found="$(exec_path "$scratch/opt/pelk")"
[ "$found" = "$scratch/opt/pelk/libexec/pelk-usb-midi-driver-uninstaller-helper" ] \
    || fail "with --prefix the action names '$found'"

DESTDIR="$scratch/stage" cmake --install "$build_dir" --prefix /usr/local >/dev/null
found="$(exec_path "$scratch/stage/usr/local")"
[ "$found" = /usr/local/libexec/pelk-usb-midi-driver-uninstaller-helper ] \
    || fail "with DESTDIR the action names '$found'"
echo "the polkit action follows the install prefix"
