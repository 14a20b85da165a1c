#include "uninstall/DriverRemoval.h"

#include "common/HelperProtocol.h"
#include "common/RemovalTool.h"

#include <algorithm>

namespace DriverRemoval
{
    namespace
    {
        State toState (const PathState& seen)
        {
            switch (seen.kind)
            {
                case PathState::Kind::present:  return State::present;
                case PathState::Kind::absent:   return State::absent;
                case PathState::Kind::unknown:  break;
            }

            return State::unknown;
        }

        Bundle remains (const std::string& path, const std::string& reason)
        {
            return { path, State::remains, reason };
        }

        /** The second look: only the files say whether a removal worked. */
        Bundle lookAgain (const Bundle& removed, const Rights& rights)
        {
            const auto after = rights.inspect (removed.path);

            if (after.kind == PathState::Kind::absent)
                return { removed.path, State::removed };

            if (after.kind == PathState::Kind::unknown)
                return remains (removed.path, removed.reason.empty() ? "after removal, " + after.reason : removed.reason);

            return remains (removed.path, removed.reason.empty() ? "still present after removal" : removed.reason);
        }
    }

    std::vector<Bundle> survey (const std::vector<std::string>& targets)
    {
        std::vector<Bundle> bundles;

        for (auto& target : targets)
            bundles.push_back ({ target, toState (PathState::of (target)) });

        return bundles;
    }

    std::vector<Bundle> removeExisting (const std::vector<std::string>& targets, const Rights& rights,
                                        const std::function<bool()>& shouldGoOn)
    {
        std::vector<Bundle> bundles;

        // Each look comes right before its own removal, since an earlier removal can
        // take a later target with it, and right after, while what told us can still tell.
        for (auto& target : targets)
        {
            const auto before = rights.inspect (target);

            if (before.kind == PathState::Kind::absent)
                bundles.push_back ({ target, State::absent });
            else if (before.kind == PathState::Kind::unknown)
                bundles.push_back (remains (target, before.reason));
            else if (! shouldGoOn())
                bundles.push_back (remains (target, "not removed: the removal was interrupted"));
            else if (auto removal = rights.remove (target); removal.foundGone)
                bundles.push_back ({ target, State::absent });
            else
                bundles.push_back (lookAgain ({ target, State::present, removal.reason }, rights));
        }

        return bundles;
    }

    Rights throughAuthorization (CAuth& auth)
    {
        return { [&auth] (const std::string& path) { return auth.inspect (path.c_str()); },
                 [&auth] (const std::string& path)
                 {
                     char* arguments[] = { const_cast<char*> (RemovalTool::recursively),
                                           const_cast<char*> (RemovalTool::withinOneFileSystem),
                                           const_cast<char*> (path.c_str()), nullptr };

                     const auto status = auth.execute (RemovalTool::path, arguments);

                     if (status == HelperProtocol::pathAbsent)
                         return Removal { true };

                     const auto reason = auth.describeLastLaunch();
                     return Removal { false, reason.empty() && status != 0 ? std::string ("rm could not be started") : reason };
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
