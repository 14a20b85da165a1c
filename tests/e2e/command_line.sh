#!/usr/bin/env bash
# The command line, with no display, on the test build of the program over
# scratch paths; run as root, as management tools run it.
#  1. The window without a display says why and exits 1.
#  2. --list names each bundle and removes nothing.
#  3. --uninstall removes, logs each removal to syslog and leaves the home alone;
#     a bundle that stays gives status 1 and says why; one with a file system
#     mounted inside is kept whole; a second run says nothing changed.
#  4. A user whose prompt is refused gets status 4 and nothing is removed; one whom
#     nobody could ask is told why.
#  5. The example Ansible playbook reports changed, then ok.
#  6. A user who sees every bundle absent is asked nothing; one from whom a folder
#     hides a bundle sees it unknown and is asked; a dangling link is present.
#  7. A report that cannot be written gives status 3; the removal stands.
#  8. A SIGTERM or a SIGQUIT during a root removal lets that rm finish, removes no
#     further bundle, reports and records, then ends the program by the signal, as
#     Python's subprocess sees it (a shell shows an exit status of 143 the same).
#  9. Without /proc, nothing is removed: a mount inside a bundle could not be seen.
# 10. A SIGTERM while another removal holds the lock ends the wait: nothing is
#     removed, the report says so, and the signal ends the program.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
E2E_DIR="$(dirname "${BASH_SOURCE[0]}")"
PROGRAM="$TEST_PROGRAM"
unset DISPLAY
use_scratch_home

# Run as root: nobody else may change the scratch folders on the way.
chmod 755 "$SCRATCH"
first="$SCRATCH/Library/Audio/MIDI Drivers/Pelk USB.plugin"
second="$SCRATCH/System/Library/Extensions/adif.plugin"
export UNINSTALLER_TEST_TARGETS="$first
$second"

# Runs the command given; leaves STATUS, OUT and ERR.
run_command()
{
    STATUS=0
    "$@" >"$SCRATCH/out" 2>"$SCRATCH/err" || STATUS=$?
    OUT="$(cat "$SCRATCH/out")" ERR="$(cat "$SCRATCH/err")"
}

run_program() { run_command "$PROGRAM" "$@"; }

# As a user who is not root, and who refuses the prompt if asked.
run_as_user()
{
    run_command env UNINSTALLER_TEST_PROMPT=refuse setpriv --reuid=nobody --regid=nogroup --clear-groups \
        "$PROGRAM" "$@"
}

# Starts the command, sends it the signal once the file holds something, and leaves
# STATUS as Python's subprocess gives it (-15: ended by SIGTERM; 143: exited with
# 143; "hung": still there 10 s later), OUT and ERR.
signal_once_ready()
{
    STATUS="$(python3 -c '
import os, resource, signal, subprocess, sys, time
name, ready, out, err, *command = sys.argv[1:]
number = getattr(signal, "SIG" + name)

# As from a terminal, whatever this script was started ignoring; and no core file.
def prepare():
    signal.signal(number, signal.SIG_DFL)
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))

with open(out, "w") as o, open(err, "w") as e:
    child = subprocess.Popen(command, stdout=o, stderr=e, preexec_fn=prepare)
for _ in range(200):
    if os.path.exists(ready) and os.path.getsize(ready) > 0:
        break
    time.sleep(0.05)
child.send_signal(number)
try:
    print(child.wait(timeout=10))
except subprocess.TimeoutExpired:
    child.kill()
    child.wait()
    print("hung")
' "$1" "$2" "$SCRATCH/out" "$SCRATCH/err" "${@:3}")"
    OUT="$(cat "$SCRATCH/out")" ERR="$(cat "$SCRATCH/err")"
}

json_field()
{
    python3 -c 'import json, sys; print(json.load(sys.stdin)[sys.argv[1]])' "$1" <<<"$OUT"
}

# 1. The window without a display.
run_program
[ "$STATUS" = 1 ] || fail "the window without a display exited with $STATUS: $ERR"
grep -q "graphical session" <<<"$ERR" && grep -q -- "--uninstall" <<<"$ERR" \
    || fail "the window without a display said: $ERR"

# 2. --list.
make_bundle "$second"
run_program --list
[ "$STATUS" = 0 ] && [ "$OUT" = "$(printf 'absent\t%s\npresent\t%s' "$first" "$second")" ] \
    || fail "--list gave $STATUS: $OUT"
[ -e "$second" ] || fail "--list removed a bundle"

# 3. --uninstall, with the system log caught in a mount namespace of its own.
mkdir -p "$HOME/.cache/pelk-usb-midi-driver-uninstaller-test"
home_before="$(find "$HOME" | sort)"
make_bundle "$first"
run_program_logged()
{
    STATUS=0
    unshare --mount bash "$E2E_DIR/private_syslog.sh" "$SCRATCH/syslog" "$@" >"$SCRATCH/out" 2>"$SCRATCH/err" || STATUS=$?
    OUT="$(cat "$SCRATCH/out")" ERR="$(cat "$SCRATCH/err")"
}
run_program_logged "$PROGRAM" --uninstall
[ "$STATUS" = 0 ] && [ "$OUT" = "$(printf 'removed\t%s\nremoved\t%s' "$first" "$second")" ] \
    || fail "--uninstall gave $STATUS: $OUT $ERR"
[ ! -e "$first" ] && [ ! -e "$second" ] || fail "--uninstall left a bundle"
for bundle in "$first" "$second"; do
    wait_for_log_line "$SCRATCH/syslog" "removed $bundle, asked by root (uid 0) from the command line"
done
[ "$(find "$HOME" | sort)" = "$home_before" ] || fail "--uninstall touched the home: $(find "$HOME")"

make_bundle "$second"
chmod 777 "$(dirname "$second")"
run_program --uninstall
[ "$STATUS" = 1 ] && grep -qF "$(printf 'remains\t%s\tthe folder %s may be written by others than its owner' "$second" "$(dirname "$second")")" <<<"$OUT" \
    || fail "a bundle that stays gave $STATUS: $OUT"
chmod 755 "$(dirname "$second")"

# A file system mounted inside a bundle, or a folder bound into it, is never emptied.
make_bundle "$first"
mkdir -p "$SCRATCH/elsewhere" "$first/Contents/mounted" "$second/Contents/bound"
touch "$SCRATCH/elsewhere/kept"
run_program_logged bash -c 'mount -t tmpfs none "$1/Contents/mounted" && touch "$1/Contents/mounted/kept" &&
    mount --bind "$3" "$2/Contents/bound" && exec "$4" --uninstall' _ "$first" "$second" "$SCRATCH/elsewhere" "$PROGRAM"
[ "$STATUS" = 1 ] && [ "$OUT" = "$(printf 'remains\t%s\ta file system is mounted at %s\nremains\t%s\ta file system is mounted at %s' \
    "$first" "$first/Contents/mounted" "$second" "$second/Contents/bound")" ] || fail "bundles with mounts inside gave $STATUS: $OUT $ERR"
[ -e "$first/Contents/Mac OS/driver binary" ] && [ -e "$SCRATCH/elsewhere/kept" ] || fail "a bundle with a mount inside was emptied"
wait_for_log_line "$SCRATCH/syslog" "could not remove $first (a file system is mounted at $first/Contents/mounted), asked by root"
rm -rf "$first" "$second"

run_program --uninstall --json
[ "$STATUS" = 0 ] && [ "$(json_field changed)" = False ] || fail "a second run gave $STATUS: $OUT"

# 4. A refused prompt for a user who is not root.
make_bundle "$first"
chmod -R a+rX "$SCRATCH"
run_as_user --uninstall --json
[ "$STATUS" = 4 ] && [ "$(json_field changed)" = False ] && grep -q '"present"' <<<"$OUT" \
    || fail "a refused prompt gave $STATUS: $OUT $ERR"
[ -e "$first" ] || fail "a refused prompt removed a bundle"
! grep -q "authentication agent" "$SCRATCH/err" || fail "a refusal was explained: $(cat "$SCRATCH/err")"
STATUS=0
UNINSTALLER_TEST_PROMPT=no-agent setpriv --reuid=nobody --regid=nogroup --clear-groups \
    "$PROGRAM" --uninstall >"$SCRATCH/out" 2>"$SCRATCH/err" || STATUS=$?
[ "$STATUS" = 4 ] && grep -q "no authentication agent is running" "$SCRATCH/err" \
    || fail "with no agent to ask: $STATUS, $(cat "$SCRATCH/err")"

# 5. The example playbook against this machine: changed, then ok.
playbook="$(dirname "${BASH_SOURCE[0]}")/../../examples/remove-pelk-usb-midi-driver.yml"
# su, since these machines need no sudo: root becomes root without a password.
play()
{
    ANSIBLE_LOCAL_TEMP="$SCRATCH/ansible" ANSIBLE_HOME="$SCRATCH/ansible" ANSIBLE_NOCOLOR=1 \
        ansible-playbook -i localhost, -c local -e "uninstaller=$PROGRAM" -e ansible_become_method=su "$playbook" >"$SCRATCH/play" 2>&1 \
        || fail "the playbook failed: $(cat "$SCRATCH/play")"
    grep -E '^localhost +:' "$SCRATCH/play"
}
play | grep -q 'changed=1' || fail "the first play did not report changed: $(cat "$SCRATCH/play")"
[ ! -e "$first" ] || fail "the playbook left the bundle"
play | grep -q 'ok=1 .*changed=0' || fail "the second play did not report ok: $(cat "$SCRATCH/play")"

# 6. No prompt for nothing: a refused one would give status 4.
run_as_user --uninstall
[ "$STATUS" = 0 ] && [ "$OUT" = "$(printf 'absent\t%s\nabsent\t%s' "$first" "$second")" ] \
    || fail "nothing to remove gave $STATUS: $OUT $ERR"
chmod 700 "$(dirname "$second")"
run_as_user --list
grep -qF "$(printf 'unknown\t%s' "$second")" <<<"$OUT" || fail "a hidden bundle was listed as: $OUT"
run_as_user --uninstall
[ "$STATUS" = 4 ] || fail "a hidden bundle was not asked about: $STATUS $OUT $ERR"
chmod 755 "$(dirname "$second")"
ln -s "$SCRATCH/nowhere" "$first"
run_program --list
grep -qF "$(printf 'present\t%s' "$first")" <<<"$OUT" || fail "a dangling link was listed as: $OUT"
run_program --uninstall
grep -qF "$(printf 'removed\t%s' "$first")" <<<"$OUT" && [ ! -L "$first" ] \
    || fail "a dangling link was left: $STATUS $OUT"

# 7. A full disk and a closed standard output lose the report, not the removal.
for redirect in '>/dev/full' '>&-'; do
    make_bundle "$first"
    STATUS=0
    eval '"$PROGRAM" --uninstall --json 2>"$SCRATCH/err"' "$redirect" || STATUS=$?
    [ "$STATUS" = 3 ] && grep -q "report is lost" "$SCRATCH/err" \
        || fail "a report lost to $redirect gave $STATUS: $(cat "$SCRATCH/err")"
    [ ! -e "$first" ] || fail "a report lost to $redirect left the bundle"
done

# 8. A signal while rm works: here rm is made slow, in a mount namespace of our own.
cp /usr/bin/rm "$SCRATCH/real-rm"
printf '#!/bin/sh\necho started >"%s/rm-started"\nsleep 1\nexec "%s/real-rm" "$@"\n' "$SCRATCH" "$SCRATCH" >"$SCRATCH/slow-rm"
chmod 755 "$SCRATCH/slow-rm"
for signal in TERM:-15 QUIT:-3; do
    make_bundle "$first"
    make_bundle "$second"
    rm -f "$SCRATCH/rm-started"
    signal_once_ready "${signal%:*}" "$SCRATCH/rm-started" unshare --mount bash -c \
        'mount --bind "$1" /usr/bin/rm && exec bash "$2" "$3" "$4" --uninstall' _ \
        "$SCRATCH/slow-rm" "$E2E_DIR/private_syslog.sh" "$SCRATCH/syslog" "$PROGRAM"
    [ -e "$SCRATCH/rm-started" ] || fail "the slow rm never started: $ERR"
    [ "$STATUS" = "${signal#*:}" ] || fail "a SIG${signal%:*} during removal ended the program with $STATUS: $OUT $ERR"
    [ "$OUT" = "$(printf 'removed\t%s\nremains\t%s\tnot removed: the removal was interrupted' "$first" "$second")" ] \
        || fail "a SIG${signal%:*} during removal reported: $OUT"
    [ ! -e "$first" ] && [ -e "$second/Contents/Mac OS/driver binary" ] || fail "a SIG${signal%:*} during removal left the wrong bundles"
    wait_for_log_line "$SCRATCH/syslog" "removing $first, asked by root (uid 0) from the command line"
    wait_for_log_line "$SCRATCH/syslog" "removed $first, asked by root (uid 0) from the command line"
    rm -rf "$second" "$SCRATCH/syslog"
done

# 9. No /proc: the mount table cannot be read, so no bundle is removed.
make_bundle "$first"
mkdir -p "$second/Contents/bound"
run_command unshare --mount bash -c 'mount --bind "$3" "$2/Contents/bound" && mount -t tmpfs none /proc &&
    exec "$4" --uninstall' _ "$first" "$second" "$SCRATCH/elsewhere" "$PROGRAM"
[ "$STATUS" = 1 ] && [ "$OUT" = "$(printf 'remains\t%s\tthe mounted file systems could not be listed\nremains\t%s\tthe mounted file systems could not be listed' \
    "$first" "$second")" ] || fail "without /proc: $STATUS: $OUT $ERR"
[ -e "$first/Contents/Mac OS/driver binary" ] && [ -e "$SCRATCH/elsewhere/kept" ] || fail "without /proc a bundle was emptied"
rm -rf "$first" "$second"

# 10. A signal while another removal holds the lock.
make_bundle "$first"
exec {other_removal}>"$SCRATCH/lock"
flock -x "$other_removal"
signal_once_ready TERM "$SCRATCH/err" env UNINSTALLER_TEST_LOCK="$SCRATCH/lock" "$PROGRAM" --uninstall
exec {other_removal}>&-
[ "$STATUS" = -15 ] || fail "a SIGTERM while waiting for the lock ended the program with $STATUS: $OUT $ERR"
[ "$OUT" = "$(printf 'remains\t%s\tnot removed: the removal was interrupted\nabsent\t%s' "$first" "$second")" ] \
    || fail "a SIGTERM while waiting for the lock reported: $OUT"
grep -q "waiting for another removal" <<<"$ERR" || fail "the wait for the lock was not told: $ERR"
[ -e "$first/Contents/Mac OS/driver binary" ] || fail "a SIGTERM while waiting for the lock removed the bundle"

echo "PASS"
