#include "support/FakeAuthorizationServices.h"

#include "common/HelperProtocol.h"

#include <juce_events/juce_events.h>

namespace
{
    /** A thread's priority may only be asked on that thread, by the thread itself: the
        call is protected, so it is reached through a member pointer taken in a subclass. */
    struct PriorityQuery : juce::Thread
    {
        static auto get()  { return &PriorityQuery::getPriority; }
    };
}

FakeAuthorizationServices::FakeAuthorizationServices (std::shared_ptr<Log> logToUse, Answers answersToGive)
    : log (std::move (logToUse)), answers (std::move (answersToGive))
{
}

std::vector<FakeAuthorizationServices::Command> FakeAuthorizationServices::Log::removals() const
{
    std::vector<Command> removals;

    for (auto& command : toolsRun)
        if (command[0] != "/bin/echo")
            removals.push_back (command);

    return removals;
}

FakeAuthorizationServices::Answers FakeAuthorizationServices::removingFiles()
{
    Answers answers;
    answers.runTool = [] (const Command& command)
    {
        if (command[0] == "/bin/rm")
            juce::File (command.back()).deleteRecursively();

        return 0;
    };
    return answers;
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

        if (! prompt())
            return -60006;
    }

    const auto command = HelperProtocol::makeRequest (toolPath, arguments);
    log->toolsRun.push_back (command);
    return answers.runTool (command);
}

bool FakeAuthorizationServices::prompt()
{
    if (withdrawn)
        return false;

    ++log->prompts;
    log->promptedOnMessageThread = juce::MessageManager::getInstance()->isThisTheMessageThread();
    return answers.heldPrompt != nullptr ? answers.heldPrompt->waitForAnswer() : answers.grant;
}

PathState FakeAuthorizationServices::inspectPath (Handle, const char* path)
{
    if (auto* thread = juce::Thread::getCurrentThread())
        log->lookingThreadPriority = (thread->*PriorityQuery::get())();

    return answers.inspectPath (path);
}

void FakeAuthorizationServices::waitForTool (Handle)
{
    ++log->waits;
}

void FakeAuthorizationServices::releaseDestroyingRights (Handle handle)
{
    log->releasedHandle = handle;
    log->releasedOnMessageThread = juce::MessageManager::getInstance()->isThisTheMessageThread();
    answers.onRelease();

    // Last: a test that waits for it from another thread may then read the rest.
    ++log->releases;
}

void FakeAuthorizationServices::withdrawPrompt()
{
    ++log->withdrawals;

    if (! answers.canClosePrompt)
        return;

    withdrawn = true;

    if (answers.heldPrompt != nullptr)
        answers.heldPrompt->answer (false);
}

//==============================================================================
void FakeAuthorizationServices::HeldPrompt::answer (bool grant)
{
    const std::scoped_lock guard (lock);
    givenAnswer = grant;
    answered.notify_all();
}

bool FakeAuthorizationServices::HeldPrompt::isOpen() const
{
    const std::scoped_lock guard (lock);
    return open;
}

bool FakeAuthorizationServices::HeldPrompt::waitForAnswer()
{
    std::unique_lock guard (lock);
    givenAnswer.reset();
    open = true;
    answered.wait (guard, [this] { return givenAnswer.has_value(); });
    open = false;
    return *givenAnswer;
}
