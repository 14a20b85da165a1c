#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** What the window manager is told about the size of one of our windows. */
namespace WindowSizeHints
{
    /** Tells it that the window keeps the size it has now: its smallest and largest
        size are that size, so it is neither resized nor maximised. The framework
        states a size without limits each time it moves or resizes the window, and
        when it first paints it: so this paints whatever is pending first, and is
        called again after any such change. Where the window system needs no
        telling, it does nothing. */
    void keepPresentSize (juce::ComponentPeer& peer);
}
