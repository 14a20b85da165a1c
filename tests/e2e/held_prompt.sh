#!/usr/bin/env bash
# The window while the system asks for the password. The test build of the program
# runs a stand-in for pkexec whose prompt stays open until this script answers it
# through a fifo.
#  1. The working look is painted at once after the click, the busy bar moves while
#     the prompt is open, and further clicks ask nothing.
#  2. A refusal brings the idle look back, with the page's own words, and only a new
#     click asks again; a prompt that finds no agent to ask brings it back with words
#     that say why.
#  3. A grant after a long wait still removes the bundle and shows the completion page.
#  4. A close while the prompt is open ends the program within 1 s with status 0 and
#     ends the stand-in; nothing is removed, and nobody is left to take an answer.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
PROGRAM="$TEST_PROGRAM"

BUTTON_DISABLED="137 63 74"  # the accent at half alpha over the page

ANSWERS="$SCRATCH/answers"
mkfifo "$ANSWERS"
export UNINSTALLER_TEST_PROMPT=hold UNINSTALLER_TEST_PROMPT_ANSWERS="$ANSWERS"

prompts_shown() { [ -f "$ANSWERS.log" ] && wc -l <"$ANSWERS.log" || echo 0; }

# Waits until the stand-in has shown the given number of prompts; prints the pid
# of the last one.
wait_for_prompt()
{
    for _ in $(seq 100); do
        [ "$(prompts_shown)" -ge "$1" ] && break
        sleep 0.05
    done
    [ "$(prompts_shown)" -eq "$1" ] || fail "$(prompts_shown) prompts shown, expected $1"
    tail -n 1 "$ANSWERS.log" | cut -d' ' -f2
}

answer_prompt()
{
    timeout 5 sh -c 'echo "$1" >"$2"' - "$1" "$ANSWERS" || fail "no prompt took the answer '$1'"
}

# The description box and the room below it, down to the page's margin.
words_signature() { convert "$1" -crop 360x130+20+90 +repage -format '%#' info:-; }

start_display
use_scratch_home
bundle="$SCRATCH/Library/Audio/MIDI Drivers/Pelk USB.plugin"
export UNINSTALLER_TEST_TARGETS="$bundle"
make_bundle "$bundle"

# 1. The window lives while the prompt is open.
start_program
window="$(wait_for_window "$PROGRAM_PID")"
xdotool mousemove --window "$window" $BUTTON_X $BUTTON_Y
sleep 0.3
idle_colour="$(window_pixel "$window" $PROBE_X $PROBE_Y)"   # idle, under the mouse
idle_words="$(words_signature "$(screenshot_window "$window" held-prompt-idle)")"
# A burst of raw window dumps (xwd is far quicker than import), looked at afterwards:
# the first that shows the working look bounds the time to its paint. Timed from
# the end of the click: xdotool itself takes about 100 ms to start and click.
xdotool click 1
clicked="$(now_ms)"
for i in $(seq 40); do
    xwd -id "$window" -silent >"$SCRATCH/burst-$i.xwd"
    echo "$i $(( $(now_ms) - clicked ))" >>"$SCRATCH/burst.times"
done
painted=""
while read -r i taken; do
    [ "$(pixel_colour "$SCRATCH/burst-$i.xwd" $PROBE_X $PROBE_Y)" != "$idle_colour" ] && { painted="$taken"; break; }
done <"$SCRATCH/burst.times"
[ -n "$painted" ] || fail "no working look within $taken ms of the click"
echo "click to the working look: $painted ms"
[ "$painted" -le 100 ] || fail "the working look came $painted ms after the click"

wait_for_prompt 1 >/dev/null
sleep 1
working="$(screenshot_window "$window" held-prompt-working)"
[ "$(count_near "$working" 1x1+$PROBE_X+$PROBE_Y "$BUTTON_DISABLED")" = 1 ] \
    || fail "the button does not look disabled while the prompt is open"
moved=""
for _ in $(seq 10); do
    later="$(screenshot_window "$window" held-prompt-working-later)"
    [ "$(bar_signature "$working")" != "$(bar_signature "$later")" ] && moved=yes && break
done
[ -n "$moved" ] || fail "the busy bar stands still while the prompt is open"

click_in_window "$window" $BUTTON_X $BUTTON_Y
click_in_window "$window" $BUTTON_X $BUTTON_Y
sleep 0.5
[ "$(prompts_shown)" = 1 ] || fail "clicks during the prompt asked again"

# 2. A refusal: the idle look, and no prompt without a click of its own.
answer_prompt refuse
wait_for_pixel_colour "$window" $PROBE_X $PROBE_Y "$idle_colour" "$(now_ms)" >/dev/null
sleep 1
[ "$(prompts_shown)" = 1 ] || fail "a prompt appeared after the refusal without a click"
[ -e "$bundle" ] || fail "a refused prompt removed the bundle"
xdotool mousemove --window "$window" $BUTTON_X $BUTTON_Y
[ "$(words_signature "$(screenshot_window "$window" held-prompt-refused)")" = "$idle_words" ] \
    || fail "a refusal changed the page's words"

# Nobody to ask: the idle look, with other words in the description box.
click_in_window "$window" $BUTTON_X $BUTTON_Y
wait_for_prompt 2 >/dev/null
answer_prompt no-agent
wait_for_pixel_colour "$window" $PROBE_X $PROBE_Y "$idle_colour" "$(now_ms)" >/dev/null
sleep 0.5
explained="$(screenshot_window "$window" held-prompt-no-agent)"
[ "$(words_signature "$explained")" != "$idle_words" ] || fail "no words on why no prompt came"
[ "$(colour_count "$explained" 300x50+30+95)" -gt 2 ] || fail "the description box is empty"

# 3. A new click asks again; a grant after a long wait still runs the job.
click_in_window "$window" $BUTTON_X $BUTTON_Y
wait_for_prompt 3 >/dev/null
sleep 4
granted="$(now_ms)"
answer_prompt grant
xdotool mousemove --window "$window" 5 5
to_page="$(wait_for_pixel_colour "$window" $PROBE_X $PROBE_Y "$PAGE_COLOUR" "$granted")"
echo "grant to completion page: $to_page ms"
[ ! -e "$bundle" ] || fail "the bundle was not removed after the grant"
screenshot_window "$window" held-prompt-completed >/dev/null
click_in_window "$window" $OK_X $OK_Y
wait_for_exit "$PROGRAM_PID" 5
[ "$EXIT_STATUS" = 0 ] || fail "OK ended the program with status $EXIT_STATUS"

# 4. A close while the prompt is open.
make_bundle "$bundle"
start_program
window="$(wait_for_window "$PROGRAM_PID")"
click_in_window "$window" $BUTTON_X $BUTTON_Y
prompt_pid="$(wait_for_prompt 4)"
sleep 0.5
asked="$(now_ms)"
request_close "$window"
wait_for_exit "$PROGRAM_PID" 5
closed=$(( $(now_ms) - asked ))
echo "close request during the prompt to exit: $closed ms"
[ "$EXIT_STATUS" = 0 ] || fail "closing during the prompt ended the program with status $EXIT_STATUS"
[ "$closed" -le 1000 ] || fail "closing during the prompt took $closed ms"
# The helper could only have come from the stand-in's own process, as with pkexec.
! kill -0 "$prompt_pid" 2>/dev/null || fail "the prompt $prompt_pid outlived the program"
! timeout 1 sh -c 'echo grant >"$1"' - "$ANSWERS" || fail "something still waited for an answer"
sleep 0.5
[ -e "$bundle" ] || fail "the bundle was removed after a close during the prompt"

echo "PASS"
