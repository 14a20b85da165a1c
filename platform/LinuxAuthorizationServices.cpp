#include "platform/LinuxAuthorizationServices.h"

#include "platform/HelperLocation.h"
#include "platform/HelperTrust.h"
#include "platform/linux/HelperConnection.h"

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    HelperConnection& toConnection (AuthorizationServices::Handle handle)
    {
        return *static_cast<HelperConnection*> (handle);
    }

    /** The helper exactly where it was installed beside the program, which is the
        path that the polkit action names, and trusted there. Through a link it could
        be any program of root's: bash passes the ownership checks as well. */
    std::optional<juce::File> findInstalledHelper()
    {
        const auto helper = HelperLocation::find();
        const auto verified = HelperTrust::verify (helper);

        if (verified.has_value() && *verified == helper)
            return verified;

        return std::nullopt;
    }
}

LinuxAuthorizationServices::LinuxAuthorizationServices (std::vector<std::string> command,
                                                        PromptObstacle obstacleToReport)
    : helperCommand (std::move (command)), obstacle (std::move (obstacleToReport))
{
}

std::vector<std::string> LinuxAuthorizationServices::getPkexecCommand()
{
    // A helper that anyone but root could swap would run their code as root; with
    // no command the launch fails, as a refused prompt does.
    const auto helper = findInstalledHelper();

    if (! helper.has_value())
        return {};

    return { pkexecPath, helper->getFullPathName().toStdString() };
}

AuthorizationServices::PromptObstacle LinuxAuthorizationServices::findPkexecObstacle()
{
    using Kind = PromptObstacle::Kind;

    if (::access (pkexecPath, X_OK) != 0)
        return { Kind::launcherMissing, pkexecPath };

    const auto helper = HelperLocation::find();
    const auto helperPath = helper.getFullPathName().toStdString();

    if (! helper.existsAsFile())
        return { Kind::helperMissing, helperPath };

    if (! findInstalledHelper().has_value())
        return { Kind::helperUntrusted, helperPath };

    return {};
}

AuthorizationServices::PromptObstacle LinuxAuthorizationServices::findPromptObstacle() const
{
    const std::scoped_lock lock (promptLock);
    return obstacle;
}

AuthorizationServices::Status LinuxAuthorizationServices::create (Handle& handle)
{
    handle = new HelperConnection();
    return 0;
}

AuthorizationServices::Status LinuxAuthorizationServices::launchPrivileged (Handle handle,
                                                                            const char* toolPath,
                                                                            char* const* arguments)
{
    auto& connection = toConnection (handle);
    const auto request = HelperProtocol::makeRequest (toolPath, arguments);

    // One helper, and so one prompt, for the handle's whole life.
    if (! connection.hasStarted())
        return startHelper (connection, request);

    // Whether the tool ran, not how it fared: the caller judges the outcome by its
    // effects, and hears from the helper why a bundle stayed.
    const auto reply = connection.request (request);
    lastReason = reply.reason;
    return reply.code;
}

AuthorizationServices::Status LinuxAuthorizationServices::startHelper (HelperConnection& connection,
                                                                       const std::vector<std::string>& firstRequest)
{
    {
        const std::scoped_lock lock (promptLock);

        // Who asked, for the helper's record; an empty command stays empty and fails.
        auto command = helperCommand;

        if (! command.empty())
            command.push_back (requester == Requester::window ? "--asked-by=window" : "--asked-by=command-line");

        if (withdrawn || ! connection.start (command))
            return HelperConnection::helperGone;

        askingConnection = &connection;
    }

    // The first reply comes once the user has answered the prompt.
    const auto status = connection.request (firstRequest).code;

    const std::scoped_lock lock (promptLock);
    askingConnection = nullptr;

    // A withdrawn prompt ends by a signal, never with this status.
    if (status == HelperConnection::helperGone && connection.getExitStatus() == pkexecCouldNotAsk)
        obstacle = { PromptObstacle::Kind::promptUnavailable, {} };

    return status;
}

void LinuxAuthorizationServices::waitForTool (Handle)
{
    // The helper replies only once the tool has ended: nothing is left to wait for.
}

bool LinuxAuthorizationServices::pathExists (Handle handle, const char* path)
{
    if (handle != nullptr && toConnection (handle).hasStarted())
    {
        const auto reply = toConnection (handle).request ({ HelperProtocol::existenceQuery, path });

        if (reply.code == HelperProtocol::pathPresent || reply.code == HelperProtocol::pathAbsent)
            return reply.code == HelperProtocol::pathPresent;
    }

    // No helper to ask: what the user can see.
    struct stat info {};
    return ::stat (path, &info) == 0;
}

void LinuxAuthorizationServices::releaseDestroyingRights (Handle handle)
{
    delete &toConnection (handle);
}

void LinuxAuthorizationServices::withdrawPrompt()
{
    const std::scoped_lock lock (promptLock);
    withdrawn = true;

    // Once authenticated, pkexec has become the helper, running as root: the signal
    // is refused, and the caller must not use the rights it was granted.
    if (askingConnection != nullptr)
        askingConnection->terminate();
}
