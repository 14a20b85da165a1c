#include "app/QMV_HubApplication.h"

#include "app/CommandLine.h"
#include "common/ProductInfo.h"
#include "platform/GraphicalSession.h"
#include "platform/WindowIcon.h"
#include "platform/WindowSizeHints.h"
#include "style/JapaneseLocale.h"
#include "wizard/MainLayoutComponent.h"

#include <iostream>

QMV_HubApplication::QMV_HubApplication (UninstallSetup setup, juce::String language)
    : uninstallSetup (std::move (setup)),
      languageCode (std::move (language))
{
}

QMV_HubApplication::~QMV_HubApplication()
{
    mainWindow = nullptr;
    queuedInputWake = nullptr;
}

const juce::String QMV_HubApplication::getApplicationName()
{
    return ProductInfo::name;
}

const juce::String QMV_HubApplication::getApplicationVersion()
{
    return ProductInfo::version;
}

bool QMV_HubApplication::moreThanOneInstanceAllowed()
{
    return true;
}

void QMV_HubApplication::initialise (const juce::String&)
{
    if (! GraphicalSession::isAvailable())
    {
        std::cerr << ProductInfo::programName << ": the window needs a graphical session, and no display"
                     " was found. To remove the driver without one, run it with --uninstall (see --help).\n";
        setApplicationReturnValue (CommandLine::windowUnavailable);
        quit();
        return;
    }

    juce::LocalisedStrings::setCurrentMappings (JapaneseLocale::createTranslations (languageCode).release());
    queuedInputWake = std::make_unique<QueuedInputWake>();
    mainWindow = std::make_unique<MainWindow> (getApplicationName() + " " + getApplicationVersion(),
                                               uninstallSetup, languageCode);
}

void QMV_HubApplication::shutdown()
{
    // Off the screen at once, even where MainLayoutComponent must still wait for a system
    // prompt that cannot be withdrawn before it can go.
    if (mainWindow != nullptr)
        mainWindow->setVisible (false);

    mainWindow = nullptr;
    queuedInputWake = nullptr;
}

void QMV_HubApplication::anotherInstanceStarted (const juce::String&)
{
}

void QMV_HubApplication::systemRequestedQuit()
{
    quit();
}

//==============================================================================
QMV_HubApplication::MainWindow::MainWindow (const juce::String& title, UninstallSetup setup,
                                            const juce::String& language)
    : DocumentWindow (title, juce::Colours::lightgrey, DocumentWindow::closeButton, true)
{
    JapaneseLocale::applyTypeface (getLookAndFeel(), language);
    setUsingNativeTitleBar (true);

    // The focus that the desktop gives the window passes on to the page's button.
    setWantsKeyboardFocus (false);
    setContentOwned (new MainLayoutComponent (std::move (setup)), true);
    centreWithSize (getWidth(), getHeight());

    // Told before the window is shown, so that the window manager never lays it out
    // at another size, and again once it is.
    if (auto* peer = getPeer())
    {
        WindowIcon::apply (*peer);
        WindowSizeHints::keepPresentSize (*peer);
    }

    setVisible (true);

    if (auto* peer = getPeer())
        WindowSizeHints::keepPresentSize (*peer);
}

void QMV_HubApplication::MainWindow::closeButtonPressed()
{
    if (auto* app = juce::JUCEApplication::getInstance())
        app->systemRequestedQuit();
}
