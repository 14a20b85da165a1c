# Shared steps of the end-to-end tests and of scripts/bench.sh: a private X server
# with a window manager, the program's window found by its title, clicks, close
# requests, screenshots, pixels and times. Defines only: sourcing it takes no
# lock, makes no folder and sets no shell option. The script that sources it
# provides SCRATCH (a folder for logs and probes), BACKGROUND_PIDS (what
# stop_background ends) and, for screenshots, ARTIFACTS; lib.sh provides them for
# a test run. PROGRAM is the program that start_program starts.

WINDOW_TITLE="PELK USB MIDI Driver Uninstaller 3.0.0"

# Points in the window's own coordinates.
BUTTON_X=200 BUTTON_Y=50     # the welcome page's button
PROBE_X=375 PROBE_Y=35       # on the button, right of the completion page's title in either language
OK_X=200 OK_Y=200            # the completion page's button
PAGE_COLOUR="#282828"

# Ends the processes started in the background, and collects them.
stop_background()
{
    local pid
    for pid in "${BACKGROUND_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
}

fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

# Starts Xvfb on a display number of its own choosing: the server itself skips
# numbers whose lock or sockets another server holds, so scripts started side by
# side cannot end up sharing one. No reset when the last client leaves, so a
# client that connects just then is never turned away.
start_server()
{
    : >"$SCRATCH/display-number"
    Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 -nolisten tcp \
        3>"$SCRATCH/display-number" >"$SCRATCH/xvfb.log" 2>&1 &
    XVFB_PID=$!
    BACKGROUND_PIDS+=($XVFB_PID)
    local number
    for _ in $(seq 400); do
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb ended at start: $(cat "$SCRATCH/xvfb.log")"
        # The number is written, newline last, once the server accepts clients.
        if read -r number <"$SCRATCH/display-number" && [[ "$number" =~ ^[0-9]+$ ]] \
            && xdpyinfo -display ":$number" >/dev/null 2>&1; then
            export DISPLAY=":$number"
            return 0
        fi
        sleep 0.05
    done
    fail "Xvfb did not come up: $(cat "$SCRATCH/xvfb.log")"
}

# Starts openbox on the display, so that title bars and close requests are the
# window manager's own; tries again if it gives up at once.
start_window_manager()
{
    local pid
    for _ in 1 2 3; do
        openbox >"$SCRATCH/openbox.log" 2>&1 &
        pid=$!
        BACKGROUND_PIDS+=($pid)
        # Generous: on a loaded machine the window manager can take seconds to start.
        for _ in $(seq 400); do
            wmctrl -m >/dev/null 2>&1 && return 0
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb ended: $(cat "$SCRATCH/xvfb.log")"
        kill -0 "$pid" 2>/dev/null && break
        sleep 0.2
    done
    fail "openbox did not start on $DISPLAY: $(cat "$SCRATCH/openbox.log" "$SCRATCH/xvfb.log")"
}

start_display()
{
    start_server
    start_window_manager
}

# Gives each test its own home, so that caches and the Trash are scratch folders.
use_scratch_home()
{
    export HOME="$SCRATCH/home"
    export XDG_CACHE_HOME="$HOME/.cache"
    export XDG_DATA_HOME="$HOME/.local/share"
    mkdir -p "$HOME"
}

# Starts the program in the background; its pid is left in PROGRAM_PID. Run as
# root, in a mount namespace whose password database gives root the scratch home:
# a root window moves a cache folder only inside root's own home.
start_program()
{
    local prefix=()
    if [ "$(id -u)" = 0 ]; then
        sed -E "s#^(root:[^:]*:0:0:[^:]*:)[^:]*#\\1$HOME#" /etc/passwd >"$SCRATCH/passwd"
        prefix=(unshare --mount sh -c 'mount --bind "$0" /etc/passwd && exec "$@"' "$SCRATCH/passwd")
    fi
    "${prefix[@]}" "$PROGRAM" "$@" >"$SCRATCH/program-$RANDOM.log" 2>&1 &
    PROGRAM_PID=$!
    BACKGROUND_PIDS+=($PROGRAM_PID)
}

# Prints the ids of the visible windows with our title, one a line.
find_windows()
{
    xdotool search --onlyvisible --name "^${WINDOW_TITLE}\$" 2>/dev/null || true
}

# Waits until the window manager has placed a window: clicks aimed at it before
# then can land where it no longer is.
wait_until_placed()
{
    local window="$1" origin last="" steady=0
    for _ in $(seq 80); do
        origin="$(window_origin "$window")"
        if [ -n "$origin" ] && [ "$origin" = "$last" ]; then
            steady=$((steady + 1))
            [ "$steady" -ge 3 ] && return 0
        else
            steady=0
        fi
        last="$origin"
        sleep 0.05
    done
}

# Waits for a window of the given process (placed, see above); prints its id.
wait_for_window()
{
    local pid="$1" window
    for _ in $(seq 400); do
        for window in $(find_windows); do
            if [ "$(xdotool getwindowpid "$window" 2>/dev/null)" = "$pid" ]; then
                wait_until_placed "$window"
                echo "$window"
                return 0
            fi
        done
        sleep 0.05
    done
    fail "no window titled '$WINDOW_TITLE' for process $pid"
}

# The window's content size, "WIDTHxHEIGHT".
window_size()
{
    xwininfo -id "$1" | awk '/^  Width:/ { w = $2 } /^  Height:/ { h = $2 } END { print w "x" h }'
}

# Waits up to two seconds for the window to reach a size; prints the size it has.
wait_for_size()
{
    local window="$1" wanted="$2" size
    for _ in $(seq 40); do
        size=$(window_size "$window")
        [ "$size" = "$wanted" ] && break
        sleep 0.05
    done
    echo "$size"
}

# The window's content origin on the screen, "X Y".
window_origin()
{
    xwininfo -id "$1" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 } END { print x, y }'
}

# Clicks at a point given in the window's own coordinates.
click_in_window()
{
    local window="$1" x="$2" y="$3"
    xdotool mousemove --window "$window" "$x" "$y" sleep 0.1 click 1
}

# Asks the window manager to close the window, as the title bar's close button does.
request_close()
{
    wmctrl -i -c "$1"
}

# Waits for a process started by start_program to end within a number of
# seconds; leaves its exit status in EXIT_STATUS. Not to be called in $(...):
# only this shell can collect its own children's status.
wait_for_exit()
{
    local pid="$1" seconds="$2"
    for _ in $(seq $((seconds * 20))); do
        if ! kill -0 "$pid" 2>/dev/null || [ "$(ps -o stat= -p "$pid")" = Z ]; then
            EXIT_STATUS=0
            wait "$pid" || EXIT_STATUS=$?
            return 0
        fi
        sleep 0.05
    done
    fail "process $pid still runs after $seconds s"
}

# Saves a picture of the window's content area as $ARTIFACTS/NAME.png; prints the path.
screenshot_window()
{
    local window="$1" name="$2" file="$ARTIFACTS/$2.png"
    sleep 0.3   # let a repaint land
    # A picture taken while the window manager still places the window can come
    # out cut; take another.
    for _ in $(seq 10); do
        import -window "$window" "$file"
        [ "$(identify -format '%wx%h' "$file")" = "$(window_size "$window")" ] && break
        sleep 0.1
    done
    echo "$file"
}

# The colour of a pixel of an image, as "#RRGGBB".
pixel_colour()
{
    local file="$1" x="$2" y="$3"
    convert "$file" -format "%[hex:p{$x,$y}]" info:- | sed 's/^/#/' | cut -c1-7
}

# What the busy bar shows in a screenshot of the welcome page, as one checksum:
# two that differ tell that its stripes moved.
bar_signature() { convert "$1" -crop 358x8+21+120 +repage -format '%#' info:-; }

# How many distinct colours an area of an image holds.
colour_count()
{
    local file="$1" geometry="$2"
    convert "$file" -crop "$geometry" +repage -format "%k" info:-
}

# Counts the pixels of an area ("WxH+X+Y") within a tolerance of a colour "R G B".
count_near()
{
    local file="$1" geometry="$2" colour="$3" tolerance="${4:-4}"
    convert "$file" -crop "$geometry" +repage -depth 8 txt:- \
        | awk -v want="$colour" -v tol="$tolerance" '
            BEGIN { split (want, w, " ") }
            /^[0-9]/ {
                line = $0
                sub (/^[^(]*\(/, "", line)
                split (line, c, /[,)]/)
                if (c[1] - w[1] <= tol && w[1] - c[1] <= tol && c[2] - w[2] <= tol && w[2] - c[2] <= tol \
                    && c[3] - w[3] <= tol && w[3] - c[3] <= tol) n++
            }
            END { print n + 0 }'
}

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# The colour of one pixel of the window as it is now, "#RRGGBB".
window_pixel()
{
    local file="$SCRATCH/probe.png"
    import -window "$1" "$file" 2>/dev/null || return 0
    pixel_colour "$file" "$2" "$3"
}

# Waits until a pixel of the window shows a colour; prints the milliseconds since
# a time taken with now_ms.
wait_for_pixel_colour()
{
    local window="$1" x="$2" y="$3" colour="$4" since="$5"
    for _ in $(seq 100); do
        [ "$(window_pixel "$window" "$x" "$y")" = "$colour" ] && { echo $(( $(now_ms) - since )); return 0; }
        sleep 0.05
    done
    fail "pixel ($x, $y) never showed $colour"
}

# Makes a scratch bundle: a folder tree with a file in it.
make_bundle()
{
    mkdir -p "$1/Contents/Mac OS"
    echo binary >"$1/Contents/Mac OS/driver binary"
}

# Waits up to three seconds for a line of the caught system log that holds the text.
wait_for_log_line()
{
    for _ in $(seq 60); do
        grep -qF -- "$2" "$1" 2>/dev/null && return 0
        sleep 0.05
    done
    fail "no line in the system log holds '$2': $(cat "$1" 2>/dev/null)"
}
