#!/usr/bin/env bash
# The uninstall job on a real window, with the test build of the program: its
# prompt is the test helper started directly, and it removes scratch paths.
#  1. "Uninstall Driver" removes the bundle, the completion page fades in about
#     two seconds later, and "OK" ends the program with status 0. The removal is
#     in the system log, as the window's (caught on a private /dev/log; as root).
#  2. A close request during the job's wait ends the program with status 0 within
#     three seconds, and no helper process is left.
#  3. A refused prompt gives the welcome page back in its idle look and removes nothing.
#  4. A bundle that cannot be removed gets the completion page's own title for it;
#     four of them are each named readably, in English and in Japanese.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
PROGRAM="$TEST_PROGRAM"

# White pixels right of where the title "Completed" ends, above the text below it:
# only a longer title has any.
title_tail_pixels()
{
    count_near "$(screenshot_window "$1" "$2")" 150x72+225+10 "255 255 255" 60
}

exit_status_within()
{
    wait_for_exit "$PROGRAM_PID" "$1"
    STATUS="$EXIT_STATUS"
}

# Prints how many names the completion page's list shows, each a band of rows with
# light text (their folders are dimmer), and fails if the list's last line is cut
# by its lower edge or a scroll bar shows.
listed_names()
{
    local file="$1" rows
    [ "$(colour_count "$file" 3x120+376+50)" = 1 ] || fail "$(basename "$file"): the list shows a scroll bar"
    # One value a row: the brightest pixel of the row.
    rows="$(convert "$file" -crop 340x128+24+48 +repage -colorspace gray -depth 8 \
                -statistic maximum 340x1 -crop 1x128+170+0 txt:- | awk -F'[(,)]' '/^[0-9]/ { print $3 }')"
    [ "$(tail -n 2 <<<"$rows" | sort -n | tail -n 1)" -lt 80 ] \
        || fail "$(basename "$file"): the list's last line is cut at its lower edge"
    awk '{ light = $1 >= 180; if (light && !inside) n++; inside = light } END { print n }' <<<"$rows"
}

# Waits until the welcome page is painted in its idle look, then clicks its button.
click_uninstall()
{
    xdotool mousemove --window "$1" 5 5
    wait_for_pixel_colour "$1" $PROBE_X $PROBE_Y "$idle_colour" "$(now_ms)" >/dev/null
    click_in_window "$1" $BUTTON_X $BUTTON_Y
}

# Prints the pid of the helper that the program started, waiting for it while
# the job can still be holding it.
wait_for_helper()
{
    local pid
    for _ in $(seq 40); do
        pid="$(pgrep -P "$PROGRAM_PID" -f test-helper || true)"
        [ -n "$pid" ] && { echo "$pid"; return 0; }
        sleep 0.05
    done
    fail "no helper runs during the job"
}

start_display
use_scratch_home

targets="$SCRATCH/Library/Audio/MIDI Drivers/Pelk USB.plugin
$SCRATCH/System/Library/Extensions/adif.plugin
$SCRATCH/System/Library/Extensions/advPelk.plugin
$SCRATCH/Library/Audio/MIDI Drivers/advPelk USB.plugin"
bundle="$(sed -n 1p <<<"$targets")"
export UNINSTALLER_TEST_TARGETS="$targets"

# 1. Click, completion page, OK.
make_bundle "$bundle"
if [ "$(id -u)" = 0 ]; then
    PROGRAM=unshare start_program --mount bash "$(dirname "${BASH_SOURCE[0]}")/private_syslog.sh" "$SCRATCH/syslog" "$PROGRAM"
else
    echo "not root: the system log of the window's removal is not caught"
    start_program
fi
window="$(wait_for_window "$PROGRAM_PID")"
xdotool mousemove --window "$window" 5 5
sleep 0.5
idle_colour="$(window_pixel "$window" $PROBE_X $PROBE_Y)"
[ "$idle_colour" != "$PAGE_COLOUR" ] || fail "the probe point is not on the welcome page's button"

clicked="$(now_ms)"
click_in_window "$window" $BUTTON_X $BUTTON_Y
xdotool mousemove --window "$window" 5 5
sleep 0.4
working_colour="$(window_pixel "$window" $PROBE_X $PROBE_Y)"
for _ in $(seq 100); do
    [ "$(window_pixel "$window" $PROBE_X $PROBE_Y)" != "$working_colour" ] && break
    sleep 0.02
done
echo "click to start of the completion page's fade: $(( $(now_ms) - clicked )) ms"
to_page="$(wait_for_pixel_colour "$window" $PROBE_X $PROBE_Y "$PAGE_COLOUR" "$clicked")"
echo "click to completion page fully shown: $to_page ms"
[ "$to_page" -ge 2000 ] && [ "$to_page" -le 4500 ] || fail "completion page after $to_page ms"
[ ! -e "$bundle" ] || fail "the bundle was not removed"
[ -d "$(dirname "$bundle")" ] || fail "more than the bundle was removed"
[ "$(title_tail_pixels "$window" uninstall-job-completed)" -lt 5 ] || fail "the title is not \"Completed\""

click_in_window "$window" $OK_X $OK_Y
exit_status_within 5
[ "$STATUS" = 0 ] || fail "OK ended the program with status $STATUS"
[ "$(id -u)" != 0 ] || wait_for_log_line "$SCRATCH/syslog" "removed $bundle, asked by root (uid 0) from the window"

# 2. Close during the job's wait.
make_bundle "$bundle"
start_program
window="$(wait_for_window "$PROGRAM_PID")"
click_uninstall "$window"
helper_pid="$(wait_for_helper)"
sleep 0.3

asked="$(now_ms)"
request_close "$window"
exit_status_within 3
echo "close request during the job to exit: $(( $(now_ms) - asked )) ms"
[ "$STATUS" = 0 ] || fail "closing during the job ended the program with status $STATUS"
! kill -0 "$helper_pid" 2>/dev/null || fail "the helper $helper_pid outlived the program"

# 3. A refused prompt.
make_bundle "$bundle"
UNINSTALLER_TEST_PROMPT=refuse start_program
window="$(wait_for_window "$PROGRAM_PID")"
click_uninstall "$window"
sleep 1
xdotool mousemove --window "$window" 5 5
sleep 0.5
screenshot_window "$window" uninstall-job-refused >/dev/null
[ "$(window_pixel "$window" $PROBE_X $PROBE_Y)" = "$idle_colour" ] || fail "the button did not return to its idle look"
[ -e "$bundle" ] || fail "a refused prompt removed the bundle"
request_close "$window"
exit_status_within 5
[ "$STATUS" = 0 ] || fail "status $STATUS after a refused prompt"

# 4. A bundle that stays: immutable, which even root cannot remove (or, for a
#    user without that right, in a folder the user may not write).
chattr +i "$bundle/Contents/Mac OS/driver binary" 2>/dev/null || chmod a-w "$bundle/Contents/Mac OS"
start_program
window="$(wait_for_window "$PROGRAM_PID")"
click_uninstall "$window"
xdotool mousemove --window "$window" 5 5
wait_for_pixel_colour "$window" $PROBE_X $PROBE_Y "$PAGE_COLOUR" "$(now_ms)" >/dev/null
[ -e "$bundle" ] || fail "the bundle that should stay was removed"
[ "$(title_tail_pixels "$window" uninstall-job-remaining)" -gt 30 ] || fail "the title still says \"Completed\""
request_close "$window"
exit_status_within 5

# Four that stay, in folders as short as the driver's own: each one named, and
# nothing cut, with no scroll bar.
export UNINSTALLER_TEST_TARGETS="$SCRATCH/L/PelkUSBMIDIDriver.plugin
$SCRATCH/E/adif.plugin
$SCRATCH/E/advPelkUSBMIDIDriver.plugin
$SCRATCH/L/advPelkUSBMIDIDriver.plugin"
while read -r stays; do
    make_bundle "$stays"
    chattr +i "$stays/Contents/Mac OS/driver binary" 2>/dev/null || chmod a-w "$stays/Contents/Mac OS"
done <<<"$UNINSTALLER_TEST_TARGETS"
for language in C.UTF-8 ja_JP.UTF-8; do
    LANG="$language" start_program
    window="$(wait_for_window "$PROGRAM_PID")"
    click_uninstall "$window"
    xdotool mousemove --window "$window" 5 5
    wait_for_pixel_colour "$window" $PROBE_X $PROBE_Y "$PAGE_COLOUR" "$(now_ms)" >/dev/null
    names="$(listed_names "$(screenshot_window "$window" "uninstall-job-four-remain-$language")")"
    [ "$names" = 4 ] || fail "the list of four names $names in $language"
    request_close "$window"
    exit_status_within 5
done

echo "PASS"
