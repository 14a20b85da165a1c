#!/usr/bin/env bash
# The program as the package ships it starts on a display and shows its window,
# whose class the desktop entry names, so the menu can tie the two together.
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
PACKAGE_ROOT="$PACKAGE_DIR/root"
desktop_entry="$PACKAGE_ROOT/usr/share/applications/com.pelk.UsbMidiDriverUninstaller.desktop"
source "$here/../e2e/lib.sh"

# Started as the menu starts it: the entry's Exec line, found on PATH, from the home folder.
PROGRAM="$(grep '^Exec=' "$desktop_entry" | cut -d= -f2-)"
export PATH="$PACKAGE_ROOT/usr/bin:$PATH"
command -v "$PROGRAM" >/dev/null || fail "the desktop entry's Exec '$PROGRAM' is not in the package's bin/"
start_display
use_scratch_home
cd "$HOME"
start_program
window="$(wait_for_window "$PROGRAM_PID")"

size="$(wait_for_size "$window" 400x240)"
[ "$size" = 400x240 ] || fail "window is $size, not 400x240"
picture="$(screenshot_window "$window" packaged-program-welcome)"
[ "$(colour_count "$picture" 400x240+0+0)" -gt 2 ] || fail "the window shows nothing: $picture"

wm_class="$(grep '^StartupWMClass=' "$desktop_entry" | cut -d= -f2-)"
xprop -id "$window" WM_CLASS | grep -qF "\"$wm_class\"" \
    || fail "WM_CLASS $(xprop -id "$window" WM_CLASS) does not hold the desktop entry's '$wm_class'"

request_close "$window"
wait_for_exit "$PROGRAM_PID" 5
[ "$EXIT_STATUS" = 0 ] || fail "the program ended with status $EXIT_STATUS"
echo "the packaged program starts and shows its window: $picture"
