#include "support/MessageLoop.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace MessageLoop
{
    void runFor (int milliseconds)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }

    bool runUntil (const std::function<bool()>& condition, int timeoutMilliseconds)
    {
        const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMilliseconds;

        while (! condition())
        {
            if (juce::Time::getMillisecondCounter() > deadline)
                return false;

            runFor (5);
        }

        return true;
    }

    bool runUntilAnimationsEnd (int timeoutMilliseconds)
    {
        auto& animator = juce::Desktop::getInstance().getAnimator();
        auto ended = runUntil ([&] { return ! animator.isAnimating(); }, timeoutMilliseconds);

        // The animator tells its listeners asynchronously; let that notice through.
        runFor (lastAnimationNoticeMilliseconds);
        return ended;
    }
}
