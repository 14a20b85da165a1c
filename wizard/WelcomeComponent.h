#pragma once

#include "wizard/PageButton.h"

/** The first page: says what will be removed and offers the one button that
    starts the removal. Its component ID is its page name; its controls' IDs are
    their members' names. */
class WelcomeComponent : public juce::Component,
                         public juce::Button::Listener
{
public:
    WelcomeComponent (juce::ActionBroadcaster* broadcaster, const juce::String& pageName);
    ~WelcomeComponent() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;

    /** Back to the look the page starts with, after the rights were refused; the
        button has the keyboard focus again. */
    void restoreIdleState();

    /** Says in the description box, grown into the room below it, why the user could
        not be asked for the password, and names the file concerned, if any. */
    void explainProblem (const juce::String& explanation, const juce::String& path);

private:
    void showDescription();

    juce::ActionBroadcaster* broadcaster;
    std::unique_ptr<juce::ProgressBar> progressBar;
    std::unique_ptr<PageButton> uninstallButton;
    std::unique_ptr<juce::TextEditor> descriptionBox;

    // What the box says, and the file concerned, before they are broken into its lines.
    juce::String description, problemPath;

    // Outside 0..1 on purpose: the bar shows that work goes on, not how much is done.
    double progressValue = 2.0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WelcomeComponent)
};
