// The framework's X11 declarations, which it keeps to itself unless asked.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "platform/QueuedInputWake.h"

namespace
{
    ::Display* getDisplay()
    {
        auto* windowSystem = juce::XWindowSystem::getInstanceWithoutCreating();
        return windowSystem != nullptr ? windowSystem->getDisplay() : nullptr;
    }

    // Any of our own windows will do: the framework ignores a message type it does not know.
    ::Window findOwnWindow()
    {
        for (int i = 0; i < juce::ComponentPeer::getNumPeers(); ++i)
            if (auto* peer = juce::ComponentPeer::getPeer (i))
                return (::Window) peer->getNativeHandle();

        return 0;
    }
}

QueuedInputWake::QueuedInputWake()
{
    startTimer (checkIntervalMilliseconds);
}

bool QueuedInputWake::wakeIfInputIsQueued()
{
    auto* display = getDisplay();

    if (display == nullptr)
        return false;

    auto* x11 = juce::X11Symbols::getInstance();
    juce::XWindowSystemUtilities::ScopedXLock lock;

    const auto window = findOwnWindow();

    if (window == 0 || x11->xEventsQueued (display, QueuedAlready) == 0)
        return false;

    // Interned on first need: the display does not exist yet when this object is made.
    if (wakeMessageType == 0)
        wakeMessageType = x11->xInternAtom (display, "_PELK_QUEUED_INPUT_WAKE", False);

    XEvent message {};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = (Atom) wakeMessageType;
    message.xclient.format = 32;

    x11->xSendEvent (display, window, False, NoEventMask, &message);
    x11->xFlush (display);
    return true;
}
