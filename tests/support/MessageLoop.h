#pragma once

#include <functional>

/** Runs the framework's message loop on the test's thread. */
namespace MessageLoop
{
    void runFor (int milliseconds);

    /** Runs the loop until the condition holds or the time is up; true if it held. */
    bool runUntil (const std::function<bool()>& condition, int timeoutMilliseconds = 5000);

    /** How long runUntilAnimationsEnd runs on for the animator's last change notice. */
    constexpr int lastAnimationNoticeMilliseconds = 50;

    /** Runs the loop until the shared component animator has nothing left to animate
        and its last change notice has been delivered. */
    bool runUntilAnimationsEnd (int timeoutMilliseconds = 5000);
}
