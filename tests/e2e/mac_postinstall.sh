#!/usr/bin/env bash
# The Mac removal package's postinstall script, as installer runs it (as root, with
# the package's arguments), with the test build of the program where the package
# carries the bundle, over scratch bundles: its statuses, its report file and
# what it prints for the install log.
#  1. A Mac with a bundle: removed, status 0, "changed": true.
#  2. Run again on the clean Mac: status 0, "changed": false.
#  3. A bundle that cannot be removed: a status other than 0, the report names it
#     and why.
#  4. Another target volume than / is refused; nothing is removed.
#  5. The Munki example is a property list whose installcheck_script is clean
#     shell, asks for an install while the program lists a bundle present and
#     not once it is gone, and finds nothing to do on a machine without the driver.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
POSTINSTALL="$(dirname "${BASH_SOURCE[0]}")/../../packaging/macos/postinstall"

[ "$(id -u)" = 0 ] || { echo "SKIP: the program removes with its own rights only as root"; exit 77; }
unset DISPLAY
use_scratch_home
chmod 755 "$SCRATCH"

shellcheck --shell=sh "$POSTINSTALL" || fail "shellcheck finds fault with postinstall"

# The package's scripts folder: the script, and the program inside its bundle.
scripts="$SCRATCH/scripts"
mkdir -p "$scripts/PELK USB MIDI Driver Uninstaller.app/Contents/MacOS"
cp "$POSTINSTALL" "$scripts/postinstall"
cp "$TEST_PROGRAM" "$scripts/PELK USB MIDI Driver Uninstaller.app/Contents/MacOS/PELK USB MIDI Driver Uninstaller"

bundle="$SCRATCH/Library/Audio/MIDI Drivers/PelkUSBMIDIDriver.plugin"
export UNINSTALLER_TEST_TARGETS="$bundle"
export PELK_REMOVAL_REPORT="$SCRATCH/Logs/PELK/usb-midi-driver-removal.json"

# Runs postinstall as installer does; leaves STATUS and LOG (what it printed).
run_postinstall()
{
    STATUS=0
    (cd / && "$scripts/postinstall" "$SCRATCH/removal.pkg" / "${1:-/}" /) >"$SCRATCH/log" 2>&1 || STATUS=$?
    LOG="$(cat "$SCRATCH/log")"
}

report_field() # field
{
    python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))[sys.argv[2]])' "$PELK_REMOVAL_REPORT" "$1"
}

# 1. Removed.
make_bundle "$bundle"
run_postinstall
[ "$STATUS" = 0 ] || fail "a removal ended with status $STATUS: $LOG"
[ ! -e "$bundle" ] || fail "the bundle is still there"
[ "$(report_field changed)" = True ] || fail "the report says changed is $(report_field changed)"
grep -qF "\"path\": \"$bundle\", \"state\": \"removed\"" "$PELK_REMOVAL_REPORT" \
    || fail "the report does not say the bundle was removed: $(cat "$PELK_REMOVAL_REPORT")"
grep -qF "status 0: {\"version\": \"3.0.0\"" <<<"$LOG" || fail "the install log got: $LOG"

# 2. The clean Mac.
run_postinstall
[ "$STATUS" = 0 ] || fail "a clean Mac ended with status $STATUS: $LOG"
[ "$(report_field changed)" = False ] || fail "a second run changed something: $(cat "$PELK_REMOVAL_REPORT")"

# 3. A bundle that stays.
make_bundle "$bundle"
chattr +i "$bundle/Contents/Mac OS/driver binary"
run_postinstall
[ "$STATUS" != 0 ] || fail "a bundle that remains ended with status 0: $LOG"
grep -qF "\"path\": \"$bundle\", \"state\": \"remains\", \"reason\": \"" "$PELK_REMOVAL_REPORT" \
    || fail "the report does not say why the bundle remains: $(cat "$PELK_REMOVAL_REPORT")"
grep -qF '"state": "remains"' <<<"$LOG" || fail "the install log got: $LOG"
chattr -i "$bundle/Contents/Mac OS/driver binary"

# 4. Another volume.
run_postinstall "/Volumes/Other"
[ "$STATUS" = 1 ] || fail "another target volume ended with status $STATUS"
grep -qF "startup volume" <<<"$LOG" || fail "another target volume said: $LOG"
[ -e "$bundle" ] || fail "a refused target removed the bundle"

# 5. The Munki example.
munki="$(dirname "${BASH_SOURCE[0]}")/../../examples/pelk-usb-midi-driver-removal.munki.plist"
python3 -c 'import plistlib, sys; sys.stdout.write(plistlib.load(open(sys.argv[1], "rb"))["installcheck_script"])' \
    "$munki" >"$SCRATCH/installcheck" || fail "the Munki example is no property list"
shellcheck --shell=sh "$SCRATCH/installcheck" || fail "shellcheck finds fault with the Munki installcheck_script"
installcheck_status() # program path: the status of the check, with the program there
{
    sed "s|^program=.*|program=\"$1\"|" "$SCRATCH/installcheck" >"$SCRATCH/installcheck-here"
    STATUS=0
    sh "$SCRATCH/installcheck-here" || STATUS=$?
    echo "$STATUS"
}
make_bundle "$bundle"
[ "$(installcheck_status "$TEST_PROGRAM")" = 0 ] || fail "the Munki check asks for no install while the program lists a bundle"
rm -rf "$bundle"
[ "$(installcheck_status "$TEST_PROGRAM")" = 1 ] || fail "the Munki check asks for an install with nothing listed"
for driver in "/Library/Audio/MIDI Drivers/PelkUSBMIDIDriver.plugin" "/System/Library/Extensions/adif.plugin" \
              "/System/Library/Extensions/advPelkUSBMIDIDriver.plugin" "/Library/Audio/MIDI Drivers/advPelkUSBMIDIDriver.plugin"; do
    [ ! -e "$driver" ] || fail "this machine has $driver; the Munki check cannot be tried"
done
[ "$(installcheck_status /nonexistent)" = 1 ] || fail "the Munki check asks for an install on a machine without the driver"

echo "PASS"
