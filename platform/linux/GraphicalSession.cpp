#include "platform/GraphicalSession.h"

#include <juce_gui_basics/juce_gui_basics.h>

bool GraphicalSession::isAvailable()
{
    // Without DISPLAY the framework would try ":0", which may be someone else's.
    if (juce::SystemStats::getEnvironmentVariable ("DISPLAY", {}).isEmpty())
        return false;

    return juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
}
