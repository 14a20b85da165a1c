#pragma once

#include "common/PathState.h"
#include "uninstall/CAuth.h"

#include <functional>
#include <string>
#include <vector>

/** The removal steps that the window's job and the command line share: each
    target that exists is removed, in order, and then looked at again, since only
    the files themselves say whether a removal worked. */
namespace DriverRemoval
{
    /** unknown: a folder on the path does not let the user look, so only the rights could tell. */
    enum class State { present, absent, removed, remains, unknown };

    struct Bundle
    {
        std::string path;
        State state;

        /** Why a bundle remains, in words; empty for every other state. */
        std::string reason = {};
    };

    /** What one removal came to, as the side that removed tells it. */
    struct Removal
    {
        /** The path had gone before rm could start: someone else removed it. */
        bool foundGone = false;

        /** Why the path was left, in that side's words; empty where it said nothing. */
        std::string reason = {};
    };

    /** What removes, and what looks, with the same rights. */
    struct Rights
    {
        std::function<PathState (const std::string& path)> inspect;

        /** Returns once the removal has ended, whether or not it worked. */
        std::function<Removal (const std::string& path)> remove;
    };

    /** Each target as the user sees it now, present, absent or unknown; changes nothing.
        A link is present whether or not what it names exists: it is what would be removed. */
    std::vector<Bundle> survey (const std::vector<std::string>& targets);

    /** Removes the targets that exist and tells, for each target, whether it was
        absent, removed or remains, and why it remains: also where the rights could
        not tell whether it is there, before or after. Asks shouldGoOn before each
        removal; once it says no (a signal came), no further target is removed, and
        each one left that is not absent remains. */
    std::vector<Bundle> removeExisting (const std::vector<std::string>& targets, const Rights& rights,
                                        const std::function<bool()>& shouldGoOn);

    /** Looks through the authorization, and removes with "/bin/rm -r" run through it,
        never crossing into another file system. */
    Rights throughAuthorization (CAuth& auth);

    bool anyIn (const std::vector<Bundle>& bundles, State state);

    /** "present", "absent", "removed", "remains" or "unknown". */
    const char* toText (State state);
}
