#include "platform/HelperAuthorizationServices.h"

HelperAuthorizationServices::HelperAuthorizationServices (PromptObstacle obstacleToReport)
    : obstacle (std::move (obstacleToReport))
{
}

AuthorizationServices::PromptObstacle HelperAuthorizationServices::findHelperObstacle (const juce::File& helper,
                                                                                      const HelperTrust::Rule& rule)
{
    using Kind = PromptObstacle::Kind;
    const auto helperPath = helper.getFullPathName().toStdString();

    if (! helper.existsAsFile())
        return { Kind::helperMissing, helperPath };

    if (! HelperTrust::verifyInPlace (helper, rule).has_value())
        return { Kind::helperUntrusted, helperPath };

    return {};
}

AuthorizationServices::PromptObstacle HelperAuthorizationServices::findPromptObstacle() const
{
    const std::scoped_lock lock (promptLock);
    return obstacle;
}

void HelperAuthorizationServices::setRequester (Requester who)
{
    const std::scoped_lock lock (promptLock);
    requester = who;
}

std::string HelperAuthorizationServices::describeRequester() const
{
    const std::scoped_lock lock (promptLock);
    return requester == Requester::window ? "--asked-by=window" : "--asked-by=command-line";
}

void HelperAuthorizationServices::reportObstacle (PromptObstacle found)
{
    const std::scoped_lock lock (promptLock);
    obstacle = std::move (found);
}

AuthorizationServices::Status HelperAuthorizationServices::createReference (void*& reference)
{
    reference = nullptr;
    return 0;
}

void HelperAuthorizationServices::releaseReference (void*)
{
}

AuthorizationServices::Status HelperAuthorizationServices::create (Handle& handle)
{
    auto session = std::make_unique<Session>();
    const auto status = createReference (session->systemReference);

    if (status != 0)
        return status;

    handle = session.release();
    return 0;
}

AuthorizationServices::Status HelperAuthorizationServices::launchPrivileged (Handle handle,
                                                                             const char* toolPath,
                                                                             char* const* arguments)
{
    auto& session = *static_cast<Session*> (handle);
    const auto request = HelperProtocol::makeRequest (toolPath, arguments);

    // One helper, and so one prompt, for the handle's whole life.
    if (! session.connection.hasStarted())
        return startHelper (session, { describeRequester() }, request);

    // Whether the tool ran, not how it fared: the caller judges the outcome by its
    // effects, and hears from the helper why a bundle stayed.
    const auto reply = session.connection.request (request);
    lastReason = reply.code == HelperConnection::helperGone ? "the privileged helper has ended" : reply.reason;
    return reply.code;
}

bool HelperAuthorizationServices::beginAsking (Session& session, const std::function<bool()>& start)
{
    const std::scoped_lock lock (promptLock);

    if (withdrawn || ! start())
        return false;

    askingSession = &session;
    return true;
}

bool HelperAuthorizationServices::endAsking()
{
    const std::scoped_lock lock (promptLock);
    askingSession = nullptr;
    return withdrawn;
}

PathState HelperAuthorizationServices::inspectPath (Handle handle, const char* path)
{
    // No rights: what the user can see.
    if (handle == nullptr || ! static_cast<Session*> (handle)->connection.hasStarted())
        return PathState::of (path);

    // With rights, the user's own look could take a folder closed to them for "absent";
    // a path that is none of the helper's bundles is not its to answer.
    const auto reply = static_cast<Session*> (handle)->connection.request ({ HelperProtocol::existenceQuery, path });
    return reply.code == HelperProtocol::toolNotAllowed ? PathState::of (path) : HelperProtocol::toPathState (reply);
}

void HelperAuthorizationServices::releaseDestroyingRights (Handle handle)
{
    // The helper ends before the rights it was started with are destroyed.
    auto* session = static_cast<Session*> (handle);
    auto* reference = session->systemReference;
    delete session;
    releaseReference (reference);
}

void HelperAuthorizationServices::withdrawPrompt()
{
    const std::scoped_lock lock (promptLock);
    withdrawn = true;

    if (askingSession != nullptr)
        closePrompt (*askingSession);
}
