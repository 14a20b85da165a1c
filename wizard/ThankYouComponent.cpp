#include "wizard/ThankYouComponent.h"

#include "style/LineBreaks.h"
#include "style/QMVHubLookAndFeel.h"
#include "wizard/PathLines.h"
#include "wizard/WizardVocabulary.h"
#include "wizard/WrappedText.h"

ThankYouComponent::ThankYouComponent (juce::ActionBroadcaster* broadcasterToUse, const juce::String& pageName)
    : Component (pageName),
      broadcaster (broadcasterToUse),
      title (TRANS ("Completed")),
      completionMessage (TRANS ("The uninstallation was completed."))
{
    setComponentID (pageName);

    // The children's short names ("l", "b", "desc") are kept on purpose.
    titleLabel = std::make_unique<juce::Label> ("l", title);
    titleLabel->setComponentID ("titleLabel");
    titleLabel->setFont (withDefaultMetrics (juce::FontOptions (28.0f, juce::Font::bold)));
    titleLabel->setDescription (TRANS ("The result of the uninstallation."));
    addAndMakeVisible (*titleLabel);

    okButton = std::make_unique<PageButton> ("b");
    okButton->setComponentID ("okButton");
    okButton->addListener (this);
    okButton->setButtonText ("OK");
    okButton->setDescription (TRANS ("Closes the uninstaller."));
    addAndMakeVisible (*okButton);

    messageBox = std::make_unique<juce::TextEditor> ("desc");
    messageBox->setComponentID ("messageBox");
    messageBox->setMultiLine (true, true);
    messageBox->setReadOnly (true);
    messageBox->setWantsKeyboardFocus (false);   // read only: Return must reach the OK button
    // White in every language, as on the welcome page; the list of what remains takes the look's colours.
    messageBox->setColour (juce::TextEditor::textColourId, juce::Colours::white);
    messageBox->setTitle (TRANS ("Details"));
    messageBox->setDescription (TRANS ("What was removed, and what could not be."));
    messageBox->setText (completionMessage);
    addAndMakeVisible (*messageBox);
}

ThankYouComponent::~ThankYouComponent()
{
    broadcaster = nullptr;
    okButton->removeListener (this);

    okButton = nullptr;
    messageBox = nullptr;
    titleLabel = nullptr;
}

void ThankYouComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (QMVHubLookAndFeel::darkFill));
}

void ThankYouComponent::resized()
{
    if (! remainingFiles.isEmpty())
    {
        layOutRemainingFileList();
        return;
    }

    titleLabel->setBounds (20, 50, getWidth() - 40, 30);
    breakTitle();

    const auto titleBounds = titleLabel->getBounds();
    messageBox->setBounds (titleBounds.getX(), titleBounds.getBottom() + 10, titleBounds.getWidth(), 60);
    WrappedText::show (*messageBox, completionMessage);
    okButton->setBounds (titleBounds.getX(), messageBox->getBottom() + 20, titleBounds.getWidth(), 60);
}

void ThankYouComponent::layOutRemainingFileList()
{
    // The list takes the page's height: the title moves up and the button is lower.
    const auto width = getWidth() - 40;
    titleLabel->setBounds (20, 14, width, 28);
    breakTitle();
    okButton->setBounds (20, getHeight() - 16 - 40, width, 40);

    // Close below the title: the list's first line sits 6 px under it, the room the
    // box's own top indent leaves, and the list keeps the room for a fourth bundle.
    const auto top = titleLabel->getBottom() + 3;
    messageBox->setBounds (20, top, width, okButton->getY() - 8 - top);
    showRemainingFileList();
}

void ThankYouComponent::breakTitle()
{
    // A title too long for its line takes a second one rather than being squeezed.
    auto& label = *titleLabel;
    const auto font = getLookAndFeel().getLabelFont (label);
    const auto border = label.getBorderSize();
    // Measured as a text box measures a line, with the line feed that a label does not draw.
    const auto width = (float) border.subtractedFrom (label.getLocalBounds()).getWidth()
                     + juce::GlyphArrangement::getStringWidth (font, "\n");
    const auto lines = LineBreaks::wrap (title, font, width);

    label.setText (lines.joinIntoString ("\n"), juce::dontSendNotification);
    const auto needed = (int) std::ceil (font.getHeight() * (float) lines.size()) + border.getTopAndBottom();
    label.setSize (label.getWidth(), juce::jmax (label.getHeight(), needed));
}

bool ThankYouComponent::keyPressed (const juce::KeyPress& key)
{
    // The arrow and page keys scroll the list while the OK button keeps the focus.
    for (auto* child : messageBox->getChildren())
        if (auto* viewport = dynamic_cast<juce::Viewport*> (child))
            return viewport->keyPressed (key);

    return false;
}

void ThankYouComponent::buttonClicked (juce::Button* button)
{
    if (button == okButton.get())
        broadcaster->sendActionMessage (WizardVocabulary::completed);
}

void ThankYouComponent::visibilityChanged()
{
    if (okButton->isShowing())
        okButton->grabKeyboardFocus();
}

void ThankYouComponent::showRemainingFiles (const juce::StringArray& paths)
{
    if (paths.isEmpty())
        return;

    remainingFiles = paths;
    title = TRANS ("Not all files were removed");
    titleLabel->setFont (withDefaultMetrics (juce::FontOptions (22.0f, juce::Font::bold)));
    layOutRemainingFileList();
}

void ThankYouComponent::showRemainingFileList()
{
    // Each bundle by its name, with its folder below in a smaller font and a dimmer colour.
    const auto nameColour = getLookAndFeel().findColour (juce::TextEditor::textColourId);
    const auto boxColour = messageBox->findColour (juce::TextEditor::textColourId);
    const juce::Font nameFont (withDefaultMetrics (juce::FontOptions (15.0f))),
                     folderFont (withDefaultMetrics (juce::FontOptions (12.5f))),
                     gapFont (withDefaultMetrics (juce::FontOptions (4.0f)));
    auto& box = *messageBox;

    const auto append = [&box] (const juce::String& text, const juce::Font& font, juce::Colour colour)
    {
        box.setFont (font);
        box.setColour (juce::TextEditor::textColourId, colour);
        box.insertTextAtCaret (text);
    };

    box.clear();

    for (int i = 0; i < remainingFiles.size(); ++i)
    {
        const auto& path = remainingFiles[i];
        const auto name = PathLines::wrapToFit (path.fromLastOccurrenceOf ("/", false, false), box, nameFont);
        const auto parent = path.upToLastOccurrenceOf ("/", false, false);
        const auto folder = PathLines::wrapToFit (TRANS ("in") + " " + (parent.isEmpty() ? "/" : parent),
                                                  box, folderFont);

        // A thin blank line sets each bundle apart from the one before.
        if (i > 0)
            append ("\n\n", gapFont, nameColour);

        append (name.joinIntoString ("\n") + "\n", nameFont, nameColour);
        append (folder.joinIntoString ("\n"), folderFont, nameColour.withMultipliedAlpha (0.7f));
    }

    box.setColour (juce::TextEditor::textColourId, boxColour);
    box.moveCaretToTop (false);
}
