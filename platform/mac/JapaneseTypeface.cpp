#include "platform/JapaneseTypeface.h"

#include <juce_graphics/juce_graphics.h>

juce::String JapaneseTypeface::findFamilyName (const juce::String&)
{
    // Both draw every character of our texts. The framework lists the families that
    // the system has; a face that is not installed it would draw with another face's
    // glyph numbers, not boxes, so it is never named unless it is there.
    const auto installed = juce::Font::findAllTypefaceNames();

    for (auto* family : { "Arial Unicode MS", "Hiragino Sans" })
        if (installed.contains (family))
            return family;

    return {};
}
