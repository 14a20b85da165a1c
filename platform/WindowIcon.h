#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The program's icon on its window, where the window system shows one there. */
namespace WindowIcon
{
    /** Gives the window the icon that title bars and task switchers show: the
        artwork of the desktop entry. On a Mac the bundle's icon serves, and the
        window gets none of its own. */
    void apply (juce::ComponentPeer& peer);
}
