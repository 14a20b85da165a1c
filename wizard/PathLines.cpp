#include "wizard/PathLines.h"

#include "style/LineBreaks.h"
#include "wizard/WrappedText.h"

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
        return LineBreaks::fill (splitAfterSlashes (path), font, width, continuationIndent);
    }

    juce::StringArray wrapToFit (const juce::String& path, juce::TextEditor& box)
    {
        return wrapToFit (path, box, box.getFont());
    }

    juce::StringArray wrapToFit (const juce::String& path, juce::TextEditor& box, const juce::Font& font)
    {
        return wrap (path, font, WrappedText::lineWidthBesideScrollBar (box));
    }
}
