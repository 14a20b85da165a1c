#include "uninstall/DriverRemoval.h"

#include "common/RemovalTool.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace DriverRemoval
{
    namespace
    {
        State seenByUser (const std::string& target)
        {
            struct stat info {};

            if (::lstat (target.c_str(), &info) == 0)
                return State::present;

            // Only a path that could be followed to its end is surely absent.
            return errno == ENOENT || errno == ENOTDIR ? State::absent : State::unknown;
        }
    }

    std::vector<Bundle> survey (const std::vector<std::string>& targets)
    {
        std::vector<Bundle> bundles;

        for (auto& target : targets)
            bundles.push_back ({ target, seenByUser (target) });

        return bundles;
    }

    std::vector<Bundle> removeExisting (const std::vector<std::string>& targets, const Rights& rights)
    {
        std::vector<Bundle> bundles;

        // Each test comes right before its own removal: an earlier removal can take a later target with it.
        for (auto& target : targets)
        {
            bundles.push_back ({ target, rights.exists (target) ? State::present : State::absent });

            if (bundles.back().state == State::present)
                bundles.back().reason = rights.remove (target);
        }

        // The tool's status says nothing of whether the files went; the files do.
        for (auto& bundle : bundles)
        {
            if (bundle.state != State::present)
                continue;

            bundle.state = rights.exists (bundle.path) ? State::remains : State::removed;

            if (bundle.state == State::removed)
                bundle.reason.clear();
            else if (bundle.reason.empty())
                bundle.reason = "still present after removal";
        }

        return bundles;
    }

    Rights throughAuthorization (CAuth& auth)
    {
        return { [&auth] (const std::string& path) { return auth.exists (path.c_str()); },
                 [&auth] (const std::string& path)
                 {
                     char* arguments[] = { const_cast<char*> (RemovalTool::recursively),
                                           const_cast<char*> (RemovalTool::withinOneFileSystem),
                                           const_cast<char*> (path.c_str()), nullptr };

                     const auto status = auth.execute (RemovalTool::path, arguments);
                     const auto reason = auth.describeLastLaunch();

                     return reason.empty() && status != 0 ? std::string ("rm could not be started") : reason;
                 } };
    }

    bool anyIn (const std::vector<Bundle>& bundles, State state)
    {
        return std::any_of (bundles.begin(), bundles.end(), [state] (auto& b) { return b.state == state; });
    }

    const char* toText (State state)
    {
        switch (state)
        {
            case State::present:  return "present";
            case State::absent:   return "absent";
            case State::removed:  return "removed";
            case State::remains:  return "remains";
            case State::unknown:  return "unknown";
        }

        return "";
    }
}
