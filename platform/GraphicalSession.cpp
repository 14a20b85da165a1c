#include "platform/GraphicalSession.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace GraphicalSession
{
    bool isAvailable()
    {
       #if JUCE_LINUX || JUCE_BSD
        if (juce::SystemStats::getEnvironmentVariable ("DISPLAY", {}).isEmpty())
            return false;
       #endif

        return juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
    }
}
