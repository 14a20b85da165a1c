#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The program's own style: a dark theme with a red accent, flat rounded buttons
    and a striped busy bar. */
// Its name, like QMV_HubApplication's and CAuth's, is kept on purpose.
class QMVHubLookAndFeel : public juce::LookAndFeel_V3
{
public:
    static constexpr juce::uint32 accent    = 0xffe9465d;
    static constexpr juce::uint32 highlight = 0xffef82af;
    static constexpr juce::uint32 darkFill  = 0xff282828;
    static constexpr juce::uint32 lightText = 0xffc8c8c8;

    QMVHubLookAndFeel();
    ~QMVHubLookAndFeel() override = default;

    void drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    juce::Font getTextButtonFont (juce::TextButton& button, int buttonHeight) override;

    void drawProgressBar (juce::Graphics& g, juce::ProgressBar& progressBar, int width, int height,
                          double progress, const juce::String& textToShow) override;

    void drawTextEditorOutline (juce::Graphics& g, int width, int height, juce::TextEditor& editor) override;

    // Kept on purpose, though the program shows no image button.
    void drawImageButton (juce::Graphics& g, juce::Image* image,
                          int imageX, int imageY, int imageW, int imageH,
                          const juce::Colour& overlayColour, float imageOpacity,
                          juce::ImageButton& button) override;

    /** How far the busy bar's stripes have moved, in pixels, at a reading of the
        millisecond counter; 0 for a bar without height. */
    static int stripeOffset (juce::uint32 millisecondCounter, int barHeight) noexcept;

private:
    /** A rounded rectangle filled with the colour and outlined a little darker; each
        flatOn... flag squares off the corners of that side (left, right, top, bottom). */
    void drawFlatLozenge (juce::Graphics& g, float x, float y, float width, float height,
                          const juce::Colour& colour, float outlineThickness, float cornerSize,
                          bool flatOnLeft, bool flatOnRight, bool flatOnTop, bool flatOnBottom) const;

    void drawBusyStripes (juce::Graphics& g, int width, int height, juce::Colour foreground) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QMVHubLookAndFeel)
};
