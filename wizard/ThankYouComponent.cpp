#include "wizard/ThankYouComponent.h"

#include "wizard/PathLines.h"

ThankYouComponent::ThankYouComponent (juce::ActionBroadcaster* broadcasterToUse, const juce::String& pageName)
    : Component (pageName),
      broadcaster (broadcasterToUse)
{
    titleLabel = std::make_unique<juce::Label> ("l", TRANS ("Completed"));
    titleLabel->setFont (juce::Font (28.0f, juce::Font::bold));
    addAndMakeVisible (*titleLabel);

    okButton = std::make_unique<juce::TextButton> ("b");
    okButton->addListener (this);
    okButton->setButtonText ("OK");
    addAndMakeVisible (*okButton);

    messageBox = std::make_unique<juce::TextEditor> ("desc");
    messageBox->setMultiLine (true, true);
    messageBox->setReadOnly (true);
    messageBox->setText (TRANS ("The uninstallation was completed."));
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
    g.fillAll (juce::Colour (0xff282828));
}

void ThankYouComponent::resized()
{
    titleLabel->setBounds (20, 50, getWidth() - 40, 30);

    const auto title = titleLabel->getBounds();
    messageBox->setBounds (title.getX(), title.getBottom() + 10, title.getWidth(), 60);
    okButton->setBounds (title.getX(), messageBox->getBottom() + 20, title.getWidth(), 60);

    if (! remainingFiles.isEmpty())
        showRemainingFileList();
}

void ThankYouComponent::buttonClicked (juce::Button* button)
{
    if (button == okButton.get())
        broadcaster->sendActionMessage ("completed");
}

void ThankYouComponent::showRemainingFiles (const juce::StringArray& paths)
{
    if (paths.isEmpty())
        return;

    remainingFiles = paths;
    titleLabel->setText (TRANS ("Not all files were removed"), juce::dontSendNotification);
    showRemainingFileList();
}

void ThankYouComponent::showRemainingFileList()
{
    // The box wraps only at spaces; a path is broken at its slashes instead, within
    // the room that the scroll bar of a long list leaves.
    constexpr int caretSpace = 2;
    const auto width = messageBox->getWidth() - messageBox->getBorder().getLeftAndRight()
                     - messageBox->getLeftIndent() - caretSpace
                     - messageBox->getLookAndFeel().getDefaultScrollbarWidth();

    juce::StringArray lines (TRANS ("Some driver files could not be removed:"));

    for (auto& path : remainingFiles)
        lines.addArray (PathLines::wrap (path, messageBox->getFont(), (float) width));

    messageBox->setText (lines.joinIntoString ("\n"));
}
