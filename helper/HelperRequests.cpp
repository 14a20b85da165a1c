#include "helper/HelperRequests.h"

#include "common/PathState.h"
#include "common/TerminationHold.h"
#include "helper/MountTable.h"
#include "helper/SystemLog.h"
#include "helper/ToolRun.h"

#include <sys/stat.h>
#include <unistd.h>

namespace
{
    using Strings = HelperRequests::Strings;
    using HelperRequests::AllowList;

    bool isTarget (const std::string& path, const AllowList& allowed)
    {
        for (auto& target : allowed.targets)
            if (path == target)
                return true;

        return false;
    }

    bool isRemoval (const Strings& request, const AllowList& allowed)
    {
        return request.size() == 4 && isTarget (request[3], allowed)
            && request == HelperRequests::removalRequest (allowed.removeTool, request[3]);
    }

    bool isExistenceQuery (const Strings& request, const AllowList& allowed)
    {
        return request.size() == 2 && request[0] == HelperProtocol::existenceQuery
            && isTarget (request[1], allowed);
    }

    /** Why someone other than root, or the user we run as, could change where the
        path leads; empty when nobody can: every folder from "/" down to its parent is
        a real folder, not a link, owned by one of them and writable by nobody else,
        unless it is sticky, where nobody else may move their entries. Asked before
        each removal, since folders change. */
    std::string findUntrustedFolder (const std::string& target)
    {
        const auto us = ::geteuid();

        for (auto slash = target.find ('/'); slash != std::string::npos; slash = target.find ('/', slash + 1))
        {
            struct stat info {};
            auto folder = slash == 0 ? std::string ("/") : target.substr (0, slash);

            if (::lstat (folder.c_str(), &info) != 0 || ! S_ISDIR (info.st_mode))
                return "the folder " + folder + (S_ISLNK (info.st_mode) ? " is a link" : " is not a folder");

            if (info.st_uid != 0 && info.st_uid != us)
                return "the folder " + folder + " belongs to uid " + std::to_string (info.st_uid);

            if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (info.st_mode & S_ISVTX) == 0)
                return "the folder " + folder + " may be written by others than its owner";
        }

        return {};
    }

    std::string describeAsker (const AllowList& allowed)
    {
        return ", asked by " + SystemLog::describeAskingUser (SystemLog::readIdentity (allowed.startedAsHelper))
                 + " from " + (allowed.askedFromCommandLine ? "the command line" : "the window");
    }

    /** The record that the administrator reads: what was removed, or what remains and why. */
    void record (const std::string& target, const std::string& reason, const AllowList& allowed)
    {
        if (reason.empty())
            SystemLog::notice ("removed " + target + describeAsker (allowed));
        else
            SystemLog::warning ("could not remove " + target + " (" + reason + ")" + describeAsker (allowed));
    }

    /** Why the target stays where a look after rm finds it, or cannot tell. */
    std::string describeWhatStayed (const PathState& after, const HelperProtocol::Reply& ran)
    {
        if (after.kind == PathState::Kind::unknown)
            return "after removal, " + after.reason;

        return ran.code == HelperProtocol::toolStarted
                   ? "still present after removal; rm ended with status " + std::to_string (ran.toolExitStatus)
                   : "rm could not be started";
    }

    HelperProtocol::Reply remove (const Strings& request, const std::string& target, const AllowList& allowed)
    {
        // Whoever may change a folder on the way could point the removal elsewhere.
        if (auto why = findUntrustedFolder (target); ! why.empty())
            return { HelperProtocol::pathNotTrusted, HelperProtocol::noExitStatus, why };

        if (auto why = MountTable::findMountInside (target); ! why.empty())
            return { HelperProtocol::fileSystemMounted, HelperProtocol::noExitStatus, why };

        // A helper that dies from here on leaves this line, and no "removed" after it.
        SystemLog::notice ("removing " + target + describeAsker (allowed));

        auto reply = ToolRun::run (request);

        if (const auto after = PathState::of (target); after.kind != PathState::Kind::absent)
            reply.reason = describeWhatStayed (after, reply);

        return reply;
    }
}

HelperRequests::Strings HelperRequests::removalRequest (const std::string& removeTool, const std::string& target)
{
    return { removeTool, RemovalTool::recursively, RemovalTool::withinOneFileSystem, target };
}

HelperProtocol::Reply HelperRequests::answer (const Strings& request, const AllowList& allowed)
{
    if (isExistenceQuery (request, allowed))
        return HelperProtocol::toReply (PathState::of (request[1]));

    if (request == Strings { allowed.echoTool })
        return ToolRun::run (request);

    if (! isRemoval (request, allowed))
        return { HelperProtocol::toolNotAllowed };

    const TerminationHold hold;
    const auto& target = request[3];

    // Another removal may have come first; what cannot be looked at is not removed.
    if (const auto before = PathState::of (target); before.kind != PathState::Kind::present)
    {
        if (before.kind == PathState::Kind::unknown)
            record (target, before.reason, allowed);

        return HelperProtocol::toReply (before);
    }

    auto reply = remove (request, target, allowed);
    record (target, reply.reason, allowed);
    return reply;
}
