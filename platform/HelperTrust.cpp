#include "platform/HelperTrust.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace
{
    constexpr uid_t rootUser = 0;

    bool isOwnedByTrustedUserAndWritableByOwnerAlone (const struct stat& info, const HelperTrust::Rule& rule)
    {
        const auto owner = info.st_uid == rootUser || info.st_uid == rule.alsoTrustedOwner;
        return owner && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
    }

    /** Others may write it only where the sticky bit keeps them from moving what is not theirs. */
    bool keepsOthersFromRenaming (const struct stat& info)
    {
        return (info.st_mode & S_IWOTH) == 0 || (info.st_mode & S_ISVTX) != 0;
    }

    // lstat, so that a link put in place after the path was resolved is not followed.
    std::optional<struct stat> statWithoutFollowingLinks (const juce::String& path)
    {
        struct stat info {};
        if (::lstat (path.toRawUTF8(), &info) != 0)
            return std::nullopt;
        return info;
    }

    bool isSoundEntry (const juce::String& path, bool mustBeFolder, bool belowTop, const HelperTrust::Rule& rule)
    {
        auto info = statWithoutFollowingLinks (path);
        if (! info.has_value())
            return false;

        auto isRightKind = mustBeFolder ? S_ISDIR (info->st_mode) : S_ISREG (info->st_mode);
        return isRightKind && (belowTop ? isOwnedByTrustedUserAndWritableByOwnerAlone (*info, rule)
                                        : keepsOthersFromRenaming (*info));
    }

    std::optional<juce::String> resolveLinks (const juce::String& path)
    {
        char resolved[PATH_MAX];
        if (::realpath (path.toRawUTF8(), resolved) == nullptr)
            return std::nullopt;
        return juce::String::fromUTF8 (resolved);
    }
}

std::optional<juce::File> HelperTrust::verify (const juce::File& helper, const Rule& rule)
{
    auto path = helper.getFullPathName();
    if (! juce::File::isAbsolutePath (path))
        return std::nullopt;

    auto resolved = resolveLinks (path);
    if (! resolved.has_value() || ! isSoundEntry (*resolved, false, true, rule))
        return std::nullopt;

    const auto top = rule.top == juce::File() ? juce::File ("/") : rule.top;
    const juce::File helperFile (*resolved);

    // Only a helper inside the top is judged by the top's rule.
    if (! helperFile.isAChildOf (top))
        return std::nullopt;

    // Whoever may write a folder on the way may rename the helper away and put their own in its place.
    auto belowTop = true;

    for (auto folder = helperFile.getParentDirectory();; folder = folder.getParentDirectory())
    {
        if (! isSoundEntry (folder.getFullPathName(), true, belowTop, rule))
            return std::nullopt;

        if (folder.isRoot())
            break;

        if (folder == top)
            belowTop = false;
    }

    return helperFile;
}

std::optional<juce::File> HelperTrust::verifyInPlace (const juce::File& helper, const Rule& rule)
{
    const auto verified = verify (helper, rule);

    if (verified.has_value() && *verified == helper)
        return verified;

    return std::nullopt;
}
