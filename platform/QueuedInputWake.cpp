#include "platform/QueuedInputWake.h"

QueuedInputWake::~QueuedInputWake()
{
    stopTimer();
}

void QueuedInputWake::timerCallback()
{
    wakeIfInputIsQueued();
}
