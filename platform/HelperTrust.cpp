#include "platform/HelperTrust.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace
{
    constexpr uid_t rootUser = 0;

    bool isOwnedByRootAndWritableByRootAlone (const struct stat& info)
    {
        return info.st_uid == rootUser && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
    }

    // lstat, so that a link put in place after the path was resolved is not followed.
    std::optional<struct stat> statWithoutFollowingLinks (const juce::String& path)
    {
        struct stat info {};
        if (::lstat (path.toRawUTF8(), &info) != 0)
            return std::nullopt;
        return info;
    }

    bool isSoundEntry (const juce::String& path, bool mustBeFolder)
    {
        auto info = statWithoutFollowingLinks (path);
        if (! info.has_value())
            return false;

        auto isRightKind = mustBeFolder ? S_ISDIR (info->st_mode) : S_ISREG (info->st_mode);
        return isRightKind && isOwnedByRootAndWritableByRootAlone (*info);
    }

    std::optional<juce::String> resolveLinks (const juce::String& path)
    {
        char resolved[PATH_MAX];
        if (::realpath (path.toRawUTF8(), resolved) == nullptr)
            return std::nullopt;
        return juce::String::fromUTF8 (resolved);
    }
}

std::optional<juce::File> HelperTrust::verify (const juce::File& helper)
{
    auto path = helper.getFullPathName();
    if (! juce::File::isAbsolutePath (path))
        return std::nullopt;

    auto resolved = resolveLinks (path);
    if (! resolved.has_value() || ! isSoundEntry (*resolved, false))
        return std::nullopt;

    // Whoever may write a folder on the way may rename the helper away and put their own in its place.
    for (auto folder = juce::File (*resolved).getParentDirectory();; folder = folder.getParentDirectory())
    {
        if (! isSoundEntry (folder.getFullPathName(), true))
            return std::nullopt;

        if (folder.isRoot())
            break;
    }

    return juce::File (*resolved);
}
