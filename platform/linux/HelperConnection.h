#pragma once

#include "common/HelperProtocol.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <vector>

/** Our end of the privileged helper: the process, started once, and the pipes on
    its standard input and output. Never reaps any process but its own. */
class HelperConnection
{
public:
    HelperConnection() = default;
    ~HelperConnection();

    /** Starts the command (no shell, no PATH search) with the pipes as its standard
        input and output. False if it could not be started; only one start per connection. */
    bool start (const std::vector<std::string>& command);

    bool hasStarted() const noexcept  { return started; }

    /** Sends one request and waits for the reply. If the helper has gone (a refused
        prompt ends pkexec), reaps it and replies with the code helperGone. */
    HelperProtocol::Reply request (const std::vector<std::string>& toolAndArguments);

    /** From any thread: sends SIGTERM to the process, unless it has been reaped
        already. Whoever waits in request() then sees it gone, and reaps it. */
    void terminate();

    /** The helper's exit status once a request has found it gone and reaped it; -1
        before then, or when a signal ended it. */
    int getExitStatus() const noexcept  { return exitStatus; }

    static constexpr std::int32_t helperGone = -1;

private:
    /** Ends the helper's input: it exits once it has answered what it already has. */
    void closeRequestPipe();

    /** Closes the pipes, so that the helper's input ends, and waits for it to exit:
        when a request finds it gone, and when the connection is destroyed. */
    void close();

    bool started = false;
    mutable std::mutex processLock;   // pid, which terminate() reads on another thread
    pid_t pid = -1;
    int toHelper = -1;
    int fromHelper = -1;
    int exitStatus = -1;

    HelperConnection (const HelperConnection&) = delete;
    HelperConnection& operator= (const HelperConnection&) = delete;
};
