#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include <gtest/gtest.h>

#include "platform/QueuedInputWake.h"
#include "support/MessageLoop.h"

namespace
{
    struct ClickTarget : public juce::Component
    {
        ClickTarget()
        {
            // As in the program, the framework then keeps X errors from ending the process.
            juce::JUCEApplicationBase::createInstance = [] () -> juce::JUCEApplicationBase* { return nullptr; };

            // Off the screen, out of the way of other tests' windows.
            setBounds (-1000, -1000, 100, 100);
            addToDesktop (juce::ComponentPeer::windowIsTemporary);
            setVisible (true);
        }

        void mouseDown (const juce::MouseEvent&) override    { ++presses; }

        int presses = 0;
    };

    XEvent makeButtonEvent (int type, ::Window window, unsigned int state)
    {
        XEvent event {};
        event.xbutton.type = type;
        event.xbutton.window = window;
        event.xbutton.x = 10;
        event.xbutton.y = 10;
        event.xbutton.button = Button1;
        event.xbutton.state = state;
        event.xbutton.same_screen = True;
        return event;
    }

    /** Runs the loop until a round trip leaves nothing in Xlib's queue. The framework
        watches the root window for every window's creation and changes, its own
        and other clients', and its round trips while it makes and paints the window
        read such events into the queue without handling them: the window's own
        creation notice often waits there for good. Nothing reads the connection
        between this and the caller's next step. */
    void runUntilTheQueueIsQuiet()
    {
        auto* x11 = juce::X11Symbols::getInstance();
        auto* display = juce::XWindowSystem::getInstance()->getDisplay();
        QueuedInputWake handOn;

        for (int attempt = 0; attempt < 100; ++attempt)
        {
            {
                juce::XWindowSystemUtilities::ScopedXLock lock;
                x11->xSync (display, False);

                if (x11->xEventsQueued (display, QueuedAlready) == 0)
                    return;
            }

            handOn.wakeIfInputIsQueued();
            MessageLoop::runFor (20);
        }

        FAIL() << "events kept arriving";
    }

    /** Has the server deliver a click to the window, then makes a round trip on the
        program's own connection, which reads the click into Xlib's queue, where the
        event loop's wait on the connection cannot see it. */
    void strandClickInQueue (::Window window)
    {
        auto* x11 = juce::X11Symbols::getInstance();
        auto* other = x11->xOpenDisplay (nullptr);
        ASSERT_NE (other, nullptr);

        auto press = makeButtonEvent (ButtonPress, window, 0);
        auto release = makeButtonEvent (ButtonRelease, window, Button1Mask);
        x11->xSendEvent (other, window, False, NoEventMask, &press);
        x11->xSendEvent (other, window, False, NoEventMask, &release);
        x11->xSync (other, False);
        x11->xCloseDisplay (other);

        auto* display = juce::XWindowSystem::getInstance()->getDisplay();
        juce::XWindowSystemUtilities::ScopedXLock lock;
        x11->xSync (display, False);
        ASSERT_GE (x11->xEventsQueued (display, QueuedAlready), 2);
    }
}

TEST (QueuedInputWake, HandsOnAClickThatARoundTripLeftInTheQueue)
{
    ClickTarget target;
    runUntilTheQueueIsQuiet();
    const auto window = (::Window) target.getPeer()->getNativeHandle();

    // Alone on a display the click would wait there for good; here other tests'
    // windows may wake the loop too, so only the wake's promptness is measured.
    strandClickInQueue (window);
    QueuedInputWake wake;
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return target.presses == 1; },
                                        10 * QueuedInputWake::checkIntervalMilliseconds));
}

TEST (QueuedInputWake, WakesOnlyWhileEventsWait)
{
    ClickTarget target;
    QueuedInputWake wake;
    runUntilTheQueueIsQuiet();
    EXPECT_FALSE (wake.wakeIfInputIsQueued());

    strandClickInQueue ((::Window) target.getPeer()->getNativeHandle());
    EXPECT_TRUE (wake.wakeIfInputIsQueued());

    // Handed on at once, but a sanitized build on a loaded machine takes its time.
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return target.presses == 1; }, 2000));
    MessageLoop::runFor (50);
    EXPECT_EQ (target.presses, 1);
}
