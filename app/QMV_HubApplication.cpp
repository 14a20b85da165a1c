#include "app/QMV_HubApplication.h"

#include "app/JapaneseLocale.h"
#include "wizard/MainLayoutComponent.h"

QMV_HubApplication::~QMV_HubApplication()
{
    mainWindow = nullptr;
    queuedInputWake = nullptr;
}

const juce::String QMV_HubApplication::getApplicationName()
{
    return "PELK USB MIDI Driver Uninstaller";
}

const juce::String QMV_HubApplication::getApplicationVersion()
{
    return "3.0.0";
}

bool QMV_HubApplication::moreThanOneInstanceAllowed()
{
    return true;
}

void QMV_HubApplication::initialise (const juce::String&)
{
    juce::LocalisedStrings::setCurrentMappings (JapaneseLocale::createTranslations().release());
    queuedInputWake = std::make_unique<QueuedInputWake>();
    mainWindow = std::make_unique<MainWindow> (getApplicationName() + " " + getApplicationVersion());
}

void QMV_HubApplication::shutdown()
{
    // Off the screen at once, even where the page host must still wait for a system
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
QMV_HubApplication::MainWindow::MainWindow (const juce::String& title)
    : DocumentWindow (title, juce::Colours::lightgrey, DocumentWindow::closeButton, true)
{
    JapaneseLocale::applyTypeface (getLookAndFeel());
    setUsingNativeTitleBar (true);
    setContentOwned (new MainLayoutComponent(), true);
    centreWithSize (getWidth(), getHeight());
    setVisible (true);
}

void QMV_HubApplication::MainWindow::closeButtonPressed()
{
    if (auto* app = juce::JUCEApplication::getInstance())
        app->systemRequestedQuit();
}
