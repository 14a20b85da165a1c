#include "wizard/WelcomeComponent.h"

#include "platform/AppTempFolder.h"
#include "wizard/PathLines.h"
#include "wizard/WizardVocabulary.h"
#include "wizard/WrappedText.h"

namespace
{
    juce::String describeTheUninstaller()
    {
        return TRANS ("This uninstaller removes PELK USB MIDI Driver from the system. "
                      "You may prompt to enter your password in the uninstallation process.");
    }
}

WelcomeComponent::WelcomeComponent (juce::ActionBroadcaster* broadcasterToUse, const juce::String& pageName)
    : Component (pageName),
      broadcaster (broadcasterToUse),
      description (describeTheUninstaller())
{
    setComponentID (pageName);

    // The children's short names ("b", "ed") are kept on purpose.
    uninstallButton = std::make_unique<PageButton> ("b");
    uninstallButton->setComponentID ("uninstallButton");
    uninstallButton->setButtonText (TRANS ("Uninstall Driver"));
    uninstallButton->setDescription (TRANS ("Asks for an administrator's password, then removes the driver."));
    uninstallButton->addListener (this);
    addAndMakeVisible (*uninstallButton);

    progressBar = std::make_unique<juce::ProgressBar> (progressValue);
    progressBar->setComponentID ("progressBar");
    addChildComponent (*progressBar);

    descriptionBox = std::make_unique<juce::TextEditor> ("ed");
    descriptionBox->setComponentID ("descriptionBox");
    descriptionBox->setReadOnly (true);
    descriptionBox->setMultiLine (true, true);
    descriptionBox->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x00000000));
    // White in every language: a text set before the look is installed always was,
    // and one broken into lines later must not take the look's dimmer text colour.
    descriptionBox->setColour (juce::TextEditor::textColourId, juce::Colours::white);
    descriptionBox->setWantsKeyboardFocus (false);   // read only: the focus stays on the button
    descriptionBox->setTitle (TRANS ("Description"));
    descriptionBox->setDescription (TRANS ("What the uninstaller removes."));
    descriptionBox->setText (description);
    addAndMakeVisible (*descriptionBox);

    // Whatever a previous run left behind goes; failing to clear it is harmless.
    AppTempFolder::moveToTrash();
}

WelcomeComponent::~WelcomeComponent()
{
    uninstallButton->removeListener (this);
    broadcaster = nullptr;

    uninstallButton = nullptr;
    progressBar = nullptr;
    descriptionBox = nullptr;
}

void WelcomeComponent::paint (juce::Graphics&)
{
}

void WelcomeComponent::resized()
{
    const auto width = getWidth() - 40;

    uninstallButton->setBounds (20, 20, width, 60);
    progressBar->setBounds (20, getHeight() / 2, width, 8);

    // A text longer than the box's three lines (in Japanese, or an explanation) takes
    // the room below it rather than a scroll bar; measured where it has that room.
    constexpr int height = 60;
    const auto top = uninstallButton->getBottom() + 10;
    const auto room = juce::jmax (height, getHeight() - 20 - top);
    descriptionBox->setBounds (20, top, width, room);
    showDescription();

    descriptionBox->setSize (width, juce::jlimit (height, room, WrappedText::heightNeeded (*descriptionBox)));
}

void WelcomeComponent::buttonClicked (juce::Button* button)
{
    if (button != uninstallButton.get())
        return;

    broadcaster->sendActionMessage (WizardVocabulary::uninstall);
    uninstallButton->setEnabled (false);
    descriptionBox->setVisible (false);
    progressBar->setVisible (true);
}

void WelcomeComponent::restoreIdleState()
{
    description = describeTheUninstaller();
    problemPath.clear();
    resized();
    descriptionBox->setVisible (true);
    progressBar->setVisible (false);
    uninstallButton->setEnabled (true);

    // Only a button on the screen can take the focus.
    if (uninstallButton->isShowing())
        uninstallButton->grabKeyboardFocus();
}

void WelcomeComponent::explainProblem (const juce::String& explanation, const juce::String& path)
{
    description = explanation;
    problemPath = path;
    resized();
}

void WelcomeComponent::showDescription()
{
    // The path on lines of its own, broken after its slashes.
    const auto pathLines = problemPath.isEmpty() ? juce::StringArray()
                                                 : PathLines::wrapToFit (problemPath, *descriptionBox);
    WrappedText::show (*descriptionBox, description, pathLines);
}
