#include <gtest/gtest.h>

#include "wizard/PathLines.h"

TEST (PathLines, BreaksAfterSlashesWithinTheWidthAndKeepsEveryCharacter)
{
    // Each width holds the line feed that ends a line in the box.
    const juce::Font font (juce::FontOptions (14.0f));
    const juce::String path ("/Library/Audio/MIDI Drivers/advPelkUSBMIDIDriver.plugin");
    const juce::String indent (PathLines::continuationIndent);

    struct Case { float width; juce::StringArray lines; };

    for (auto& [width, expected] : {
             Case { 10000.0f, { path } },
             Case { juce::GlyphArrangement::getStringWidth (font, indent + "advPelkUSBMIDIDriver.plugin/\n"),
                    { "/Library/Audio/MIDI Drivers/", indent + "advPelkUSBMIDIDriver.plugin" } } })
    {
        EXPECT_EQ (PathLines::wrap (path, font, width).joinIntoString ("|"), expected.joinIntoString ("|"));
    }

    // A part too long for any line is broken between characters, and nothing is lost.
    const auto narrow = juce::GlyphArrangement::getStringWidth (font, indent + "MIDI Drivers/\n");
    const auto lines = PathLines::wrap (path, font, narrow);
    juce::String joined;

    for (auto& line : lines)
    {
        EXPECT_LE (juce::GlyphArrangement::getStringWidth (font, line + "\n"), narrow) << line;
        joined += line.startsWith (indent) && joined.isNotEmpty() ? line.substring (indent.length()) : line;
    }

    EXPECT_EQ (joined, path);
    EXPECT_EQ (lines[2], indent + "MIDI Drivers/");
    EXPECT_GT (lines.size(), 5);
    EXPECT_EQ (PathLines::wrap ("", font, narrow), juce::StringArray (""));
}
