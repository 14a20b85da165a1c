#include <gtest/gtest.h>

#include "style/JapaneseLocale.h"
#include "support/MessageLoop.h"
#include "wizard/MainLayoutComponent.h"

namespace
{
    /** Collects the messages that a page sends, as the page host would receive them. */
    struct MessageRecorder : public juce::ActionListener
    {
        explicit MessageRecorder (juce::ActionBroadcaster& b) : broadcaster (b)  { broadcaster.addActionListener (this); }
        ~MessageRecorder() override                                                { broadcaster.removeActionListener (this); }

        void actionListenerCallback (const juce::String& message) override        { messages.add (message); }

        juce::StringArray deliveredAfter (std::function<void()> action)
        {
            messages.clear();
            action();
            MessageLoop::runFor (50);
            return messages;
        }

        juce::ActionBroadcaster& broadcaster;
        juce::StringArray messages;
    };

    void click (juce::Button& button)
    {
        button.triggerClick();
        MessageLoop::runFor (20);
    }

    struct WelcomeLook
    {
        bool buttonVisible, buttonEnabled, descriptionVisible, barVisible;

        static WelcomeLook of (WelcomeComponent& page)
        {
            return { page.getUninstallButton().isVisible(), page.getUninstallButton().isEnabled(),
                     page.getDescriptionBox().isVisible(), page.getProgressBar().isVisible() };
        }

        bool operator== (const WelcomeLook& o) const
        {
            return buttonVisible == o.buttonVisible && buttonEnabled == o.buttonEnabled
                && descriptionVisible == o.descriptionVisible && barVisible == o.barVisible;
        }
    };

    const WelcomeLook idle { true, true, true, false };
    const WelcomeLook working { true, false, false, true };

    class Pages : public testing::Test
    {
    protected:
        juce::ActionBroadcaster broadcaster;
        MessageRecorder recorder { broadcaster };
    };
}

TEST_F (Pages, WelcomePageLaysOutItsControlsFromTheTop)
{
    WelcomeComponent page (&broadcaster, MainLayoutComponent::pageNameStart);
    page.setSize (400, 240);

    EXPECT_EQ (page.getName(), "QMVHubPageNameStart");
    EXPECT_EQ (page.getUninstallButton().getBounds(), juce::Rectangle<int> (20, 20, 360, 60));
    EXPECT_EQ (page.getProgressBar().getBounds(), juce::Rectangle<int> (20, 120, 360, 8));
    EXPECT_EQ (page.getDescriptionBox().getBounds(), juce::Rectangle<int> (20, 90, 360, 60));

    // Narrower, the text needs more lines: the box takes them from the room below,
    // without a scroll bar.
    page.setSize (300, 241);
    EXPECT_EQ (page.getProgressBar().getBounds(), juce::Rectangle<int> (20, 120, 260, 8));
    auto& box = page.getDescriptionBox();
    EXPECT_EQ (box.getBounds().withHeight (60), juce::Rectangle<int> (20, 90, 260, 60));
    EXPECT_GT (box.getHeight(), 60);
    EXPECT_LE (box.getBottom(), 241 - 20);
    EXPECT_LE (box.getTextHeight(), box.getHeight() - box.getBorder().getTopAndBottom());
}

TEST_F (Pages, WelcomePageStartsIdleWithItsTexts)
{
    WelcomeComponent page (&broadcaster, MainLayoutComponent::pageNameStart);

    EXPECT_TRUE (WelcomeLook::of (page) == idle);
    EXPECT_EQ (page.getUninstallButton().getButtonText(), "Uninstall Driver");
    EXPECT_TRUE (page.getDescriptionBox().getText().startsWith ("This uninstaller removes PELK USB MIDI Driver"));
    EXPECT_TRUE (page.getDescriptionBox().isReadOnly());
    EXPECT_TRUE (page.getDescriptionBox().isMultiLine());
    EXPECT_EQ (page.getDescriptionBox().findColour (juce::TextEditor::backgroundColourId), juce::Colour (0x00000000));
}

TEST_F (Pages, ScreenReadersFindANameAndADescriptionForEveryControl)
{
    WelcomeComponent welcome (&broadcaster, MainLayoutComponent::pageNameStart);
    ThankYouComponent thankYou (&broadcaster, MainLayoutComponent::pageNameThankYou);

    // Buttons and labels are named by their own text; the text boxes need a title.
    for (auto* control : std::initializer_list<juce::Component*> { &welcome.getUninstallButton(),
                                                                   &welcome.getDescriptionBox(),
                                                                   &thankYou.getTitleLabel(),
                                                                   &thankYou.getMessageBox(),
                                                                   &thankYou.getOkButton() })
        EXPECT_TRUE (control->getDescription().isNotEmpty()) << control->getName();

    EXPECT_TRUE (welcome.getDescriptionBox().getTitle().isNotEmpty());
    EXPECT_TRUE (thankYou.getMessageBox().getTitle().isNotEmpty());
}

TEST_F (Pages, SpaceAndReturnPressTheButtonThatHasTheFocus)
{
    WelcomeComponent page (&broadcaster, MainLayoutComponent::pageNameStart);
    ThankYouComponent thankYou (&broadcaster, MainLayoutComponent::pageNameThankYou);

    // As the window delivers a key to the component that has the focus.
    const auto press = [] (juce::Component& focused, int key) { return focused.keyPressed (juce::KeyPress (key)); };

    auto sent = recorder.deliveredAfter ([&]
    {
        EXPECT_TRUE (press (page.getUninstallButton(), juce::KeyPress::spaceKey));
        MessageLoop::runFor (20);
        EXPECT_FALSE (press (page.getUninstallButton(), juce::KeyPress::spaceKey));
        EXPECT_TRUE (press (thankYou.getOkButton(), juce::KeyPress::returnKey));
    });

    // The disabled button took the second space as nothing.
    EXPECT_EQ (sent, juce::StringArray ("uninstall", "completed"));
}

TEST_F (Pages, OneClickSendsUninstallOnceAndShowsTheWorkingLook)
{
    WelcomeComponent page (&broadcaster, MainLayoutComponent::pageNameStart);

    auto sent = recorder.deliveredAfter ([&] { click (page.getUninstallButton()); click (page.getUninstallButton()); });

    EXPECT_EQ (sent, juce::StringArray ("uninstall"));
    EXPECT_TRUE (WelcomeLook::of (page) == working);
}

TEST_F (Pages, RestoringTheIdleLookLetsTheUserAskAgain)
{
    WelcomeComponent page (&broadcaster, MainLayoutComponent::pageNameStart);
    click (page.getUninstallButton());

    auto sent = recorder.deliveredAfter ([&] { page.restoreIdleState(); });
    EXPECT_TRUE (sent.isEmpty());
    EXPECT_TRUE (WelcomeLook::of (page) == idle);

    sent = recorder.deliveredAfter ([&] { click (page.getUninstallButton()); });
    EXPECT_EQ (sent, juce::StringArray ("uninstall"));
}

TEST_F (Pages, EveryOkClickSendsCompleted)
{
    ThankYouComponent page (&broadcaster, MainLayoutComponent::pageNameThankYou);

    auto sent = recorder.deliveredAfter ([&] { click (page.getOkButton()); click (page.getOkButton()); });

    EXPECT_EQ (sent, juce::StringArray ({ "completed", "completed" }));
    EXPECT_TRUE (page.getOkButton().isEnabled());
}

TEST_F (Pages, CompletionPageLaysOutBelowItsTitle)
{
    ThankYouComponent page (&broadcaster, MainLayoutComponent::pageNameThankYou);
    page.setSize (400, 240);

    EXPECT_EQ (page.getName(), "QMVHubPageNameThankYou");
    EXPECT_EQ (page.getTitleLabel().getBounds(), juce::Rectangle<int> (20, 50, 360, 30));
    EXPECT_EQ (page.getMessageBox().getBounds(), juce::Rectangle<int> (20, 90, 360, 60));
    EXPECT_EQ (page.getOkButton().getBounds(), juce::Rectangle<int> (20, 170, 360, 60));
    EXPECT_FLOAT_EQ (page.getTitleLabel().getFont().getHeight(), 28.0f);
    EXPECT_TRUE (page.getTitleLabel().getFont().isBold());
    EXPECT_TRUE (page.getMessageBox().isReadOnly());
}

TEST_F (Pages, CompletionPageCoversWhatLiesBeneathIt)
{
    ThankYouComponent page (&broadcaster, MainLayoutComponent::pageNameThankYou);
    page.setSize (400, 240);
    auto image = page.createComponentSnapshot (page.getLocalBounds());

    for (auto point : { juce::Point<int> (0, 0), { 5, 160 }, { 399, 239 }, { 10, 30 } })
        EXPECT_EQ (image.getPixelAt (point.x, point.y), juce::Colour (0xff282828)) << point.toString();
}

TEST_F (Pages, JapaneseTranslationsReplaceEveryTextButOk)
{
    setenv ("LC_ALL", "ja_JP.UTF-8", 1);
    juce::LocalisedStrings::setCurrentMappings (JapaneseLocale::createTranslations().release());

    WelcomeComponent welcome (&broadcaster, MainLayoutComponent::pageNameStart);
    ThankYouComponent thankYou (&broadcaster, MainLayoutComponent::pageNameThankYou);

    EXPECT_EQ (welcome.getUninstallButton().getButtonText(), juce::String::fromUTF8 ("ドライバーの削除"));
    EXPECT_TRUE (welcome.getDescriptionBox().getText().startsWith (juce::String::fromUTF8 ("このアンインストーラーは")));
    EXPECT_EQ (thankYou.getTitleLabel().getText(), juce::String::fromUTF8 ("処理が完了しました"));
    EXPECT_EQ (thankYou.getMessageBox().getText(), juce::String::fromUTF8 ("ドライバーの削除が正常に終了しました。"));
    EXPECT_EQ (thankYou.getOkButton().getButtonText(), "OK");

    auto sent = recorder.deliveredAfter ([&] { click (welcome.getUninstallButton()); click (thankYou.getOkButton()); });
    EXPECT_EQ (sent, juce::StringArray ({ "uninstall", "completed" }));

    juce::LocalisedStrings::setCurrentMappings (nullptr);
}
