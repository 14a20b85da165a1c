#pragma once

#include "platform/QueuedInputWake.h"
#include "uninstall/UninstallSetup.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The application: installs the texts for the user's language and shows the
    one window of the uninstaller. */
// The name, with its underscore, is kept on purpose.
class QMV_HubApplication : public juce::JUCEApplication
{
public:
    /** The window removes what the setup says, in the texts and typeface of the
        language of that code (the user's, UserLanguage::getCode()). */
    QMV_HubApplication (UninstallSetup setup, juce::String languageCode);
    ~QMV_HubApplication() override;

    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override;

    void initialise (const juce::String& commandLine) override;
    void shutdown() override;
    void anotherInstanceStarted (const juce::String& commandLine) override;
    void systemRequestedQuit() override;

    class MainWindow : public juce::DocumentWindow
    {
    public:
        MainWindow (const juce::String& title, UninstallSetup setup, const juce::String& language);
        ~MainWindow() override = default;

        void closeButtonPressed() override;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainWindow)
    };

private:
    const UninstallSetup uninstallSetup;
    const juce::String languageCode;
    std::unique_ptr<QueuedInputWake> queuedInputWake;
    std::unique_ptr<MainWindow> mainWindow;
};
