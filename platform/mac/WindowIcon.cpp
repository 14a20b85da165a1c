#include "platform/WindowIcon.h"

// A Mac shows the bundle's icon, in the Dock and the app switcher; windows carry none.
void WindowIcon::apply (juce::ComponentPeer&)
{
}
