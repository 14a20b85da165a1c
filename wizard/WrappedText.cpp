#include "wizard/WrappedText.h"

#include "style/LineBreaks.h"

namespace
{
    const juce::Viewport* findViewport (const juce::TextEditor& box)
    {
        for (auto* child : box.getChildren())
            if (auto* viewport = dynamic_cast<const juce::Viewport*> (child))
                return viewport;

        return nullptr;
    }

    int besideTheCaret (const juce::TextEditor& box, int visibleWidth)
    {
        // The box keeps two pixels right of a line for its caret.
        constexpr int caretSpace = 2;
        return juce::jmax (1, visibleWidth - box.getLeftIndent() - caretSpace);
    }

    /** A paragraph's lines as one text for the box: a line feed only where the box
        would not break by itself, so that a text that breaks at spaces alone stays as it is. */
    juce::String joinForTheBox (const juce::StringArray& lines)
    {
        juce::String text;

        for (int i = 0; i < lines.size(); ++i)
        {
            const auto& line = lines[i];
            text += line;

            if (i + 1 < lines.size() && ! juce::CharacterFunctions::isWhitespace (line.getLastCharacter()))
                text += "\n";
        }

        return text;
    }

    /** The width in which the box lays out a line now: less its scroll bar while that shows. */
    int wholeLineWidth (const juce::TextEditor& box)
    {
        auto* viewport = findViewport (box);
        return besideTheCaret (box, viewport != nullptr ? viewport->getMaximumVisibleWidth()
                                                        : box.getWidth() - box.getBorder().getLeftAndRight());
    }
}

namespace WrappedText
{
    float lineWidthBesideScrollBar (const juce::TextEditor& box)
    {
        return (float) besideTheCaret (box, box.getWidth() - box.getBorder().getLeftAndRight()
                                        - box.getLookAndFeel().getDefaultScrollbarWidth());
    }

    void show (juce::TextEditor& box, const juce::String& text, const juce::StringArray& linesBelow)
    {
        // Narrower lines make no shorter text, so this settles by the second go.
        for (int go = 0; go < 3; ++go)
        {
            const auto width = wholeLineWidth (box);
            juce::StringArray parts;

            for (auto& paragraph : juce::StringArray::fromLines (text))
                parts.add (joinForTheBox (LineBreaks::wrap (paragraph, box.getFont(), (float) width)));

            parts.addArray (linesBelow);
            box.setText (parts.joinIntoString ("\n"), false);

            if (wholeLineWidth (box) == width)
                return;
        }
    }
}
