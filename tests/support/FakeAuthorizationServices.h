#pragma once

#include "platform/AuthorizationServices.h"

#include <juce_core/juce_core.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

/** Authorization services that ask nobody and run nothing by themselves: they
    record every call, in a log that outlives them, and answer as configured. */
class FakeAuthorizationServices : public AuthorizationServices
{
public:
    using Command = std::vector<std::string>;

    /** A prompt that stays open until the test answers it, or until it is withdrawn. */
    class HeldPrompt
    {
    public:
        void answer (bool grant);
        bool isOpen() const;

        /** By the fake's launch: opens the prompt and blocks until it is answered anew. */
        bool waitForAnswer();

    private:
        mutable std::mutex lock;
        std::condition_variable answered;
        bool open = false;
        std::optional<bool> givenAnswer;
    };

    struct Log
    {
        int creates = 0;
        int prompts = 0;
        int withdrawals = 0;
        bool promptedOnMessageThread = false;
        std::optional<juce::Thread::Priority> lookingThreadPriority;
        int waits = 0;
        std::atomic<int> releases { 0 };   // a late prompt gives its rights back on a thread of its own
        std::vector<Command> toolsRun;
        Handle createdHandle = nullptr;
        Handle releasedHandle = nullptr;
        bool releasedOnMessageThread = false;

        /** The tools run after the prompt's own trial run of /bin/echo. */
        std::vector<Command> removals() const;
    };

    struct Answers
    {
        Status createStatus = 0;
        bool grant = true;

        /** What keeps the prompt from being shown at all. */
        PromptObstacle obstacle;

        /** When set, the prompt stays open until this is answered; grant is not used. */
        std::shared_ptr<HeldPrompt> heldPrompt;

        /** False for a system whose prompt only the user can close (a Mac's): a
            withdrawal then changes nothing, and the prompt waits for its answer. */
        bool canClosePrompt = true;

        /** Called for every launch after the prompt; gives the launch status. */
        std::function<Status (const Command&)> runTool = [] (const Command&) { return 0; };

        /** What is at a path, as the rights would see it; the files themselves by default. */
        std::function<PathState (const std::string&)> inspectPath = [] (const std::string& path)
        {
            return PathState::of (path);
        };

        /** Called when the handle is released. */
        std::function<void()> onRelease = [] {};
    };

    FakeAuthorizationServices (std::shared_ptr<Log> log, Answers answers);

    /** Grants, and removes the files that a removal names, as rm -r would. */
    static Answers removingFiles();

    Status create (Handle& handle) override;
    Status launchPrivileged (Handle handle, const char* toolPath, char* const* arguments) override;
    void waitForTool (Handle handle) override;
    PathState inspectPath (Handle, const char* path) override;
    void releaseDestroyingRights (Handle handle) override;
    void withdrawPrompt() override;
    PromptObstacle findPromptObstacle() const override  { return answers.obstacle; }

private:
    bool prompt();

    std::shared_ptr<Log> log;
    Answers answers;
    bool prompted = false;
    std::atomic<bool> withdrawn { false };
    int handleObject = 0;
};
