#include "helper/HelperRequests.h"

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

    bool isPresent (const std::string& path)
    {
        struct stat info {};
        return ::lstat (path.c_str(), &info) == 0;
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

    /** The record that the administrator reads: what was removed, or what remains and why. */
    void record (const std::string& target, const std::string& reason, const AllowList& allowed)
    {
        const auto askedBy = ", asked by " + SystemLog::describeAskingUser() + " from "
                             + (allowed.askedFromCommandLine ? "the command line" : "the window");

        if (reason.empty())
            SystemLog::notice ("removed " + target + askedBy);
        else
            SystemLog::warning ("could not remove " + target + " (" + reason + ")" + askedBy);
    }

    HelperProtocol::Reply remove (const Strings& request, const std::string& target)
    {
        // Whoever may change a folder on the way could point the removal elsewhere.
        if (auto why = findUntrustedFolder (target); ! why.empty())
            return { HelperProtocol::pathNotTrusted, HelperProtocol::noExitStatus, why };

        if (auto why = MountTable::findMountInside (target); ! why.empty())
            return { HelperProtocol::fileSystemMounted, HelperProtocol::noExitStatus, why };

        auto reply = ToolRun::run (request);

        if (isPresent (target))
            reply.reason = reply.code == HelperProtocol::toolStarted
                               ? "still present after removal; rm ended with status " + std::to_string (reply.toolExitStatus)
                               : "rm could not be started";

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
        return { isPresent (request[1]) ? HelperProtocol::pathPresent : HelperProtocol::pathAbsent };

    if (request == Strings { allowed.echoTool })
        return ToolRun::run (request);

    if (! isRemoval (request, allowed))
        return { HelperProtocol::toolNotAllowed };

    // Another removal may have come first.
    if (! isPresent (request[3]))
        return { HelperProtocol::pathAbsent };

    auto reply = remove (request, request[3]);
    record (request[3], reply.reason, allowed);
    return reply;
}
