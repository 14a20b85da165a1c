#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "uninstall/AuthorizationRequest.h"
#include "uninstall/UninstallSetup.h"
#include "style/QMVHubLookAndFeel.h"
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
    // The pages' names, which are also their component IDs.
    static constexpr const char* pageNameStart = "QMVHubPageNameStart";
    static constexpr const char* pageNameThankYou = "QMVHubPageNameThankYou";
    static constexpr int pageWidth = 400;
    static constexpr int pageHeight = 240;

    /** Uninstalls what this program is built to remove (the product: the driver's bundles). */
    MainLayoutComponent();

    /** Uninstalls the given targets, with rights obtained as the setup says. */
    explicit MainLayoutComponent (UninstallSetup setup);
    ~MainLayoutComponent() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    void actionListenerCallback (const juce::String& message) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    /** The uninstall job: asks for the rights, removes the bundles that exist, waits,
        gives the rights back and hands "finished" to the message thread; or, when the
        rights are refused or cannot even be asked for, hands that back. */
    void run() override;

private:
    void startUninstall();
    bool obtainAuthorization (std::unique_ptr<AuthorizationServices> services);
    juce::StringArray removeDriverFiles();
    void releaseAuthorization();
    void callOnMessageThread (std::function<void (MainLayoutComponent&)> call);
    void finishUninstall (const juce::StringArray& remainingFiles);
    void showRefusal (const AuthorizationServices::PromptObstacle& obstacle);

    void moveForwardTo (const juce::String& pageName);
    void moveBackwardTo (const juce::String& pageName);
    void moveBackward();

    void fadeIn (juce::Component& target, juce::Component& current);
    void slideInFromRight (juce::Component& target, juce::Component& current);
    void slideOutToRight (juce::Component& target, juce::Component& current);

    juce::Component* findPage (const juce::String& pageName) const;
    juce::Rectangle<int> getPageBounds() const;

    const UninstallSetup uninstallSetup;
    // Made on the message thread; the job's calls back to it ask it whether we still exist.
    const juce::Component::SafePointer<MainLayoutComponent> jobCallTarget;

    std::unique_ptr<ThankYouComponent> thankYouComponent;
    std::unique_ptr<WelcomeComponent> welcomeComponent;
    std::unique_ptr<ShadowComponent> shadowComponent;
    juce::ActionBroadcaster broadcaster;

    // Touched by one thread at a time. While no job runs it is null and nobody uses
    // it. From the job's start to its end it belongs to the job's thread alone,
    // which makes it (the prompt), uses it and deletes it under the message-thread lock.
    std::unique_ptr<CAuth> auth;
    AuthorizationRequest authorizationRequest;
    QMVHubLookAndFeel lookAndFeel;
    juce::Array<juce::Component*> pageStack;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainLayoutComponent)
};
