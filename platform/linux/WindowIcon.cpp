#include "platform/WindowIcon.h"

#include "WindowIconData.h"

void WindowIcon::apply (juce::ComponentPeer& peer)
{
    if (auto icon = juce::ImageFileFormat::loadFrom (WindowIconData::windowicon_png,
                                                     (size_t) WindowIconData::windowicon_pngSize);
        icon.isValid())
        peer.setIcon (icon);
}
