#include <benchmark/benchmark.h>

#include "app/QMV_HubApplication.h"
#include "style/JapaneseLocale.h"
#include "style/QMVHubLookAndFeel.h"
#include "wizard/MainLayoutComponent.h"
#include "uninstall/UninstallSetup.h"


namespace
{
    void runMessageLoopFor (int milliseconds)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }

    void runUntilAnimationsEnd()
    {
        auto& animator = juce::Desktop::getInstance().getAnimator();

        while (animator.isAnimating())
            runMessageLoopFor (10);

        runMessageLoopFor (50);
    }

    // Without a click, which would ask for administrator rights.
    void showWorkingLook (MainLayoutComponent& host)
    {
        auto* page = host.findChildWithID (WizardVocabulary::startPage);
        page->findChildWithID ("uninstallButton")->setEnabled (false);
        page->findChildWithID ("descriptionBox")->setVisible (false);
        page->findChildWithID ("progressBar")->setVisible (true);

        // The bar takes up its value on its own timer.
        runMessageLoopFor (100);
    }

    void paintRepeatedly (benchmark::State& state, juce::Component& component)
    {
        juce::Image image (juce::Image::ARGB, 400, 240, true);

        for (auto _ : state)
        {
            juce::Graphics g (image);
            component.paintEntireComponent (g, false);
            benchmark::DoNotOptimize (image.getPixelAt (200, 120));
        }
    }

    void welcomeIdle (benchmark::State& state)
    {
        MainLayoutComponent host (UninstallSetup::forProduct());
        paintRepeatedly (state, host);
    }

    // As on a Japanese system: its texts, in the face that the window gives every font;
    // the page host asks the locale itself.
    void welcomeIdleJapanese (benchmark::State& state)
    {
        auto& defaultLook = juce::LookAndFeel::getDefaultLookAndFeel();
        const auto locale = juce::SystemStats::getEnvironmentVariable ("LC_ALL", {});
        ::setenv ("LC_ALL", "ja_JP.UTF-8", 1);
        juce::LocalisedStrings::setCurrentMappings (JapaneseLocale::createTranslations ("ja").release());
        JapaneseLocale::applyTypeface (defaultLook, "ja");

        {
            MainLayoutComponent host (UninstallSetup::forProduct());
            paintRepeatedly (state, host);
        }

        defaultLook.setDefaultSansSerifTypefaceName ({});   // the framework's own choice again
        juce::LocalisedStrings::setCurrentMappings (nullptr);
        ::setenv ("LC_ALL", locale.toRawUTF8(), 1);
    }

    void welcomeWorking (benchmark::State& state)
    {
        MainLayoutComponent host (UninstallSetup::forProduct());
        showWorkingLook (host);
        paintRepeatedly (state, host);
    }

    void completion (benchmark::State& state)
    {
        MainLayoutComponent host (UninstallSetup::forProduct());
        showWorkingLook (host);
        host.actionListenerCallback ("finished");
        runUntilAnimationsEnd();
        paintRepeatedly (state, host);
    }

    void busyBar (benchmark::State& state)
    {
        QMVHubLookAndFeel lookAndFeel;
        double value = 2.0;
        juce::ProgressBar bar (value);
        bar.setLookAndFeel (&lookAndFeel);
        bar.setSize (360, 8);

        juce::Image image (juce::Image::ARGB, 360, 8, true);

        for (auto _ : state)
        {
            juce::Graphics g (image);
            lookAndFeel.drawProgressBar (g, bar, 360, 8, value, {});
            benchmark::DoNotOptimize (image.getPixelAt (180, 4));
        }

        bar.setLookAndFeel (nullptr);
    }

    /** Shows the real window in its working look for a while and prints the share of
        one core that the process used meanwhile. */
    int measureBusyBarProcessorUse (int seconds)
    {
        QMV_HubApplication::MainWindow window ("PELK USB MIDI Driver Uninstaller 3.0.0", UninstallSetup::forProduct(), "en");
        auto* host = dynamic_cast<MainLayoutComponent*> (window.getContentComponent());

        if (host == nullptr)
            return 1;

        showWorkingLook (*host);
        runMessageLoopFor (500);

        const auto cpuBefore = std::clock();
        const auto wallBefore = juce::Time::getMillisecondCounterHiRes();
        runMessageLoopFor (seconds * 1000);
        const auto cpuSeconds = (double) (std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        const auto wallSeconds = (juce::Time::getMillisecondCounterHiRes() - wallBefore) / 1000.0;

        std::printf ("busy bar animating: %.1f %% of one core over %.1f s\n",
                     100.0 * cpuSeconds / wallSeconds, wallSeconds);
        return 0;
    }

    // The page host moves the program's temporary folder to the Trash when it is
    // built; keep that inside a scratch home.
    void useScratchFolders()
    {
        auto scratch = juce::File::createTempFile ("uninstaller-bench");
        scratch.createDirectory();
        ::setenv ("XDG_CACHE_HOME", scratch.getChildFile ("cache").getFullPathName().toRawUTF8(), 1);
        ::setenv ("XDG_DATA_HOME", scratch.getChildFile ("data").getFullPathName().toRawUTF8(), 1);
    }
}

BENCHMARK (welcomeIdle)->Name ("paint/welcome-idle-400x240")->Unit (benchmark::kMicrosecond);
BENCHMARK (welcomeIdleJapanese)->Name ("paint/welcome-idle-japanese-400x240")->Unit (benchmark::kMicrosecond);
BENCHMARK (welcomeWorking)->Name ("paint/welcome-working-400x240")->Unit (benchmark::kMicrosecond);
BENCHMARK (completion)->Name ("paint/completion-400x240")->Unit (benchmark::kMicrosecond);
BENCHMARK (busyBar)->Name ("paint/busy-bar-360x8")->Unit (benchmark::kMicrosecond);

int main (int argc, char** argv)
{
    useScratchFolders();
    juce::ScopedJuceInitialiser_GUI framework;

    const juce::String cpuOption ("--busy-bar-cpu=");

    for (int i = 1; i < argc; ++i)
        if (juce::String (argv[i]).startsWith (cpuOption))
            return measureBusyBarProcessorUse (juce::String (argv[i]).fromFirstOccurrenceOf ("=", false, false).getIntValue());

    benchmark::Initialize (&argc, argv);

    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
