#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "style/QMVHubLookAndFeel.h"
#include "wizard/ShadowComponent.h"
#include "wizard/ThankYouComponent.h"
#include "wizard/WelcomeComponent.h"

/** The window's content: owns the pages, keeps the history of pages shown and
    carries out the messages that the pages send, animating each change of page. */
class MainLayoutComponent : public juce::Component,
                            public juce::ActionListener,
                            public juce::ChangeListener
{
public:
    static constexpr const char* pageNameStart = "QMVHubPageNameStart";
    static constexpr const char* pageNameThankYou = "QMVHubPageNameThankYou";

    MainLayoutComponent();
    ~MainLayoutComponent() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    void actionListenerCallback (const juce::String& message) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    const juce::Array<juce::Component*>& getPageStack() const noexcept   { return pageStack; }
    WelcomeComponent& getWelcomePage() noexcept                          { return *welcomeComponent; }
    ThankYouComponent& getThankYouPage() noexcept                        { return *thankYouComponent; }
    ShadowComponent& getShadow() noexcept                                { return *shadowComponent; }

private:
    void moveForwardTo (const juce::String& pageName);
    void moveBackwardTo (const juce::String& pageName);
    void moveBackward();

    void fadeIn (juce::Component& target, juce::Component& current);
    void slideInFromRight (juce::Component& target, juce::Component& current);
    void slideOutToRight (juce::Component& target, juce::Component& current);

    juce::Component* findPage (const juce::String& pageName) const;

    std::unique_ptr<ThankYouComponent> thankYouComponent;
    std::unique_ptr<WelcomeComponent> welcomeComponent;
    std::unique_ptr<ShadowComponent> shadowComponent;
    juce::ActionBroadcaster broadcaster;
    QMVHubLookAndFeel lookAndFeel;
    juce::Array<juce::Component*> pageStack;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainLayoutComponent)
};
