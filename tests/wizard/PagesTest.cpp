#include <gtest/gtest.h>

#include "common/DriverBundles.h"
#include "style/JapaneseLocale.h"
#include "support/MessageLoop.h"
#include "support/PageParts.h"
#include "support/Pixels.h"
#include "wizard/WrappedText.h"

using namespace PageParts;

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

    class Pages : public testing::Test
    {
    protected:
        juce::ActionBroadcaster broadcaster;
        MessageRecorder recorder { broadcaster };
    };
}

TEST_F (Pages, WelcomePageStartsIdleWithItsTextsLaidOutFromTheTop)
{
    WelcomeComponent page (&broadcaster, WizardVocabulary::startPage);
    page.setSize (400, 240);

    EXPECT_EQ (page.getName(), "QMVHubPageNameStart");
    EXPECT_EQ (welcomeLook (page), idleLook);
    EXPECT_EQ (uninstallButton (page).getButtonText(), "Uninstall Driver");
    EXPECT_TRUE (descriptionBox (page).getText().startsWith ("This uninstaller removes PELK USB MIDI Driver"));
    EXPECT_TRUE (descriptionBox (page).isReadOnly());
    EXPECT_TRUE (descriptionBox (page).isMultiLine());
    EXPECT_EQ (descriptionBox (page).findColour (juce::TextEditor::backgroundColourId), juce::Colour (0x00000000));
    EXPECT_EQ (uninstallButton (page).getBounds(), juce::Rectangle<int> (20, 20, 360, 60));
    EXPECT_EQ (progressBar (page).getBounds(), juce::Rectangle<int> (20, 120, 360, 8));
    EXPECT_EQ (descriptionBox (page).getBounds(), juce::Rectangle<int> (20, 90, 360, 60));

    // Narrower, the text needs more lines: the box takes them from the room below,
    // without a scroll bar.
    page.setSize (300, 241);
    EXPECT_EQ (progressBar (page).getBounds(), juce::Rectangle<int> (20, 120, 260, 8));
    auto& box = descriptionBox (page);
    EXPECT_EQ (box.getBounds().withHeight (60), juce::Rectangle<int> (20, 90, 260, 60));
    EXPECT_GT (box.getHeight(), 60);
    EXPECT_LE (box.getBottom(), 241 - 20);
    EXPECT_LE (WrappedText::heightNeeded (box), box.getHeight());
}

TEST_F (Pages, ScreenReadersFindANameAndADescriptionForEveryControl)
{
    WelcomeComponent welcome (&broadcaster, WizardVocabulary::startPage);
    ThankYouComponent thankYou (&broadcaster, WizardVocabulary::thankYouPage);

    // Buttons and labels are named by their own text; the text boxes need a title.
    for (auto* control : std::initializer_list<juce::Component*> { &uninstallButton (welcome), &descriptionBox (welcome),
                                                                   &titleLabel (thankYou), &messageBox (thankYou),
                                                                   &okButton (thankYou) })
        EXPECT_TRUE (control->getDescription().isNotEmpty()) << control->getName();

    EXPECT_TRUE (descriptionBox (welcome).getTitle().isNotEmpty());
    EXPECT_TRUE (messageBox (thankYou).getTitle().isNotEmpty());
}

TEST_F (Pages, SpaceAndReturnPressTheButtonThatHasTheFocus)
{
    WelcomeComponent page (&broadcaster, WizardVocabulary::startPage);
    ThankYouComponent thankYou (&broadcaster, WizardVocabulary::thankYouPage);

    // As the window delivers a key to the component that has the focus.
    const auto press = [] (juce::Component& focused, int key) { return focused.keyPressed (juce::KeyPress (key)); };

    auto sent = recorder.deliveredAfter ([&]
    {
        EXPECT_TRUE (press (uninstallButton (page), juce::KeyPress::spaceKey));
        MessageLoop::runFor (20);
        EXPECT_FALSE (press (uninstallButton (page), juce::KeyPress::spaceKey));
        EXPECT_TRUE (press (okButton (thankYou), juce::KeyPress::returnKey));
    });

    // The disabled button took the second space as nothing.
    EXPECT_EQ (sent, juce::StringArray (WizardVocabulary::uninstall, WizardVocabulary::completed));
}

TEST_F (Pages, OneClickSendsUninstallOnceAndOnlyTheIdleLookLetsTheUserAskAgain)
{
    WelcomeComponent page (&broadcaster, WizardVocabulary::startPage);

    auto sent = recorder.deliveredAfter ([&] { click (uninstallButton (page)); click (uninstallButton (page)); });
    EXPECT_EQ (sent, juce::StringArray (WizardVocabulary::uninstall));
    EXPECT_EQ (welcomeLook (page), workingLook);

    sent = recorder.deliveredAfter ([&] { page.restoreIdleState(); });
    EXPECT_TRUE (sent.isEmpty());
    EXPECT_EQ (welcomeLook (page), idleLook);

    sent = recorder.deliveredAfter ([&] { click (uninstallButton (page)); });
    EXPECT_EQ (sent, juce::StringArray (WizardVocabulary::uninstall));
}

TEST_F (Pages, EveryOkClickSendsCompleted)
{
    ThankYouComponent page (&broadcaster, WizardVocabulary::thankYouPage);

    auto sent = recorder.deliveredAfter ([&] { click (okButton (page)); click (okButton (page)); });

    EXPECT_EQ (sent, juce::StringArray ({ WizardVocabulary::completed, WizardVocabulary::completed }));
    EXPECT_TRUE (okButton (page).isEnabled());
}

TEST_F (Pages, CompletionPageLaysOutBelowItsTitleOverItsOwnBackground)
{
    ThankYouComponent page (&broadcaster, WizardVocabulary::thankYouPage);
    page.setSize (400, 240);

    EXPECT_EQ (page.getName(), "QMVHubPageNameThankYou");
    EXPECT_EQ (titleLabel (page).getBounds(), juce::Rectangle<int> (20, 50, 360, 30));
    EXPECT_EQ (messageBox (page).getBounds(), juce::Rectangle<int> (20, 90, 360, 60));
    EXPECT_EQ (okButton (page).getBounds(), juce::Rectangle<int> (20, 170, 360, 60));
    EXPECT_FLOAT_EQ (titleLabel (page).getFont().getHeight(), 28.0f);
    EXPECT_TRUE (titleLabel (page).getFont().isBold());
    EXPECT_TRUE (messageBox (page).isReadOnly());

    // Its background covers what lies beneath it.
    auto image = page.createComponentSnapshot (page.getLocalBounds());

    for (auto point : { juce::Point<int> (0, 0), { 5, 160 }, { 399, 239 }, { 10, 30 } })
        EXPECT_EQ (image.getPixelAt (point.x, point.y), juce::Colour (0xff282828)) << point.toString();
}

TEST_F (Pages, JapaneseTranslationsReplaceEveryTextButOk)
{
    juce::LocalisedStrings::setCurrentMappings (JapaneseLocale::createTranslations ("ja").release());

    WelcomeComponent welcome (&broadcaster, WizardVocabulary::startPage);
    ThankYouComponent thankYou (&broadcaster, WizardVocabulary::thankYouPage);

    EXPECT_EQ (uninstallButton (welcome).getButtonText(), juce::String::fromUTF8 ("ドライバーの削除"));
    EXPECT_TRUE (descriptionBox (welcome).getText().startsWith (juce::String::fromUTF8 ("このアンインストーラーは")));
    EXPECT_EQ (titleLabel (thankYou).getText(), juce::String::fromUTF8 ("処理が完了しました"));
    EXPECT_EQ (messageBox (thankYou).getText(), juce::String::fromUTF8 ("ドライバーの削除が正常に終了しました。"));
    EXPECT_EQ (okButton (thankYou).getButtonText(), "OK");

    auto sent = recorder.deliveredAfter ([&] { click (uninstallButton (welcome)); click (okButton (thankYou)); });
    EXPECT_EQ (sent, juce::StringArray ({ WizardVocabulary::uninstall, WizardVocabulary::completed }));

    juce::LocalisedStrings::setCurrentMappings (nullptr);
}

TEST_F (Pages, TheCompletionPageNamesWhatIsLeftInJapanese)
{
    juce::LocalisedStrings::setCurrentMappings (new juce::LocalisedStrings (JapaneseLocale::getTranslationText(), false));

    ThankYouComponent page (&broadcaster, WizardVocabulary::thankYouPage);
    page.setSize (400, 240);
    page.showRemainingFiles ({ "/a b/one", "/c/two" });

    // Drawn here in whatever face the system falls back on, the title may take two lines.
    EXPECT_EQ (titleLabel (page).getText().removeCharacters ("\n"), juce::String::fromUTF8 ("削除できなかったファイルがあります"));
    EXPECT_EQ (remainingFileLines (messageBox (page)),
               listingOf (juce::StringArray ("/a b/one", "/c/two"), juce::String::fromUTF8 ("場所:")));

    juce::LocalisedStrings::setCurrentMappings (nullptr);
}

TEST_F (Pages, EveryRemainingBundleIsReadableWholeInTheMessageBox)
{
    ThankYouComponent page (&broadcaster, WizardVocabulary::thankYouPage);
    page.setSize (400, 240);

    const juce::StringArray bundles (DriverBundles::paths.data(), (int) DriverBundles::paths.size());
    page.showRemainingFiles (bundles);

    auto& box = messageBox (page);
    EXPECT_EQ (remainingFileLines (box), listingOf (bundles));

    // The four fit whole in the room the page has: nothing to scroll, no line cut.
    EXPECT_LE (WrappedText::heightNeeded (box), box.getHeight());
    EXPECT_LE (box.getTextWidth(), box.getWidth() - box.getBorder().getLeftAndRight());
    EXPECT_LT (box.getBottom(), okButton (page).getY());
    EXPECT_EQ (okButton (page).getBottom(), 224);

    // Kept for a person to look at: the top of the list, then its end.
    box.moveCaretToTop (false);
    Pixels::saveArtefact (page.createComponentSnapshot (page.getLocalBounds()), "completion-remaining-files");
    box.moveCaretToEnd();
    Pixels::saveArtefact (page.createComponentSnapshot (page.getLocalBounds()), "completion-remaining-files-end");
}

TEST_F (Pages, ALongerListOfRemainingFilesScrollsFromTheKeyboard)
{
    ThankYouComponent page (&broadcaster, WizardVocabulary::thankYouPage);
    page.setSize (400, 240);

    // As in the program, where the list comes seconds later: the change notice of the
    // box's first text, delivered after the list, would put that text back.
    MessageLoop::runFor (20);

    juce::StringArray paths;
    for (auto name : { "one", "two", "three", "four", "five", "six" })
        paths.add (juce::String ("/a folder deep down/where a driver was/") + name + ".plugin");

    page.showRemainingFiles (paths);
    auto& box = messageBox (page);
    ASSERT_GT (WrappedText::heightNeeded (box), box.getHeight());

    // The text that shows at the top of the box; the scroll bar moves the view asynchronously.
    const auto shownFirst = [&box] { return box.getTextIndexAt (box.getBorder().getLeft() + 4, box.getBorder().getTop() + 4); };
    EXPECT_TRUE (page.keyPressed (juce::KeyPress (juce::KeyPress::pageDownKey)));
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return shownFirst() > 0; }));
    EXPECT_TRUE (page.keyPressed (juce::KeyPress (juce::KeyPress::homeKey)));
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return shownFirst() == 0; }));
}
