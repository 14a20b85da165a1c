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

    // One helper, and so one prompt, for the handle's whole life.
    if (! connection.hasStarted() && ! connection.start (helperCommand))
        return HelperConnection::helperGone;

    std::vector<std::string> request { toolPath };

    for (auto* argument = arguments; *argument != nullptr; ++argument)
        request.emplace_back (*argument);

    // Whether the tool ran, not how it fared: the caller judges the outcome by its effects.
    return connection.request (request).code;
}

void LinuxAuthorizationServices::waitForTool (Handle)
{
    // The helper replies only once the tool has ended: nothing is left to wait for.
}

void LinuxAuthorizationServices::releaseDestroyingRights (Handle handle)
{
    delete &toConnection (handle);
}
