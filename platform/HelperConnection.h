#pragma once

#include "common/HelperProtocol.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <vector>

/** Our end of the privileged helper, on every system: the process, which is our
    child, and the descriptors that carry the frames. Whoever starts the helper
    hands both over; the connection reaps that one process and never another. */
class HelperConnection
{
public:
    HelperConnection() = default;
    ~HelperConnection();

    /** Takes over a started helper: its process id where the starter knows it (else
        -1, and the helper's greeting names it), the descriptor that requests are
        written to and the one that replies are read from (two ends of pipes, or two
        descriptors of one socket). Only one helper per connection. */
    void adopt (pid_t process, int toHelper, int fromHelper);

    bool hasStarted() const noexcept  { return started; }

    /** Sends one request and waits for the reply; the first also reads the helper's
        greeting. If the helper has gone (a refused prompt ends pkexec), reaps it and
        replies with the code helperGone, to this request and every later one. */
    HelperProtocol::Reply request (const std::vector<std::string>& toolAndArguments);

    /** From any thread: sends SIGTERM to the process, once its id is known and
        unless it has been reaped already. Whoever waits in request() then sees it
        gone, and reaps it. */
    void terminate();

    /** The helper's exit status once a request has found it gone and reaped it; -1
        before then, or when a signal ended it. */
    int getExitStatus() const noexcept  { return exitStatus; }

    static constexpr std::int32_t helperGone = -1;

private:
    bool readGreeting();

    /** Ends the helper's input: it exits once it has answered what it already has. */
    void closeRequestPipe();

    /** Closes the descriptors, so that the helper's input ends, and waits for it to
        exit: when a request finds it gone, and when the connection is destroyed,
        also if it was never sent anything. */
    void close();

    bool started = false;
    bool greeted = false;
    mutable std::mutex processLock;   // pid, which terminate() reads on another thread
    pid_t pid = -1;
    int toHelper = -1;
    int fromHelper = -1;
    int exitStatus = -1;

    HelperConnection (const HelperConnection&) = delete;
    HelperConnection& operator= (const HelperConnection&) = delete;
};
