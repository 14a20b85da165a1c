#include "platform/WindowSizeHints.h"

// A Mac window that is not resizable keeps its size: the framework tells Cocoa so.
void WindowSizeHints::keepPresentSize (juce::ComponentPeer&)
{
}
