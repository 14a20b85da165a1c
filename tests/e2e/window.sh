#!/usr/bin/env bash
# The real program on a private X server with a window manager: its window, the
# welcome page, the click, a close request, a second copy, and the Japanese texts.
# PROGRAM is the product; the click runs in TEST_PROGRAM, whose prompt grants at once.
source "$(dirname "$0")/lib.sh"

start_display
use_scratch_home
unset LC_ALL LC_MESSAGES
export LANG=C.UTF-8

start_program
first=$PROGRAM_PID
window=$(wait_for_window "$first")

size=$(wait_for_size "$window" 400x240)
[ "$size" = "400x240" ] || fail "content is $size, not 400x240"

# Move and close alone: no resize, no minimise, no maximise.
hints=$(xprop -id "$window" _MOTIF_WM_HINTS)
functions=$(echo "$hints" | sed -E 's/.*= *[^,]+, *([^,]+),.*/\1/')
[ "$((functions))" -eq $((0x4 | 0x20)) ] || fail "window functions are $functions ($hints)"

# The window manager is told the one size the window has, and so offers neither
# resizing nor maximising.
normal_hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q "program specified minimum size: 400 by 240" <<<"$normal_hints" \
    && grep -q "program specified maximum size: 400 by 240" <<<"$normal_hints" \
    || fail "size hints: $normal_hints"
allowed=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
! grep -qE "RESIZE|MAXIMIZE" <<<"$allowed" || fail "the window manager offers $allowed"

# The window carries the desktop entry's artwork as its icon: the same pixels
# where the artwork is drawn at the same size.
xprop -id "$window" -notype -f _NET_WM_ICON 32c _NET_WM_ICON >"$SCRATCH/icon"
icon_size=$(sed -nE 's/^_NET_WM_ICON = ([0-9]+), ([0-9]+),.*/\1x\2/p' "$SCRATCH/icon")
[ -n "$icon_size" ] || fail "the window has no icon"
rsvg-convert --width "${icon_size%x*}" --height "${icon_size#*x}" \
    --output "$SCRATCH/artwork.png" "$(dirname "$0")/../../packaging/linux/com.pelk.UsbMidiDriverUninstaller.svg"
sed -E 's/^[^=]*= *//; s/, */\n/g' "$SCRATCH/icon" | tail -n +3 >"$SCRATCH/icon.argb"
for point in "8 8" "29 12" "46 40" "46 46"; do
    read -r x y <<<"$point"
    argb=$(sed -n "$(( y * ${icon_size%x*} + x + 1 ))p" "$SCRATCH/icon.argb")
    [ "$(printf '#%06X' $(( argb & 0xFFFFFF )))" = "$(pixel_colour "$SCRATCH/artwork.png" "$x" "$y" | tr a-f A-F)" ] \
        || fail "icon pixel ($x, $y) is $argb, the artwork's is $(pixel_colour "$SCRATCH/artwork.png" "$x" "$y")"
done

# With no cache folder, a start makes none and leaves the Trash empty.
cache_folder="$XDG_CACHE_HOME/$(basename "$PROGRAM")"
[ ! -e "$cache_folder" ] || fail "the start made a cache folder"
! ls "$XDG_DATA_HOME/Trash/info/"*.trashinfo >/dev/null 2>&1 || fail "the start put something in the Trash"
! grep -q libgio "/proc/$first/maps" || fail "GIO was loaded with nothing to move"

idle=$(screenshot_window "$window" welcome-idle)

PROGRAM="$TEST_PROGRAM" start_program
clicked_pid=$PROGRAM_PID
clicked_window=$(wait_for_window "$clicked_pid")
wait_for_size "$clicked_window" 400x240 >/dev/null
click_in_window "$clicked_window" 200 50
# On a loaded machine the click can take a while to land.
for _ in $(seq 20); do
    kill -0 "$clicked_pid" 2>/dev/null || fail "the program ended after the click"
    working=$(screenshot_window "$clicked_window" welcome-working)
    [ "$(colour_count "$working" 30x20+30+95)" -le 2 ] && break
done
request_close "$clicked_window"
wait_for_exit "$clicked_pid" 5

# The description's text is gone from where it stood; the busy bar shows in its place.
[ "$(colour_count "$idle" 30x20+30+95)" -gt 2 ] || fail "no description text on the idle page"
[ "$(colour_count "$working" 30x20+30+95)" -le 2 ] || fail "the description still shows after the click"
[ "$(colour_count "$idle" 300x6+40+121)" != "$(colour_count "$working" 300x6+40+121)" ] \
    || fail "the busy bar did not appear"

# A second copy opens a window of its own and leaves the first alone; it finds a
# cache folder left behind and moves it, with its record, to the Trash.
mkdir -p "$cache_folder"
echo x >"$cache_folder/left-by-last-run"
start_program
second=$PROGRAM_PID
second_window=$(wait_for_window "$second")
[ "$second_window" != "$window" ] || fail "the second copy has no window of its own"
[ ! -e "$cache_folder" ] || fail "the cache folder left behind is still there"
[ -f "$XDG_DATA_HOME/Trash/files/$(basename "$cache_folder")/left-by-last-run" ] \
    || fail "the cache folder is not in the Trash"
grep -q "^Path=$cache_folder\$" "$XDG_DATA_HOME/Trash/info/$(basename "$cache_folder").trashinfo" \
    || fail "the Trash has no record of where the cache folder came from"
request_close "$second_window"
wait_for_exit "$second" 5
[ "$EXIT_STATUS" = 0 ] || fail "the second copy ended with status $EXIT_STATUS"
kill -0 "$first" 2>/dev/null || fail "closing the second copy ended the first"

started=$(date +%s%N)
request_close "$window"
wait_for_exit "$first" 5
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS after the close request"
echo "close request to exit: $(( ($(date +%s%N) - started) / 1000000 )) ms"

# The keyboard alone: space presses the button that has the focus from the start,
# and Return the completion page's OK.
PROGRAM="$TEST_PROGRAM" start_program
keyboard_pid=$PROGRAM_PID
keyboard_window=$(wait_for_window "$keyboard_pid")
xdotool mousemove 0 0
wait_for_pixel_colour "$keyboard_window" 21 50 "#EF82AF" "$(now_ms)" >/dev/null   # the focus ring
xdotool key space
wait_for_pixel_colour "$keyboard_window" $PROBE_X $PROBE_Y "$PAGE_COLOUR" "$(now_ms)" >/dev/null
wait_for_pixel_colour "$keyboard_window" 21 200 "#EF82AF" "$(now_ms)" >/dev/null  # OK has the focus
xdotool key Return
wait_for_exit "$keyboard_pid" 5
[ "$EXIT_STATUS" = 0 ] || fail "Return on the completion page ended the program with status $EXIT_STATUS"

# A copy of the program with no helper beside it cannot ask at all: it says so in
# the description box and keeps the button enabled.
mkdir -p "$SCRATCH/bin"
cp "$PROGRAM" "$SCRATCH/bin/"
PROGRAM="$SCRATCH/bin/$(basename "$PROGRAM")" start_program
helpless_pid=$PROGRAM_PID
helpless_window=$(wait_for_window "$helpless_pid")
xdotool mousemove 0 0
before=$(screenshot_window "$helpless_window" welcome-before-no-helper)
click_in_window "$helpless_window" $BUTTON_X $BUTTON_Y
xdotool mousemove 0 0
sleep 1
explained=$(screenshot_window "$helpless_window" welcome-no-helper)
[ "$(convert "$before" -crop 360x60+20+90 +repage -format '%#' info:-)" \
    != "$(convert "$explained" -crop 360x60+20+90 +repage -format '%#' info:-)" ] \
    || fail "the description box does not say why no prompt came"
[ "$(colour_count "$explained" 30x20+30+95)" -gt 2 ] || fail "no text in the description box"
[ "$(pixel_colour "$explained" $PROBE_X $PROBE_Y)" = "$(pixel_colour "$before" $PROBE_X $PROBE_Y)" ] \
    || fail "the button did not come back enabled"
request_close "$helpless_window"
wait_for_exit "$helpless_pid" 5

# Japanese: the translated texts are drawn, with real glyphs.
export LANG=ja_JP.UTF-8
start_program
window=$(wait_for_window "$PROGRAM_PID")
wait_for_size "$window" 400x240 >/dev/null
japanese=$(screenshot_window "$window" welcome-japanese)
[ "$(colour_count "$japanese" 200x24+100+38)" -gt 4 ] || fail "the Japanese button text has no glyphs"
[ "$(colour_count "$japanese" 300x20+30+95)" -gt 4 ] || fail "the Japanese description has no glyphs"
# Drawn in a proportional face: Debian's IPA fonts come in both kinds, and the
# fixed-width one makes "OK" and the paths look typed.
japanese_faces=""
for face in $(grep -oE '/[^ ]+\.(ttf|otf|ttc)$' "/proc/$PROGRAM_PID/maps" | sort -u); do
    fc-query --format '%{lang}\n' "$face" | grep -qw ja || continue
    japanese_faces+="$face "
    [ -z "$(fc-query --format '%{spacing}' "$face")" ] || fail "the Japanese texts are drawn in the fixed-width $face"
done
[ -n "$japanese_faces" ] || fail "no face that draws Japanese is mapped"
echo "Japanese face: $japanese_faces"
request_close "$window"
wait_for_exit "$PROGRAM_PID" 5

# Where no installed face covers the Japanese texts, they stay English, not boxes.
printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >"$SCRATCH/no-fonts.conf"
FONTCONFIG_FILE="$SCRATCH/no-fonts.conf" start_program
window=$(wait_for_window "$PROGRAM_PID")
wait_for_size "$window" 400x240 >/dev/null
faceless=$(screenshot_window "$window" welcome-japanese-without-a-face)
[ "$(convert "$faceless" -crop 300x24+50+38 +repage -format '%#' info:-)" \
    = "$(convert "$idle" -crop 300x24+50+38 +repage -format '%#' info:-)" ] \
    || fail "without a face for Japanese, the button does not read \"Uninstall Driver\""
request_close "$window"
wait_for_exit "$PROGRAM_PID" 5
[ "$EXIT_STATUS" = 0 ] || fail "the Japanese copy ended with status $EXIT_STATUS"

echo "PASS"
