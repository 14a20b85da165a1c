#include "platform/linux/ErrorEcho.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>

/** Shared with the echoing thread, which outlives us while the child (the helper
    that pkexec became) keeps its end open. */
struct ErrorEcho::Shared
{
    static constexpr std::size_t kept = 4096;

    std::mutex lock;
    std::condition_variable ended;
    std::string text;
    bool closed = false;
    int readEnd = -1;

    void echo()
    {
        char buffer[512];

        for (;;)
        {
            const auto count = ::read (readEnd, buffer, sizeof (buffer));

            if (count < 0 && errno == EINTR)
                continue;

            if (count <= 0)
                break;

            // Ours may be closed or full; the text is kept all the same.
            [[maybe_unused]] const auto written = ::write (STDERR_FILENO, buffer, (std::size_t) count);

            const std::scoped_lock guard (lock);
            text.append (buffer, (std::size_t) count);

            if (text.size() > kept)
                text.erase (0, text.size() - kept);
        }

        ::close (readEnd);
        const std::scoped_lock guard (lock);
        closed = true;
        ended.notify_all();
    }
};

ErrorEcho::ErrorEcho()
    : shared (std::make_shared<Shared>())
{
    int ends[2];

    if (::pipe2 (ends, O_CLOEXEC) != 0)
    {
        shared->closed = true;
        return;
    }

    shared->readEnd = ends[0];
    childEnd = ends[1];
}

ErrorEcho::~ErrorEcho()
{
    // Never started: nobody reads.
    if (childEnd >= 0)
    {
        ::close (childEnd);
        ::close (shared->readEnd);
    }
}

void ErrorEcho::start()
{
    if (childEnd < 0)
        return;

    ::close (childEnd);
    childEnd = -1;
    std::thread ([state = shared] { state->echo(); }).detach();
}

std::string ErrorEcho::waitForText (int timeoutMs)
{
    std::unique_lock guard (shared->lock);
    shared->ended.wait_for (guard, std::chrono::milliseconds (timeoutMs), [this] { return shared->closed; });
    return shared->text;
}
