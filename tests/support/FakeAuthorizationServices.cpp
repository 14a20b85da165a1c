#include "support/FakeAuthorizationServices.h"

#include <juce_events/juce_events.h>

FakeAuthorizationServices::FakeAuthorizationServices (std::shared_ptr<Log> logToUse, Answers answersToGive)
    : log (std::move (logToUse)), answers (std::move (answersToGive))
{
}

AuthorizationServices::Status FakeAuthorizationServices::create (Handle& handle)
{
    ++log->creates;

    if (answers.createStatus != 0)
        return answers.createStatus;

    handle = log->createdHandle = &handleObject;
    return 0;
}

AuthorizationServices::Status FakeAuthorizationServices::launchPrivileged (Handle, const char* toolPath,
                                                                           char* const* arguments)
{
    if (! prompted)
    {
        prompted = true;
        ++log->prompts;

        if (! answers.grant)
            return -60006;
    }

    Command command { toolPath };

    for (auto* argument = arguments; *argument != nullptr; ++argument)
        command.emplace_back (*argument);

    log->toolsRun.push_back (command);
    return answers.runTool (command);
}

void FakeAuthorizationServices::waitForTool (Handle)
{
    ++log->waits;
}

void FakeAuthorizationServices::releaseDestroyingRights (Handle handle)
{
    ++log->releases;
    log->releasedHandle = handle;
    log->releasedOnMessageThread = juce::MessageManager::getInstance()->isThisTheMessageThread();
    answers.onRelease();
}
