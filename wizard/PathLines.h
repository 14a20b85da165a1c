#pragma once

#include <juce_graphics/juce_graphics.h>

/** Breaks file paths into lines that fit a width, so that a path is read whole
    instead of being cut at a text box's edge. */
namespace PathLines
{
    /** What begins every line after a path's first. */
    constexpr const char* continuationIndent = "  ";

    /** The path's lines in the font, none wider than the width: broken after a "/"
        where one fits, otherwise between characters. */
    juce::StringArray wrap (const juce::String& path, const juce::Font& font, float width);
}
