#pragma once

#include <juce_core/juce_core.h>

#include <string>
#include <vector>

/** A folder of one test case's own, removed with all it holds when the object goes,
    also when the case fails. Its name, and those of the bundles in it, hold spaces. */
class ScratchFolder
{
public:
    /** Made in the test process's temporary folder, or in another base folder. */
    ScratchFolder();
    explicit ScratchFolder (const juce::File& base);
    ~ScratchFolder();

    const juce::File& getFolder() const noexcept  { return folder; }
    juce::File file (const juce::String& relativePath) const;
    std::string path (const juce::String& relativePath) const;

    /** Makes an empty file, with the folders above it; returns its path. */
    std::string makeFile (const juce::String& relativePath) const;

    /** Where the driver's bundles would lie, laid out as theirs are, in two folders;
        nothing is made there until makeBundle. */
    juce::File bundle (std::size_t index) const;
    std::vector<std::string> bundlePaths (std::size_t count = 4) const;

    /** Makes the bundle as a tree of folders and files; returns it. */
    juce::File makeBundle (std::size_t index) const;

private:
    juce::File folder;

    JUCE_DECLARE_NON_COPYABLE (ScratchFolder)
};
