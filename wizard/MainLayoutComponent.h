#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "uninstall/UninstallSequence.h"
#include "style/QMVHubLookAndFeel.h"
#include "wizard/WizardVocabulary.h"
#include "wizard/ShadowComponent.h"
#include "wizard/ThankYouComponent.h"
#include "wizard/WelcomeComponent.h"

/** The window's content: owns the pages, keeps the history of pages shown and
    carries out the messages that the pages send, animating each change of page.
    Its own thread is the uninstall job. */
class MainLayoutComponent : public juce::Component,
                            public juce::ActionListener,
                            public juce::ChangeListener,
                            public juce::Thread
{
public:
    static constexpr int pageWidth = 400;
    static constexpr int pageHeight = 240;

    /** Uninstalls the setup's targets, with rights obtained as the setup says. */
    explicit MainLayoutComponent (UninstallSetup setup);
    ~MainLayoutComponent() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    void actionListenerCallback (const juce::String& message) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    /** The uninstall job: the uninstall sequence asks for the rights, removes the
        bundles that exist and waits; then run() gives the rights back and hands the
        outcome to the message thread: "finished", or the refusal and why. */
    void run() override;

private:
    void startUninstall();
    void releaseAuthorization();
    void callOnMessageThread (std::function<void (MainLayoutComponent&)> call);
    void showOutcome (const UninstallSequence::Outcome& outcome);
    void finishUninstall (const std::vector<DriverRemoval::Bundle>& bundles);
    void showRefusal (const AuthorizationServices::PromptObstacle& obstacle);

    void moveForwardTo (const juce::String& pageName);
    void moveBackwardTo (const juce::String& pageName);
    void moveBackward();

    void fadeIn (juce::Component& target, juce::Component& current);
    void slideInFromRight (juce::Component& target, juce::Component& current);
    void slideOutToRight (juce::Component& target, juce::Component& current);

    juce::Component* findPage (const juce::String& pageName) const;
    juce::Rectangle<int> getPageBounds() const;

    // Made on the message thread; run()'s calls back to it ask it whether we still exist.
    const juce::Component::SafePointer<MainLayoutComponent> jobCallTarget;

    std::unique_ptr<ThankYouComponent> thankYouComponent;
    std::unique_ptr<WelcomeComponent> welcomeComponent;
    std::unique_ptr<ShadowComponent> shadowComponent;
    juce::ActionBroadcaster broadcaster;

    // Touched by one thread at a time. While run() is not working it is null and nobody uses
    // it. From run()'s start to its end it belongs to that thread alone,
    // which makes it (the prompt), uses it and deletes it under the message-thread lock.
    std::unique_ptr<CAuth> auth;
    UninstallSequence uninstallSequence;
    QMVHubLookAndFeel lookAndFeel;
    juce::Array<juce::Component*> pageStack;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainLayoutComponent)
};
