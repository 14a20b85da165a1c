#include "style/QMVHubLookAndFeel.h"

namespace
{
    // The rounded shapes of buttons and outlines keep one proportion at any height.
    float cornerSizeForHeight (float height)
    {
        return (14.0f * height) / 60.0f;
    }

    /** Rounded at each corner but those of the sides that the flags square off, in
        the order left, right, top, bottom. */
    juce::Path roundedRectangle (float x, float y, float width, float height, float cornerSize,
                                 bool flatOnLeft, bool flatOnRight, bool flatOnTop, bool flatOnBottom)
    {
        juce::Path path;
        path.addRoundedRectangle (x, y, width, height, cornerSize, cornerSize,
                                  ! (flatOnLeft || flatOnTop),
                                  ! (flatOnRight || flatOnTop),
                                  ! (flatOnLeft || flatOnBottom),
                                  ! (flatOnRight || flatOnBottom));
        return path;
    }
}

QMVHubLookAndFeel::QMVHubLookAndFeel()
{
    const juce::Colour accentColour (accent), highlightColour (highlight),
                       darkFillColour (darkFill), lightTextColour (lightText);

    // The colours of components that the program never shows are kept on purpose.
    setColour (juce::TreeView::selectedItemBackgroundColourId, juce::Colour (0x301111ee));
    setColour (juce::TextButton::buttonColourId, accentColour);
    setColour (juce::TextButton::buttonOnColourId, juce::Colour (0xff000000));
    setColour (juce::TextButton::textColourOnId, juce::Colours::white);
    setColour (juce::TextButton::textColourOffId, juce::Colours::white);
    setColour (juce::ComboBox::buttonColourId, accentColour);
    setColour (juce::TabbedButtonBar::tabOutlineColourId, juce::Colour (0x66000000));
    setColour (juce::TabbedComponent::outlineColourId, juce::Colour (0x66000000));
    setColour (juce::Slider::trackColourId, juce::Colour (0xbbffffff));
    setColour (juce::Slider::thumbColourId, juce::Colour (0xffddddff));
    setColour (juce::BubbleComponent::backgroundColourId, juce::Colour (0xeeeeeedd));
    setColour (juce::TextEditor::outlineColourId, juce::Colours::transparentBlack);
    setColour (juce::TextEditor::focusedOutlineColourId, highlightColour);
    setColour (juce::TextEditor::highlightColourId, highlightColour);
    setColour (juce::TextEditor::backgroundColourId, darkFillColour);
    setColour (juce::TextEditor::textColourId, lightTextColour);
    setColour (juce::CaretComponent::caretColourId, highlightColour);
    setColour (juce::ProgressBar::foregroundColourId, accentColour);
    // Light on the dark fill, so that a list that scrolls shows that it does.
    setColour (juce::ScrollBar::thumbColourId, lightTextColour.withAlpha (0.4f));
    setColour (juce::ScrollBar::backgroundColourId, darkFillColour);
    setColour (juce::ScrollBar::trackColourId, darkFillColour);
    setColour (juce::ListBox::backgroundColourId, darkFillColour);
    setColour (juce::ProgressBar::backgroundColourId, darkFillColour);
    setColour (juce::Label::textColourId, lightTextColour);
    setColour (juce::HyperlinkButton::textColourId, highlightColour);
}

//==============================================================================
void QMVHubLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button,
                                              const juce::Colour& backgroundColour,
                                              bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    auto colour = backgroundColour.withMultipliedSaturation (button.hasKeyboardFocus (true) ? 1.3f : 0.9f)
                                  .withMultipliedAlpha (button.isEnabled() ? 0.9f : 0.5f);

    if (shouldDrawButtonAsDown)
        colour = colour.contrasting (0.2f);
    else if (shouldDrawButtonAsHighlighted)
        colour = colour.contrasting (0.1f);

    const auto width = (float) button.getWidth() - 1.0f;
    const auto height = (float) button.getHeight() - 1.0f;

    if (width <= 0.0f || height <= 0.0f)
        return;

    const auto shape = [&] (float inset)
    {
        return roundedRectangle (0.5f + inset, 0.5f + inset, width - 2.0f * inset, height - 2.0f * inset,
                                 cornerSizeForHeight (height - 2.0f * inset),
                                 button.isConnectedOnLeft(), button.isConnectedOnRight(),
                                 button.isConnectedOnTop(), button.isConnectedOnBottom());
    };

    g.setColour (colour);
    g.fillPath (shape (0.0f));

    // The focus ring, inside the shape, where the keyboard will press.
    if (button.hasKeyboardFocus (false))
    {
        g.setColour (juce::Colour (highlight));
        g.strokePath (shape (1.0f), juce::PathStrokeType (2.0f));
    }
}

juce::Font QMVHubLookAndFeel::getTextButtonFont (juce::TextButton&, int buttonHeight)
{
    return withDefaultMetrics (juce::FontOptions (juce::jmin (0.4f * (float) buttonHeight, 20.0f)));
}

//==============================================================================
int QMVHubLookAndFeel::stripeOffset (juce::uint32 millisecondCounter, int barHeight) noexcept
{
    const auto stripeWidth = 2 * barHeight;

    if (stripeWidth <= 0)
        return 0;

    return (int) (millisecondCounter / 15) % stripeWidth;
}

void QMVHubLookAndFeel::drawProgressBar (juce::Graphics& g, juce::ProgressBar& progressBar,
                                         int width, int height, double progress,
                                         const juce::String& textToShow)
{
    // The framework never paints an empty bar, and the stripes need a height to repeat over.
    if (width <= 0 || height <= 0)
        return;

    const auto background = progressBar.findColour (juce::ProgressBar::backgroundColourId);
    const auto foreground = progressBar.findColour (juce::ProgressBar::foregroundColourId);

    g.fillAll (background);

    if (progress >= 0.0 && progress < 1.0)
    {
        const auto innerWidth = juce::jmax (0.0, width - 2.0);

        drawFlatLozenge (g, 1.0f, 1.0f, (float) juce::jlimit (0.0, innerWidth, progress * (width - 2.0)),
                         (float) (height - 2), foreground, 0.5f, 0.0f, true, true, true, true);
    }
    else
    {
        drawBusyStripes (g, width, height, foreground);
    }

    if (textToShow.isNotEmpty())
    {
        g.setColour (juce::Colour::contrasting (background, foreground));
        g.setFont (withDefaultMetrics (juce::FontOptions ((float) height * 0.6f)));
        g.drawText (textToShow, 0, 0, width, height, juce::Justification::centred, false);
    }
}

void QMVHubLookAndFeel::drawBusyStripes (juce::Graphics& g, int width, int height, juce::Colour foreground) const
{
    const auto stripeWidth = 2 * height;
    const auto position = stripeOffset (juce::Time::getMillisecondCounter(), height);
    const auto halfStripe = (float) stripeWidth * 0.5f;

    juce::Path stripes;

    for (auto x = (float) -position; x < (float) (width + stripeWidth); x += (float) stripeWidth)
        stripes.addQuadrilateral (x, 0.0f, x + halfStripe, 0.0f, x, (float) height, x - halfStripe, (float) height);

    juce::Image tile (juce::Image::ARGB, width, height, true);

    {
        juce::Graphics tileGraphics (tile);
        drawFlatLozenge (tileGraphics, 1.0f, 1.0f, (float) (width - 2), (float) (height - 2),
                         foreground, 0.5f, 0.0f, true, true, true, true);
    }

    g.setTiledImageFill (tile, 0, 0, 0.85f);
    g.fillPath (stripes);
}

//==============================================================================
void QMVHubLookAndFeel::drawTextEditorOutline (juce::Graphics& g, int width, int height, juce::TextEditor& editor)
{
    if (! editor.isEnabled())
        return;

    if (editor.isReadOnly())
    {
        g.setColour (editor.findColour (juce::TextEditor::outlineColourId));
        g.drawRect (0, 0, width, height, 1);
        return;
    }

    g.setColour (editor.findColour (juce::TextEditor::focusedOutlineColourId));

    const auto w = (float) (width - 4);
    const auto h = (float) (height - 4);

    if (w <= 0.0f || h <= 0.0f)
        return;

    juce::Path outline;
    outline.addRoundedRectangle (2.0f, 2.0f, w, h, cornerSizeForHeight (h));

    g.strokePath (outline, juce::PathStrokeType (2.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt),
                  juce::AffineTransform());
}

//==============================================================================
void QMVHubLookAndFeel::drawImageButton (juce::Graphics& g, juce::Image* image,
                                         int imageX, int imageY, int imageW, int imageH,
                                         const juce::Colour& overlayColour, float imageOpacity,
                                         juce::ImageButton& button)
{
    if (image == nullptr || ! image->isValid())
        return;

    const auto placement = juce::RectanglePlacement (juce::RectanglePlacement::stretchToFit)
                               .getTransformToFit (image->getBounds().toFloat(),
                                                   juce::Rectangle<int> (imageX, imageY, imageW, imageH).toFloat());

    const auto radiusX = imageW / 2;
    const auto radiusY = imageH / 2;

    juce::Path ellipse;
    ellipse.addCentredArc ((float) (imageX + radiusX), (float) (imageY + radiusY),
                           (float) radiusX, (float) radiusY,
                           0.0f, 0.0f, juce::MathConstants<float>::twoPi, false);

    if (ellipse.isEmpty())
        return;

    if (! overlayColour.isOpaque())
    {
        g.setOpacity (button.isEnabled() ? imageOpacity : imageOpacity * 0.3f);
        g.reduceClipRegion (ellipse, juce::AffineTransform());
        g.drawImageTransformed (*image, placement, false);
    }

    if (! overlayColour.isTransparent())
    {
        g.setColour (overlayColour);
        g.reduceClipRegion (ellipse, juce::AffineTransform());
        g.drawImageTransformed (*image, placement, true);
    }
}

//==============================================================================
void QMVHubLookAndFeel::drawFlatLozenge (juce::Graphics& g, float x, float y, float width, float height,
                                         const juce::Colour& colour, float outlineThickness, float cornerSize,
                                         bool flatOnLeft, bool flatOnRight, bool flatOnTop, bool flatOnBottom) const
{
    if (width <= outlineThickness || height <= outlineThickness)
        return;

    const auto intX = (int) x;
    const auto intY = (int) y;
    const auto intW = (int) width;
    const auto intH = (int) height;

    const auto cs = cornerSize < 0.0f ? juce::jmin (width * 0.5f, height * 0.5f) : cornerSize;
    const auto edgeBlurRadius = height * 0.75f + (height - cs * 2.0f);
    const auto intEdge = (int) edgeBlurRadius;

    const auto outline = roundedRectangle (x, y, width, height, cs, flatOnLeft, flatOnRight, flatOnTop, flatOnBottom);

    g.setColour (colour);
    g.fillPath (outline);

    juce::ColourGradient shading (juce::Colours::transparentBlack, x + edgeBlurRadius, y + height * 0.5f,
                                  colour.darker (0.2f), x, y + height * 0.5f, true);
    shading.addColour (juce::jlimit (0.0, 1.0, 1.0 - (cs * 0.5f) / edgeBlurRadius), juce::Colours::transparentBlack);
    shading.addColour (juce::jlimit (0.0, 1.0, 1.0 - (cs * 0.25f) / edgeBlurRadius),
                       colour.darker (0.2f).withMultipliedAlpha (0.3f));

    if (! (flatOnLeft || flatOnTop || flatOnBottom))
    {
        juce::Graphics::ScopedSaveState state (g);
        g.setGradientFill (shading);
        g.reduceClipRegion (intX, intY, intEdge, intH);
        g.fillPath (outline);
    }

    if (! (flatOnRight || flatOnTop || flatOnBottom))
    {
        shading.point1.setX (x + width - edgeBlurRadius);
        shading.point2.setX (x + width);

        juce::Graphics::ScopedSaveState state (g);
        g.setGradientFill (shading);
        g.reduceClipRegion (intX + intW - intEdge, intY, 2 + intEdge, intH);
        g.fillPath (outline);
    }

    const auto leftIndent = (flatOnTop || flatOnLeft) ? 0.0f : cs * 0.4f;
    const auto rightIndent = (flatOnTop || flatOnRight) ? 0.0f : cs * 0.4f;

    g.setColour (colour);
    g.fillPath (roundedRectangle (x + leftIndent, y + cs * 0.1f, width - (leftIndent + rightIndent), height * 0.4f,
                                  cs * 0.4f, flatOnLeft, flatOnRight, flatOnTop, flatOnBottom));
}
