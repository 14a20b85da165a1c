#include "platform/GraphicalSession.h"

#include <juce_gui_basics/juce_gui_basics.h>

bool GraphicalSession::isAvailable()
{
    return juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
}
