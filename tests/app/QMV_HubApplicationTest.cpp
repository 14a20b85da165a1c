#include <gtest/gtest.h>

#include "app/QMV_HubApplication.h"
#include "support/MessageLoop.h"
#include "support/RefusingSetup.h"
#include "style/JapaneseLocale.h"
#include "wizard/MainLayoutComponent.h"

namespace
{
    /** The face that fonts of the default sans-serif name get from the window's look-and-feel. */
    juce::String windowSansSerifFace()
    {
        return juce::LookAndFeel::getDefaultLookAndFeel().getTypefaceForFont (juce::FontOptions())->getName();
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

        std::unique_ptr<QMV_HubApplication> start (const juce::String& languageCode = "en")
        {
            auto app = std::make_unique<QMV_HubApplication> (refusingSetup(), languageCode);
            app->initialise ({});
            return app;
        }
    };
}

TEST_F (Application, NamesItselfAndAllowsSeveralCopies)
{
    QMV_HubApplication app (refusingSetup(), "en");

    EXPECT_EQ (app.getApplicationName(), "PELK USB MIDI Driver Uninstaller");
    EXPECT_EQ (app.getApplicationVersion(), "3.0.0");
    EXPECT_TRUE (app.moreThanOneInstanceAllowed());
}

TEST_F (Application, ShowsOneFixedSizeWindowWithACloseButtonOnly)
{
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
    auto app = start ("ja");
    EXPECT_EQ (TRANS ("Uninstall Driver"), juce::String::fromUTF8 ("ドライバーの削除"));
    EXPECT_EQ (TRANS ("Completed"), juce::String::fromUTF8 ("処理が完了しました"));
    app->shutdown();
    app.reset();   // one application object at a time, as in a real process

    app = start ("en");
    EXPECT_EQ (TRANS ("Uninstall Driver"), "Uninstall Driver");
    app->shutdown();
}

TEST_F (Application, GivesTheWindowAJapaneseTypefaceOnAJapaneseSystem)
{
    const auto standard = windowSansSerifFace();

    auto app = start ("de");
    EXPECT_EQ (windowSansSerifFace(), standard);
    app->shutdown();
    app.reset();

    app = start ("ja");
    const auto japanese = JapaneseLocale::getTypefaceName();
    ASSERT_TRUE (japanese.isNotEmpty()) << "no installed font covers Japanese";
    EXPECT_EQ (windowSansSerifFace(), japanese);
    EXPECT_TRUE (juce::Font::findAllTypefaceNames().contains (japanese));
    app->shutdown();
}
