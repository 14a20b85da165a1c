#pragma once

#include <juce_core/juce_core.h>

/** Finds an installed typeface that can draw Japanese text. */
namespace JapaneseTypeface
{
    /** The family name, as the framework lists it, of a typeface that has a glyph
        for every character of the sample, a proportional one where any is; empty
        when none is installed. On a Mac, "Arial Unicode MS" where it is installed,
        else "Hiragino Sans", both of which draw the program's Japanese texts. */
    juce::String findFamilyName (const juce::String& sampleText);
}
