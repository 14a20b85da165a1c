#!/usr/bin/env bash
# Runs a command with the system log caught in a file, in the mount namespace that
# it is started in (unshare --mount): /dev becomes a copy whose /dev/log is a
# listener that appends each line to LOG, until the command has ended.
#   unshare --mount bash private_syslog.sh LOG COMMAND [ARGUMENTS...]
set -euo pipefail
log="$1"
shift

# The machine's /dev stays reachable at a folder beside the log, for its entries.
mkdir -p "$log.dev"
mount --rbind /dev "$log.dev"
mount -t tmpfs none /dev
for entry in "$log.dev"/*; do
    name="${entry##*/}"
    if [ -L "$entry" ]; then
        ln -s "$(readlink "$entry")" "/dev/$name"
    elif [ "$name" = ptmx ]; then
        # New terminals come from the devpts bound below, as in a container.
        ln -s pts/ptmx /dev/ptmx
    elif [ "$name" != log ]; then
        if [ -d "$entry" ]; then mkdir "/dev/$name"; else touch "/dev/$name"; fi
        mount --rbind "$entry" "/dev/$name"
    fi
done

# It reads on until its parent, which becomes the command, has gone and nothing is left.
python3 -c '
import os, socket, sys
parent = os.getppid()
listener = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
listener.bind("/dev/log")
listener.settimeout(0.2)
with open(sys.argv[1], "a") as log:
    while True:
        gone = os.getppid() != parent
        try:
            log.write(listener.recv(65536).decode(errors="replace") + "\n")
            log.flush()
        except socket.timeout:
            if gone:
                break
' "$log" &
for _ in $(seq 100); do [ -S /dev/log ] && break; sleep 0.05; done
[ -S /dev/log ] || { echo "FAIL: no private /dev/log" >&2; exit 1; }
exec "$@"
