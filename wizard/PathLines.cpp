#include "wizard/PathLines.h"

namespace
{
    /** The path's parts, each ending with its "/"; leading slashes stay with the part after them. */
    juce::StringArray splitAfterSlashes (const juce::String& path)
    {
        juce::StringArray parts;
        juce::String part;

        for (auto character : path)
        {
            part += character;

            if (character == '/' && ! part.containsOnly ("/"))
            {
                parts.add (part);
                part.clear();
            }
        }

        if (part.isNotEmpty())
            parts.add (part);

        return parts;
    }
}

namespace PathLines
{
    juce::StringArray wrap (const juce::String& path, const juce::Font& font, float width)
    {
        juce::StringArray lines;
        juce::String line;
        auto lineHoldsText = false;

        const auto append = [&] (const juce::String& text)
        {
            if (lineHoldsText && font.getStringWidthFloat (line + text) > width)
            {
                lines.add (line);
                line = continuationIndent;
            }

            line += text;
            lineHoldsText = true;
        };

        for (auto& part : splitAfterSlashes (path))
        {
            if (font.getStringWidthFloat (juce::String (continuationIndent) + part) <= width)
            {
                append (part);
                continue;
            }

            // Too long for any line of its own.
            for (auto character : part)
                append (juce::String::charToString (character));
        }

        lines.add (line);
        return lines;
    }

    juce::StringArray wrapToFit (const juce::String& path, juce::TextEditor& box)
    {
        return wrapToFit (path, box, box.getFont());
    }

    juce::StringArray wrapToFit (const juce::String& path, juce::TextEditor& box, const juce::Font& font)
    {
        constexpr int caretSpace = 2;
        const auto width = box.getWidth() - box.getBorder().getLeftAndRight() - box.getLeftIndent()
                         - caretSpace - box.getLookAndFeel().getDefaultScrollbarWidth();

        return wrap (path, font, (float) width);
    }
}
