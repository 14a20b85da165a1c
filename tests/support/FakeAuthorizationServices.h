#pragma once

#include "platform/AuthorizationServices.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

/** Authorization services that ask nobody and run nothing by themselves: they
    record every call, in a log that outlives them, and answer as configured. */
class FakeAuthorizationServices : public AuthorizationServices
{
public:
    using Command = std::vector<std::string>;

    struct Log
    {
        int creates = 0;
        int prompts = 0;
        int waits = 0;
        int releases = 0;
        std::vector<Command> toolsRun;
        Handle createdHandle = nullptr;
        Handle releasedHandle = nullptr;
        bool releasedOnMessageThread = false;
    };

    struct Answers
    {
        Status createStatus = 0;
        bool grant = true;

        /** Called for every launch after the prompt; gives the launch status. */
        std::function<Status (const Command&)> runTool = [] (const Command&) { return 0; };

        /** Called when the handle is released. */
        std::function<void()> onRelease = [] {};
    };

    FakeAuthorizationServices (std::shared_ptr<Log> log, Answers answers);

    Status create (Handle& handle) override;
    Status launchPrivileged (Handle handle, const char* toolPath, char* const* arguments) override;
    void waitForTool (Handle handle) override;
    void releaseDestroyingRights (Handle handle) override;

private:
    std::shared_ptr<Log> log;
    Answers answers;
    bool prompted = false;
    int handleObject = 0;
};
