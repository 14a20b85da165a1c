#pragma once

#include "wizard/PageButton.h"

/** The last page: says that the removal is done; its button ends the program.
    Its component ID is its page name; its controls' IDs are their members' names. */
class ThankYouComponent : public juce::Component,
                          public juce::Button::Listener
{
public:
    ThankYouComponent (juce::ActionBroadcaster* broadcaster, const juce::String& pageName);
    ~ThankYouComponent() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;

    /** Once shown, the OK button has the keyboard focus, so that Return ends the program. */
    void visibilityChanged() override;

    /** Scrolls a list of remaining files that is longer than its box. */
    bool keyPressed (const juce::KeyPress& key) override;

    /** Names the files that are still there, each by its name with its folder below,
        under a title of its own and in the room the page has, instead of reporting
        success; an empty list leaves the page as it is. */
    void showRemainingFiles (const juce::StringArray& paths);

private:
    void layOutRemainingFileList();
    void showRemainingFileList();
    void breakTitle();

    juce::ActionBroadcaster* broadcaster;
    std::unique_ptr<juce::Label> titleLabel;
    std::unique_ptr<juce::TextEditor> messageBox;
    std::unique_ptr<PageButton> okButton;
    juce::String title, completionMessage;
    juce::StringArray remainingFiles;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ThankYouComponent)
};
