#include "platform/QueuedInputWake.h"

// The framework's Mac loop handles every event that the system has delivered.
QueuedInputWake::QueuedInputWake() = default;

bool QueuedInputWake::wakeIfInputIsQueued()
{
    return false;
}
