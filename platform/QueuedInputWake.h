#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Makes sure that input the window system has already delivered gets handled.

    On X11 the framework handles events only when the display connection turns
    readable. Its own timers query the pointer, and such a round trip can read a
    click into Xlib's queue on the way: the click then waits, unhandled, for the
    next event from the server, which may not come while the mouse stands still.
    While one of these objects exists, it checks the queue regularly and, if it
    finds events waiting, has the server send the program a message of no
    meaning, which wakes the loop to handle them. Elsewhere it does nothing. */
class QueuedInputWake : private juce::Timer
{
public:
    QueuedInputWake();
    ~QueuedInputWake() override;

    /** How often the queue is checked: the most a stranded click waits. */
    static constexpr int checkIntervalMilliseconds = 50;

    /** Checks the queue now; true if events were waiting and the loop was woken. */
    bool wakeIfInputIsQueued();

private:
    void timerCallback() override;

    // Only X11 has a message to wake the loop with; elsewhere this stays unused.
    [[maybe_unused]] unsigned long wakeMessageType = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QueuedInputWake)
};
