#include "platform/HelperLocation.h"

#include <sys/stat.h>

namespace
{
    /** <bundle>/Contents/MacOS/<executable>: the folder three levels up. */
    juce::File findBundle()
    {
        return juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                   .getParentDirectory().getParentDirectory().getParentDirectory();
    }
}

juce::File HelperLocation::find()
{
    // Where a signed bundle keeps its helper tools, and where codesign seals them.
    return findBundle().getChildFile ("Contents/Helpers").getChildFile (helperName);
}

HelperTrust::Rule HelperLocation::getTrustRule()
{
    // The bundle's owner could replace the whole program anyway; nobody else may
    // change what lies inside it.
    const auto bundle = findBundle();
    struct stat info {};

    if (::lstat (bundle.getFullPathName().toRawUTF8(), &info) != 0)
        return { std::nullopt, bundle };

    return { info.st_uid, bundle };
}
