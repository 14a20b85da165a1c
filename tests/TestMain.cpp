#include "support/ProcessScratch.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>
#include <iostream>

namespace
{
    /** Points the home, cache and data folders into the scratch folder, so that
        nothing a test starts (the welcome page clears its cache folder into the
        Trash) touches the real ones. Done before anything reads them: GLib does so
        only once. */
    void useScratchHome (const juce::File& scratch)
    {
        auto home = scratch.getChildFile ("home");
        home.createDirectory();

        setenv ("HOME", home.getFullPathName().toRawUTF8(), 1);
        setenv ("XDG_CACHE_HOME", home.getChildFile (".cache").getFullPathName().toRawUTF8(), 1);
        setenv ("XDG_DATA_HOME", home.getChildFile (".local/share").getFullPathName().toRawUTF8(), 1);
    }
}

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);

    const auto scratch = ProcessScratch::claim();

    if (scratch == juce::File())
    {
        std::cerr << "could not make a scratch folder for the tests\n";
        return 1;
    }

    // Temporary files, this process's and its children's, go with the folder.
    setenv ("TMPDIR", scratch.getFullPathName().toRawUTF8(), 1);

    if (std::getenv ("UNINSTALLER_TESTS_KEEP_HOME") == nullptr)
        useScratchHome (scratch);

    int result = 0;

    {
        juce::ScopedJuceInitialiser_GUI framework;
        result = RUN_ALL_TESTS();
    }

    ProcessScratch::release();
    return result;
}
