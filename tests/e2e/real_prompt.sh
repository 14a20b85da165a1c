#!/usr/bin/env bash
# The program as its package installs it meets the real prompt, as a desktop user
# does: pkexec, polkitd on a system bus of its own, and polkit's text agent
# answered by a user of the sudo group.
#  1. The right password removes the four bundles, the completion page shows, and
#     "OK" ends the program with status 0. The helper's record names the user that
#     pkexec authenticated, and the window.
#  2. A wrong password gives the welcome page back in its idle look and removes
#     nothing; the command line, told the same, calls it a refusal (status 4), not
#     a prompt that could not be shown.
#  3. A close request while the prompt is open ends the program within a second with
#     status 0, ends pkexec and removes nothing.
#  4. A copy of the program whose helper is a link to another program of root's is
#     refused, with the helper named, before pkexec is ever started.
#  5. The command line asked by a user who set its own login user to root's: the
#     record names the user that pkexec authenticated.
#  6. Run as root, the button removes the bundles through pkexec (which asks root
#     nothing), and the record names root.
# Also: pkaction shows the shipped action, and pkexec asks for it for the helper.
#
# All of it runs in private mount and process namespaces, in a root folder made of
# bind mounts: the package's /usr laid over the machine's, private copies of
# /etc/passwd, /etc/shadow and /etc/group, and scratch folders at the bundles'
# paths. The machine's own files are never changed, and when the namespace's
# first process ends, every process and mount in it goes too.
# PACKAGE_DIR is the folder with the unpacked .deb (root/).
set -euo pipefail
self="$(realpath "${BASH_SOURCE[0]}")"
here="$(dirname "$self")"
SKIP=77

# Outside: enter the namespaces.
if [ $# -eq 0 ]; then
    skip() { echo "SKIP: $*"; exit $SKIP; }
    [ "$(id -u)" -eq 0 ] || skip "needs root, for private mount namespaces and a test user"
    command -v unshare >/dev/null || skip "unshare (util-linux) is missing"
    unshare --mount --pid --fork --kill-child true 2>/dev/null \
        || skip "this machine refuses private mount and process namespaces"
    for tool in dbus-daemon pkttyagent pkaction pkexec expect setpriv perl; do
        command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/packages.sh installs it)" >&2; exit 1; }
    done
    [ -d "${PACKAGE_DIR:-}/root/usr" ] || { echo "FAIL: no unpacked package in PACKAGE_DIR='${PACKAGE_DIR:-}'" >&2; exit 1; }

    source "$here/lib.sh"
    # Only a mount point: whatever is mounted on it exists in the namespace alone.
    mkdir "$SCRATCH/root"
    unshare --mount --pid --fork --kill-child --propagation private \
        setsid bash "$self" --build-root "$SCRATCH/root"
    exit
fi

TEST_USER=prompt-tester
PASSWORD="right horse 42"

# Appends the test user to private copies of the account files.
add_test_user()
{
    local etc="$1" uid=2000
    while getent passwd "$uid" >/dev/null || getent group "$uid" >/dev/null; do
        uid=$((uid + 1))
    done
    cp -p /etc/passwd /etc/shadow /etc/group "$etc/"
    echo "$TEST_USER:x:$uid:$uid::/home/$TEST_USER:/bin/bash" >>"$etc/passwd"
    echo "$TEST_USER:$(perl -e 'print crypt ($ARGV[0], q($6$) . $ARGV[1])' "$PASSWORD" "$RANDOM$RANDOM"):20000:0:99999:7:::" \
        >>"$etc/shadow"
    awk -F: -v OFS=: -v user="$TEST_USER" '$1 == "sudo" { $4 = ($4 == "" ? user : $4 "," user) } 1' \
        /etc/group >"$etc/group"
    echo "$TEST_USER:x:$uid:" >>"$etc/group"
}

# In the namespaces, as their first process: lay out the root folder and enter it.
if [ "$1" = --build-root ]; then
    new="$2"
    mount -t tmpfs -o mode=0755 root "$new"
    for entry in /*; do
        name="${entry#/}"
        case "$name" in proc|tmp|run|home|usr|Library|System) continue ;; esac
        if [ -L "$entry" ]; then
            ln -s "$(readlink "$entry")" "$new/$name"
        elif [ -d "$entry" ]; then
            mkdir "$new/$name"
            mount --rbind "$entry" "$new/$name"
        fi
    done
    mkdir "$new/proc" "$new/tmp" "$new/run" "$new/home" "$new/usr"
    mount -t proc proc "$new/proc"
    mount -t tmpfs -o mode=1777 tmp "$new/tmp"
    mount -t tmpfs -o mode=0755 run "$new/run"
    mount -t tmpfs -o mode=0755 home "$new/home"
    mount -t overlay -o ro,lowerdir="$PACKAGE_DIR/root/usr:/usr" usr "$new/usr"
    mkdir -p "$new/Library/Audio/MIDI Drivers" "$new/System/Library/Extensions"

    # This checkout, its package and its pictures may lie in a folder that the fresh
    # mounts above hide (a clone in /tmp): show them again at their own paths.
    for kept in "$(dirname "$(dirname "$here")")" "$PACKAGE_DIR" "${UNINSTALLER_TEST_ARTIFACTS:-}"; do
        case "$kept" in
            /tmp/*|/run/*|/home/*) mkdir -p "$new$kept"; mount --rbind "$kept" "$new$kept" ;;
        esac
    done

    mkdir "$new/run/accounts"
    add_test_user "$new/run/accounts"
    for file in passwd shadow group; do
        mount --bind "$new/run/accounts/$file" "$new/etc/$file"
    done
    # The system log is caught in /run/syslog, from a /dev/log of the namespace's own.
    exec chroot "$new" bash "$here/private_syslog.sh" /run/syslog bash "$self" --run
fi

# In the root folder: the cases.
source "$here/lib.sh"
PROGRAM_NAME=pelk-usb-midi-driver-uninstaller
HELPER=/usr/libexec/pelk-usb-midi-driver-uninstaller-helper
ACTION=com.pelk.UsbMidiDriverUninstaller.remove-driver
MESSAGE="Authentication is required to remove the PELK USB MIDI Driver"
BUNDLES=("/Library/Audio/MIDI Drivers/PelkUSBMIDIDriver.plugin"
         "/System/Library/Extensions/adif.plugin"
         "/System/Library/Extensions/advPelkUSBMIDIDriver.plugin"
         "/Library/Audio/MIDI Drivers/advPelkUSBMIDIDriver.plugin")

show_logs()
{
    local log
    for log in "$SCRATCH"/*.log; do
        echo "--- $(basename "$log")"
        cat "$log"
    done >&2
}

fail()
{
    echo "FAIL: $*" >&2
    show_logs
    exit 1
}

start_system_bus()
{
    mkdir -p /run/dbus
    dbus-daemon --system --nofork --nopidfile >"$SCRATCH/dbus.log" 2>&1 &
    BACKGROUND_PIDS+=($!)
    for _ in $(seq 100); do
        [ -S /run/dbus/system_bus_socket ] && return 0
        sleep 0.05
    done
    fail "the system bus did not start"
}

# Waits up to ten seconds for a log to show a text.
wait_for_text()
{
    for _ in $(seq 200); do
        grep -qsF "$2" "$1" && return 0
        sleep 0.05
    done
    fail "$(basename "$1") never showed '$2'"
}

start_polkitd()
{
    /usr/lib/polkit-1/polkitd >"$SCRATCH/polkitd.log" 2>&1 &
    BACKGROUND_PIDS+=($!)
    wait_for_text "$SCRATCH/polkitd.log" "Acquired the name org.freedesktop.PolicyKit1"
}

make_bundles()
{
    local bundle
    for bundle in "${BUNDLES[@]}"; do
        make_bundle "$bundle"
    done
}

bundles_present()
{
    local bundle count=0
    for bundle in "${BUNDLES[@]}"; do
        [ -e "$bundle" ] && count=$((count + 1))
    done
    echo "$count"
}

# Starts the packaged program as the test user; its pid is left in PROGRAM_PID.
start_program_as_user()
{
    PROGRAM=setpriv start_program --reuid="$TEST_USER" --regid="$TEST_USER" --init-groups \
        env -i HOME="$USER_HOME" USER="$TEST_USER" LOGNAME="$TEST_USER" SHELL=/bin/bash \
            PATH=/usr/bin:/bin DISPLAY="$DISPLAY" LANG=C.UTF-8 "/usr/bin/$PROGRAM_NAME"
}

# Starts the agent for the program, answering every prompt with $1; returns once
# it is registered. Its transcript is $AGENT_LOG.
start_agent()
{
    AGENT_LOG="$SCRATCH/agent-$RANDOM.log"
    PROMPTED="$SCRATCH/prompted"
    rm -f "$PROMPTED" "$SCRATCH/agent-ready"
    mkfifo "$SCRATCH/agent-ready"
    expect "$here/answer_prompt.exp" "$TEST_USER" "$PROGRAM_PID" "$1" "$SCRATCH/agent-ready" "$PROMPTED" \
        >"$AGENT_LOG" 2>&1 &
    AGENT_PID=$!
    BACKGROUND_PIDS+=($AGENT_PID)
    timeout 10 cat "$SCRATCH/agent-ready" >/dev/null || fail "the agent did not register"
}

stop_agent()
{
    kill "$AGENT_PID" 2>/dev/null || true
    wait "$AGENT_PID" 2>/dev/null || true
}


# Waits for the probe point to show a colour, the pointer away.
wait_for_probe_colour()
{
    xdotool mousemove --window "$1" 5 5
    wait_for_pixel_colour "$1" $PROBE_X $PROBE_Y "$2" "$(now_ms)" >/dev/null
}

# Starts the program and its agent, then clicks "Uninstall Driver" once the
# welcome page shows its idle look; leaves the window in WINDOW.
start_and_click()
{
    make_bundles
    start_program_as_user
    WINDOW="$(wait_for_window "$PROGRAM_PID")"
    start_agent "$1"
    xdotool mousemove --window "$WINDOW" 5 5
    sleep 0.5
    IDLE_COLOUR="$(window_pixel "$WINDOW" $PROBE_X $PROBE_Y)"
    IDLE_PICTURE="$(screenshot_window "$WINDOW" real-prompt-idle)"
    [ "$IDLE_COLOUR" != "$PAGE_COLOUR" ] || fail "the probe point is not on the welcome page's button"
    click_in_window "$WINDOW" $BUTTON_X $BUTTON_Y
}

pkexec_of_program()
{
    pgrep -P "$PROGRAM_PID" -x pkexec || true
}

start_display
start_system_bus
start_polkitd
USER_HOME="/home/$TEST_USER"
mkdir "$USER_HOME"
chown "$TEST_USER:$TEST_USER" "$USER_HOME"

# The shipped action, and the helper it lets pkexec run.
action="$(pkaction --action-id "$ACTION" --verbose)" || fail "pkaction does not know $ACTION"
grep -qF "message:           $MESSAGE" <<<"$action" || fail "pkaction shows another message: $action"
grep -qF "org.freedesktop.policykit.exec.path -> $HELPER" <<<"$action" \
    || fail "the action names another helper: $action"

# 1. The right password.
start_and_click "$PASSWORD"
wait_for_text "$AGENT_LOG" "AUTHENTICATION COMPLETE"
wait_for_probe_colour "$WINDOW" "$PAGE_COLOUR"
[ "$(bundles_present)" = 0 ] || fail "$(bundles_present) of the bundles are left after the right password"
[ -d "/Library/Audio/MIDI Drivers" ] && [ -d /System/Library/Extensions ] \
    || fail "more than the bundles was removed"
for bundle in "${BUNDLES[@]}"; do
    wait_for_text /run/syslog "removed $bundle, asked by $TEST_USER (uid $(id -u "$TEST_USER")) through pkexec from the window"
done
screenshot_window "$WINDOW" real-prompt-completed >/dev/null
grep -qF "AUTHENTICATING FOR $ACTION" "$AGENT_LOG" || fail "pkexec asked for another action"
grep -qF "$MESSAGE" "$AGENT_LOG" || fail "the prompt did not show the action's message"
grep -qF "Authenticating as: $TEST_USER" "$AGENT_LOG" || fail "the prompt asked for another user"
grep -q "successfully authenticated .* action $ACTION " "$SCRATCH/polkitd.log" \
    || fail "polkitd did not grant $ACTION"
click_in_window "$WINDOW" $OK_X $OK_Y
wait_for_exit "$PROGRAM_PID" 5
[ "$EXIT_STATUS" = 0 ] || fail "OK ended the program with status $EXIT_STATUS"
stop_agent

# 2. A wrong password.
start_and_click "not the password"
wait_for_text "$AGENT_LOG" "AUTHENTICATION FAILED"
for _ in $(seq 100); do
    [ -z "$(pkexec_of_program)" ] && break
    sleep 0.1
done
[ -z "$(pkexec_of_program)" ] || fail "pkexec still runs after the wrong password"
wait_for_probe_colour "$WINDOW" "$IDLE_COLOUR"
after="$(screenshot_window "$WINDOW" real-prompt-wrong-password)"
[ "$(compare -metric AE "$IDLE_PICTURE" "$after" null: 2>&1)" = 0 ] \
    || fail "after a wrong password the page is not the idle welcome page (see $after)"
[ "$(bundles_present)" = 4 ] || fail "a wrong password removed bundles"
request_close "$WINDOW"
wait_for_exit "$PROGRAM_PID" 5
[ "$EXIT_STATUS" = 0 ] || fail "status $EXIT_STATUS after a wrong password"
stop_agent

# The command line as the same user, its agent answering with $1, registered
# before the program asks; $2 runs in the user's shell first. The status is left
# in STATUS, standard error in $SCRATCH/command-line-err.log.
run_command_line_as_user()
{
    rm -f "$SCRATCH/go"
    mkfifo -m 0666 "$SCRATCH/go"
    chmod a+rx "$SCRATCH"
    setpriv --reuid="$TEST_USER" --regid="$TEST_USER" --init-groups \
        bash -c 'read -r _ <"$0"; eval "$1"; shift; exec "$@"' "$SCRATCH/go" "$2" \
        env -i HOME="$USER_HOME" PATH=/usr/bin:/bin LANG=C.UTF-8 "/usr/bin/$PROGRAM_NAME" --uninstall \
        >"$SCRATCH/command-line-out.log" 2>"$SCRATCH/command-line-err.log" &
    PROGRAM_PID=$!
    start_agent "$1"
    echo go >"$SCRATCH/go"
    STATUS=0
    wait "$PROGRAM_PID" || STATUS=$?
    stop_agent
}

run_command_line_as_user "not the password" :
grep -qF "AUTHENTICATION FAILED" "$AGENT_LOG" || fail "the command line's prompt did not fail"
[ "$STATUS" = 4 ] || fail "a wrong password on the command line gave status $STATUS"
grep -qF "administrator rights were refused" "$SCRATCH/command-line-err.log" \
    && ! grep -qi "agent" "$SCRATCH/command-line-err.log" \
    || fail "a wrong password was not called a refusal: $(cat "$SCRATCH/command-line-err.log")"
[ "$(bundles_present)" = 4 ] || fail "a wrong password on the command line removed bundles"

# 3. A close request while the prompt is open.
start_and_click -
for _ in $(seq 200); do
    [ -e "$PROMPTED" ] && break
    sleep 0.05
done
[ -e "$PROMPTED" ] || fail "the prompt never showed"
pkexec_pid="$(pkexec_of_program)"
[ -n "$pkexec_pid" ] || fail "no pkexec runs while the prompt is open"
request_close "$WINDOW"
wait_for_exit "$PROGRAM_PID" 1
[ "$EXIT_STATUS" = 0 ] || fail "closing during the prompt ended the program with status $EXIT_STATUS"
! kill -0 "$pkexec_pid" 2>/dev/null || fail "pkexec $pkexec_pid outlived the program"
[ "$(bundles_present)" = 4 ] || fail "a close during the prompt removed bundles"
stop_agent

# 4. The planted helper link, with bundles there to ask for: pkexec, were it
#    started, would leave a mark.
make_bundles
copy="$SCRATCH/copy"
mkdir -p "$copy/bin" "$copy/libexec"
cp "/usr/bin/$PROGRAM_NAME" "$copy/bin/"
ln -s /usr/bin/bash "$copy/libexec/$PROGRAM_NAME-helper"
mkdir -m 1777 "$SCRATCH/marks"
printf '#!/bin/sh\ntouch "%s"\n' "$SCRATCH/marks/pkexec-ran" >"$SCRATCH/pkexec"
chmod -R a+rX "$SCRATCH"
chmod a+rx "$SCRATCH/pkexec"
STATUS=0
unshare --mount bash -c 'mount --bind "$1" /usr/bin/pkexec && exec setpriv --reuid="$3" --regid="$3" --init-groups "$2" --uninstall' \
    _ "$SCRATCH/pkexec" "$copy/bin/$PROGRAM_NAME" "$TEST_USER" >"$SCRATCH/copy-out" 2>"$SCRATCH/copy-err" || STATUS=$?
[ "$STATUS" = 4 ] && grep -qF "$(realpath "$copy")/libexec/$PROGRAM_NAME-helper" "$SCRATCH/copy-err" \
    || fail "a helper link gave $STATUS: $(cat "$SCRATCH/copy-err")"
[ ! -e "$SCRATCH/marks/pkexec-ran" ] || fail "pkexec was started for a helper link"
[ "$(bundles_present)" = 4 ] || fail "a helper link removed bundles"

# 5. A user outside any login names root as its login user, then asks: the
#    record names the user pkexec authenticated.
make_bundles
run_command_line_as_user "$PASSWORD" 'echo 0 >/proc/self/loginuid && [ "$(cat /proc/self/loginuid)" = 0 ] || exit 99'
[ "$STATUS" = 0 ] || fail "the command line with the right password gave status $STATUS: $(cat "$SCRATCH/command-line-err.log")"
for bundle in "${BUNDLES[@]}"; do
    wait_for_text /run/syslog "removed $bundle, asked by $TEST_USER (uid $(id -u "$TEST_USER")) through pkexec from the command line"
done
! grep -qF "asked by root (uid 0) through pkexec from the command line" /run/syslog \
    || fail "the record believed a login user that the asker set itself"

# 6. Root presses the button: pkexec starts the helper without asking.
use_scratch_home
make_bundles
PROGRAM="/usr/bin/$PROGRAM_NAME" start_program
WINDOW="$(wait_for_window "$PROGRAM_PID")"
xdotool mousemove --window "$WINDOW" 5 5
sleep 0.5
click_in_window "$WINDOW" $BUTTON_X $BUTTON_Y
wait_for_probe_colour "$WINDOW" "$PAGE_COLOUR"
screenshot_window "$WINDOW" real-prompt-root-completed >/dev/null
[ "$(bundles_present)" = 0 ] || fail "$(bundles_present) of the bundles are left after root pressed the button"
for bundle in "${BUNDLES[@]}"; do
    wait_for_text /run/syslog "removed $bundle, asked by root (uid 0) through pkexec from the window"
done
click_in_window "$WINDOW" $OK_X $OK_Y
wait_for_exit "$PROGRAM_PID" 5
[ "$EXIT_STATUS" = 0 ] || fail "OK ended root's program with status $EXIT_STATUS"

echo "PASS"
