#include "platform/LinuxAuthorizationServices.h"

#include "platform/HelperLocation.h"
#include "platform/HelperTrust.h"
#include "platform/linux/HelperConnection.h"

namespace
{
    HelperConnection& toConnection (AuthorizationServices::Handle handle)
    {
        return *static_cast<HelperConnection*> (handle);
    }
}

LinuxAuthorizationServices::LinuxAuthorizationServices (std::vector<std::string> command)
    : helperCommand (std::move (command))
{
}

std::vector<std::string> LinuxAuthorizationServices::getPkexecCommand()
{
    // A helper that anyone but root could swap would run their code as root; with
    // no command the launch fails, as a refused prompt does.
    const auto helper = HelperTrust::verify (HelperLocation::find());

    if (! helper.has_value())
        return {};

    return { "/usr/bin/pkexec", helper->getFullPathName().toStdString() };
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
    std::vector<std::string> request { toolPath };

    for (auto* argument = arguments; *argument != nullptr; ++argument)
        request.emplace_back (*argument);

    // One helper, and so one prompt, for the handle's whole life.
    if (! connection.hasStarted())
        return startHelper (connection, request);

    return connection.request (request);
}

AuthorizationServices::Status LinuxAuthorizationServices::startHelper (HelperConnection& connection,
                                                                       const std::vector<std::string>& firstRequest)
{
    {
        const std::scoped_lock lock (promptLock);

        if (withdrawn || ! connection.start (helperCommand))
            return HelperConnection::helperGone;

        askingConnection = &connection;
    }

    // The first reply comes once the user has answered the prompt.
    const auto status = connection.request (firstRequest);

    const std::scoped_lock lock (promptLock);
    askingConnection = nullptr;
    return status;
}

void LinuxAuthorizationServices::waitForTool (Handle)
{
    // The helper replies only once the tool has ended: nothing is left to wait for.
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
