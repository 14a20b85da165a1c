#include <gtest/gtest.h>

#include "common/DriverBundles.h"

#include <juce_core/juce_core.h>

#include <set>

namespace
{
    /** The bundle paths that a document lists, one a line, in its order. */
    std::vector<std::string> bundlesListedIn (const juce::String& document)
    {
        std::vector<std::string> listed;

        for (auto line : juce::StringArray::fromLines (juce::File (PELK_SOURCE_DIR).getChildFile (document).loadFileAsString()))
        {
            line = line.trimCharactersAtStart ("- `").trimCharactersAtEnd ("`");

            if (line.startsWith ("/") && line.endsWith (".plugin"))
                listed.push_back (line.toStdString());
        }

        return listed;
    }
}

TEST (DriverBundles, AreTheFourAbsoluteDistinctPluginPathsThatTheReadmeAndTheManualList)
{
    const std::vector<std::string> paths (DriverBundles::paths.begin(), DriverBundles::paths.end());

    EXPECT_EQ (paths, bundlesListedIn ("README.md"));
    EXPECT_EQ (paths, bundlesListedIn ("packaging/linux/pelk-usb-midi-driver-uninstaller.1"));
    EXPECT_EQ (std::set<std::string> (paths.begin(), paths.end()).size(), 4u);

    for (auto& path : paths)
    {
        EXPECT_TRUE (juce::File::isAbsolutePath (path)) << path;
        EXPECT_EQ (juce::File (path).getFileExtension(), ".plugin") << path;

        // The same bytes on every machine: printable ASCII alone, no look-alike character.
        EXPECT_TRUE (std::all_of (path.begin(), path.end(), [] (char c) { return c >= ' ' && c <= '~'; })) << path;
    }
}
