#include "platform/WindowIcon.h"

#if JUCE_LINUX || JUCE_BSD
 #include "WindowIconData.h"
#endif

namespace WindowIcon
{
   #if JUCE_LINUX || JUCE_BSD
    void apply (juce::ComponentPeer& peer)
    {
        if (auto icon = juce::ImageFileFormat::loadFrom (WindowIconData::windowicon_png,
                                                         (size_t) WindowIconData::windowicon_pngSize);
            icon.isValid())
            peer.setIcon (icon);
    }
   #else
    void apply (juce::ComponentPeer&)
    {
    }
   #endif
}
