#include "wizard/ThankYouComponent.h"

#include "wizard/PathLines.h"

ThankYouComponent::ThankYouComponent (juce::ActionBroadcaster* broadcasterToUse, const juce::String& pageName)
    : Component (pageName),
      broadcaster (broadcasterToUse)
{
    titleLabel = std::make_unique<juce::Label> ("l", TRANS ("Completed"));
    titleLabel->setFont (juce::Font (28.0f, juce::Font::bold));
    titleLabel->setDescription (TRANS ("The result of the uninstallation."));
    addAndMakeVisible (*titleLabel);

    okButton = std::make_unique<PageButton> ("b");
    okButton->addListener (this);
    okButton->setButtonText ("OK");
    okButton->setDescription (TRANS ("Closes the uninstaller."));
    addAndMakeVisible (*okButton);

    messageBox = std::make_unique<juce::TextEditor> ("desc");
    messageBox->setMultiLine (true, true);
    messageBox->setReadOnly (true);
    messageBox->setWantsKeyboardFocus (false);   // read only: Return must reach the OK button
    messageBox->setTitle (TRANS ("Details"));
    messageBox->setDescription (TRANS ("What was removed, and what could not be."));
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
    titleLabel->setText (TRANS ("Not all files were removed"), juce::dontSendNotification);
    showRemainingFileList();
}

void ThankYouComponent::showRemainingFileList()
{
    juce::StringArray lines (TRANS ("Some driver files could not be removed:"));

    for (auto& path : remainingFiles)
        lines.addArray (PathLines::wrapToFit (path, *messageBox));

    messageBox->setText (lines.joinIntoString ("\n"));
}
