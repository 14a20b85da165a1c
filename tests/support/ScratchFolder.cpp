#include "support/ScratchFolder.h"

#include <array>
#include <cerrno>
#include <stdexcept>
#include <sys/stat.h>

namespace
{
    // mkdir fails on a name that another process took meanwhile: a base outside
    // the process's own temporary folder may be shared.
    juce::File makeUniqueFolder (const juce::File& base)
    {
        for (int attempt = 0; attempt < 100; ++attempt)
        {
            const auto folder = base.getNonexistentChildFile ("scratch folder", {}, true);

            if (::mkdir (folder.getFullPathName().toRawUTF8(), 0777) == 0)
                return folder;

            if (errno != EEXIST)
                break;
        }

        return {};
    }
}

ScratchFolder::ScratchFolder()
    : ScratchFolder (juce::File::getSpecialLocation (juce::File::tempDirectory))
{
}

ScratchFolder::ScratchFolder (const juce::File& base)
    : folder (makeUniqueFolder (base))
{
    if (folder == juce::File())
        throw std::runtime_error ("could not make a scratch folder in " + base.getFullPathName().toStdString());
}

ScratchFolder::~ScratchFolder()
{
    folder.deleteRecursively();
}

juce::File ScratchFolder::file (const juce::String& relativePath) const
{
    return folder.getChildFile (relativePath);
}

std::string ScratchFolder::path (const juce::String& relativePath) const
{
    return file (relativePath).getFullPathName().toStdString();
}

std::string ScratchFolder::makeFile (const juce::String& relativePath) const
{
    file (relativePath).create();
    return path (relativePath);
}

juce::File ScratchFolder::bundle (std::size_t index) const
{
    static constexpr std::array<const char*, 4> names { "MIDI Drivers/Pelk.plugin", "Extensions/adif.plugin",
                                                        "Extensions/advPelk.plugin", "MIDI Drivers/advPelk.plugin" };
    return file (names.at (index));
}

std::vector<std::string> ScratchFolder::bundlePaths (std::size_t count) const
{
    std::vector<std::string> paths;

    for (std::size_t i = 0; i < count; ++i)
        paths.push_back (bundle (i).getFullPathName().toStdString());

    return paths;
}

juce::File ScratchFolder::makeBundle (std::size_t index) const
{
    const auto made = bundle (index);
    made.getChildFile ("Contents/Mac OS/driver binary").create();
    made.getChildFile ("Contents/Info.plist").create();
    return made;
}
