// The framework's X11 declarations, which it keeps to itself unless asked.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "platform/WindowSizeHints.h"

void WindowSizeHints::keepPresentSize (juce::ComponentPeer& peer)
{
    auto* windowSystem = juce::XWindowSystem::getInstanceWithoutCreating();
    auto* display = windowSystem != nullptr ? windowSystem->getDisplay() : nullptr;
    const auto window = (::Window) peer.getNativeHandle();

    if (display == nullptr || window == 0)
        return;

    peer.performAnyPendingRepaintsNow();

    auto* x11 = juce::X11Symbols::getInstance();
    const auto bounds = (peer.getBounds().toDouble() * peer.getPlatformScaleFactor()).toNearestInt();

    const juce::XWindowSystemUtilities::ScopedXLock lock;
    auto* hints = x11->xAllocSizeHints();

    if (hints == nullptr)
        return;

    // The position and size the framework itself gives, kept, with the limits added.
    hints->flags = USPosition | USSize | PMinSize | PMaxSize;
    hints->x = bounds.getX();
    hints->y = bounds.getY();
    hints->width = hints->min_width = hints->max_width = bounds.getWidth();
    hints->height = hints->min_height = hints->max_height = bounds.getHeight();

    x11->xSetWMNormalHints (display, window, hints);
    x11->xFree (hints);
}
