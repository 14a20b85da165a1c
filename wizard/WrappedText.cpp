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

    int heightNeeded (const juce::TextEditor& box)
    {
        // The framework's getTextHeight() is never less than the box's own: its lines tell.
        const auto text = box.getTextBounds ({ 0, box.getTotalNumChars() }).getBounds();
        const auto* viewport = findViewport (box);
        const auto scrolled = viewport != nullptr ? viewport->getViewPositionY() : 0;
        return text.getBottom() + scrolled + box.getBorder().getBottom();
    }

    void show (juce::TextEditor& box, const juce::String& text, const juce::StringArray& linesBelow)
    {
        // Narrower lines make no shorter text, so this settles by the second go.
        for (int go = 0; go < 3; ++go)
        {
            const auto width = wholeLineWidth (box);
            juce::StringArray parts;

            for (auto& paragraph : juce::StringArray::fromLines (text))
            {
                // A line feed ends each line, in place of the spaces there: the box would
                // also break after a hyphen, which our lines keep whole ("mate-polkit").
                juce::StringArray lines;

                for (auto& line : LineBreaks::wrap (paragraph, box.getFont(), (float) width))
                    lines.add (line.trimEnd());

                parts.add (lines.joinIntoString ("\n"));
            }

            parts.addArray (linesBelow);
            box.setText (parts.joinIntoString ("\n"), false);

            if (wholeLineWidth (box) == width)
                return;
        }
    }
}
