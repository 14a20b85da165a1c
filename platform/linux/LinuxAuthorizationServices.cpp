#include "platform/linux/LinuxAuthorizationServices.h"

#include "platform/HelperLocation.h"
#include "platform/linux/ErrorEcho.h"
#include "platform/linux/HelperSpawn.h"

#include <unistd.h>

namespace
{
    /** The user was asked and did not authenticate: a refusal, as a dismissed prompt is. */
    bool isFailedAuthentication (const std::string& pkexecErrors)
    {
        return pkexecErrors.find ("Error executing command as another user: Not authorized") != std::string::npos;
    }
}

LinuxAuthorizationServices::LinuxAuthorizationServices (std::vector<std::string> command,
                                                        PromptObstacle obstacleToReport)
    : HelperAuthorizationServices (std::move (obstacleToReport)), helperCommand (std::move (command))
{
}

std::vector<std::string> LinuxAuthorizationServices::getPkexecCommand()
{
    // A helper that anyone but root could swap would run their code as root; with
    // no command the launch fails, as a refused prompt does.
    const auto helper = HelperTrust::verifyInPlace (HelperLocation::find(), HelperLocation::getTrustRule());

    if (! helper.has_value())
        return {};

    return { pkexecPath, helper->getFullPathName().toStdString() };
}

AuthorizationServices::PromptObstacle LinuxAuthorizationServices::findPkexecObstacle()
{
    if (::access (pkexecPath, X_OK) != 0)
        return { PromptObstacle::Kind::launcherMissing, pkexecPath };

    return findHelperObstacle (HelperLocation::find(), HelperLocation::getTrustRule());
}

AuthorizationServices::Status LinuxAuthorizationServices::startHelper (Session& session,
                                                                       const std::vector<std::string>& helperArguments,
                                                                       const std::vector<std::string>& firstRequest)
{
    // An empty command stays empty and fails, as a refused prompt does.
    auto command = helperCommand;

    if (! command.empty())
        command.insert (command.end(), helperArguments.begin(), helperArguments.end());

    // pkexec says on its standard error why it ends with the status it shares.
    ErrorEcho errors;

    if (! beginAsking (session, [&] { return HelperSpawn::start (session.connection, command, errors.getChildEnd()); }))
        return HelperConnection::helperGone;

    errors.start();

    // The first reply comes once the user has answered the prompt.
    const auto status = session.connection.request (firstRequest);
    endAsking();

    // A withdrawn prompt ends by a signal, never with this status.
    if (status.code == HelperConnection::helperGone && session.connection.getExitStatus() == pkexecCouldNotAsk
         && ! isFailedAuthentication (errors.waitForText (1000)))
        reportObstacle ({ PromptObstacle::Kind::promptUnavailable, {} });

    return status.code;
}

void LinuxAuthorizationServices::closePrompt (Session& session)
{
    // Once authenticated, pkexec has become the helper, running as root: the signal
    // is refused, and the caller must not use the rights it was granted.
    session.connection.terminate();
}
