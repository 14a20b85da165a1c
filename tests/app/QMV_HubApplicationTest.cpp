#include <gtest/gtest.h>

#include "app/QMV_HubApplication.h"
#include "support/MessageLoop.h"
#include "support/RefusingSetup.h"
#include "style/JapaneseLocale.h"
#include "wizard/MainLayoutComponent.h"

#include <cstdlib>

namespace
{
    void useLocale (const char* lcAll, const char* lang = nullptr)
    {
        for (auto* variable : { "LC_ALL", "LC_MESSAGES", "LANG" })
            unsetenv (variable);

        if (lcAll != nullptr)  setenv ("LC_ALL", lcAll, 1);
        if (lang != nullptr)   setenv ("LANG", lang, 1);
    }

    /** The face that fonts of the default sans-serif name get from the window's look-and-feel. */
    juce::String windowSansSerifFace()
    {
        return juce::LookAndFeel::getDefaultLookAndFeel().getTypefaceForFont (juce::Font())->getName();
    }

    /** The application's window, found on the desktop; none unless it is the only one. */
    QMV_HubApplication::MainWindow* theWindow()
    {
        if (juce::TopLevelWindow::getNumTopLevelWindows() != 1)
            return nullptr;
        return dynamic_cast<QMV_HubApplication::MainWindow*> (juce::TopLevelWindow::getTopLevelWindow (0));
    }

    class Application : public testing::Test
    {
    protected:
        Application()
        {
            juce::JUCEApplicationBase::createInstance = [] () -> juce::JUCEApplicationBase* { return nullptr; };
        }

        ~Application() override
        {
            juce::LocalisedStrings::setCurrentMappings (nullptr);
        }

        std::unique_ptr<QMV_HubApplication> start()
        {
            auto app = std::make_unique<QMV_HubApplication> (refusingSetup());
            app->initialise ({});
            return app;
        }
    };
}

TEST_F (Application, NamesItselfAndAllowsSeveralCopies)
{
    QMV_HubApplication app (refusingSetup());

    EXPECT_EQ (app.getApplicationName(), "PELK USB MIDI Driver Uninstaller");
    EXPECT_EQ (app.getApplicationVersion(), "3.0.0");
    EXPECT_TRUE (app.moreThanOneInstanceAllowed());
}

TEST_F (Application, ShowsOneFixedSizeWindowWithACloseButtonOnly)
{
    useLocale ("C");
    auto app = start();
    auto* window = theWindow();

    ASSERT_NE (window, nullptr);
    EXPECT_EQ (window->getName(), "PELK USB MIDI Driver Uninstaller 3.0.0");
    EXPECT_TRUE (window->isVisible());
    EXPECT_TRUE (window->isUsingNativeTitleBar());
    EXPECT_FALSE (window->isResizable());
    ASSERT_NE (dynamic_cast<MainLayoutComponent*> (window->getContentComponent()), nullptr);
    EXPECT_EQ (window->getContentComponent()->getBounds(), juce::Rectangle<int> (0, 0, 400, 240));

    const auto flags = window->getDesktopWindowStyleFlags();
    EXPECT_NE (flags & juce::ComponentPeer::windowHasCloseButton, 0);
    EXPECT_EQ (flags & (juce::ComponentPeer::windowHasMinimiseButton | juce::ComponentPeer::windowHasMaximiseButton
                          | juce::ComponentPeer::windowIsResizable), 0);

    auto area = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->userArea;
    EXPECT_NEAR (window->getBounds().getCentreX(), area.getCentreX(), 1);

    app->shutdown();
}

TEST_F (Application, TheCloseButtonQuitsAndShutdownDeletesTheWindowOnce)
{
    auto app = start();
    ASSERT_NE (theWindow(), nullptr);
    juce::Component::SafePointer<juce::Component> window (theWindow());
    juce::Component::SafePointer<juce::Component> content (theWindow()->getContentComponent());

    theWindow()->closeButtonPressed();
    EXPECT_TRUE (juce::MessageManager::getInstance()->hasStopMessageBeenSent());

    app->shutdown();
    EXPECT_EQ (window.getComponent(), nullptr);
    EXPECT_EQ (content.getComponent(), nullptr);
    EXPECT_EQ (theWindow(), nullptr);

    app->shutdown();
    app.reset();
}

TEST_F (Application, InstallsTheJapaneseTextsOnAJapaneseSystemOnly)
{
    useLocale ("ja_JP.UTF-8");
    auto app = start();
    EXPECT_EQ (TRANS ("Uninstall Driver"), juce::String::fromUTF8 ("ドライバーの削除"));
    EXPECT_EQ (TRANS ("Completed"), juce::String::fromUTF8 ("処理が完了しました"));
    app->shutdown();
    app.reset();   // one application object at a time, as in a real process

    useLocale ("en_GB.UTF-8");
    app = start();
    EXPECT_EQ (TRANS ("Uninstall Driver"), "Uninstall Driver");
    app->shutdown();
}

TEST_F (Application, GivesTheWindowAJapaneseTypefaceOnAJapaneseSystem)
{
    const auto standard = windowSansSerifFace();

    useLocale ("de_DE.UTF-8");
    auto app = start();
    EXPECT_EQ (windowSansSerifFace(), standard);
    app->shutdown();
    app.reset();

    useLocale ("ja_JP.UTF-8");
    app = start();
    const auto japanese = JapaneseLocale::getTypefaceName();
    ASSERT_TRUE (japanese.isNotEmpty()) << "no installed font covers Japanese";
    EXPECT_EQ (windowSansSerifFace(), japanese);
    EXPECT_TRUE (juce::Font::findAllTypefaceNames().contains (japanese));
    app->shutdown();
}

TEST (JapaneseLocale, HoldsForTheExactCodeJaOnly)
{
    EXPECT_TRUE (JapaneseLocale::isJapaneseCode ("ja"));

    for (auto* code : { "JA", "Ja", "jap", "ja_JP", "", "en", "Japanese" })
        EXPECT_FALSE (JapaneseLocale::isJapaneseCode (code)) << code;
}

TEST (JapaneseLocale, FollowsTheLocaleEnvironment)
{
    useLocale ("ja_JP.UTF-8");
    EXPECT_TRUE (JapaneseLocale::isActive());

    useLocale ("C");
    EXPECT_FALSE (JapaneseLocale::isActive());

    useLocale (nullptr);
    EXPECT_FALSE (JapaneseLocale::isActive());

    useLocale ("", "ja_JP.UTF-8");   // an empty LC_ALL gives way to LANG
    EXPECT_TRUE (JapaneseLocale::isActive());

    useLocale ("en_US.UTF-8", "ja_JP.UTF-8");
    EXPECT_FALSE (JapaneseLocale::isActive());
}

TEST (JapaneseLocale, TranslationFileParsesIntoEveryEntry)
{
    juce::LocalisedStrings strings (JapaneseLocale::getTranslationText(), false);

    EXPECT_EQ (strings.getLanguageName(), "Japanese");
    EXPECT_EQ (strings.getCountryCodes(), juce::StringArray ("jp"));
    EXPECT_EQ (strings.getMappings().size(), 18);
    EXPECT_EQ (strings.translate ("Cancel"), juce::String::fromUTF8 ("キャンセル"));
    EXPECT_EQ (strings.translate ("uninstall driver"), "uninstall driver");   // keys are case-sensitive

    // The password asked for is the Mac's own account's only on a Mac.
    const auto welcome = strings.translate ("This uninstaller removes PELK USB MIDI Driver from the system. "
                                            "You may prompt to enter your password in the uninstallation process.");
    EXPECT_TRUE (welcome.endsWith (juce::String::fromUTF8 ("ユーザーアカウントのパスワードを入力してください")));
   #if JUCE_MAC
    EXPECT_TRUE (welcome.contains ("macOS"));
   #else
    EXPECT_FALSE (welcome.contains ("macOS"));
   #endif
}
