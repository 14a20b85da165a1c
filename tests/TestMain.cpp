#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>

namespace
{
    /** Points the home, cache and data folders at a scratch folder, so that nothing a
        test starts (the welcome page clears its cache folder into the Trash) touches the
        real ones. Done before anything reads them: GLib does so only once. */
    void useScratchHome()
    {
        auto home = juce::File::createTempFile ("home");
        home.createDirectory();

        setenv ("HOME", home.getFullPathName().toRawUTF8(), 1);
        setenv ("XDG_CACHE_HOME", home.getChildFile (".cache").getFullPathName().toRawUTF8(), 1);
        setenv ("XDG_DATA_HOME", home.getChildFile (".local/share").getFullPathName().toRawUTF8(), 1);
    }
}

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);

    if (std::getenv ("UNINSTALLER_TESTS_KEEP_HOME") == nullptr)
        useScratchHome();

    juce::ScopedJuceInitialiser_GUI framework;
    return RUN_ALL_TESTS();
}
