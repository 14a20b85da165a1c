# Stands in for pkexec with a prompt that stays open until the test answers it:
#   held-prompt.sh ANSWERS-FIFO HELPER [ARGUMENTS...]
# Notes each prompt in ANSWERS-FIFO.log, then reads one line from the fifo. On
# "grant" it becomes the helper (same process, as pkexec does once the user has
# authenticated); on "no-agent" it fails as pkexec does when it finds no
# authentication agent; on anything else it exits with pkexec's status for a
# dismissed prompt. Only shell builtins run before then, so a SIGTERM ends the prompt whole.
answers="$1"
shift
echo "prompt $$" >>"$answers.log"
read -r answer <"$answers"
[ "$answer" = grant ] && exec "$@"
if [ "$answer" = no-agent ]; then
    echo "Error executing command as another user: No authentication agent found." >&2
    exit 127
fi
exit 126
