#include "platform/linux/HelperSpawn.h"

#include <condition_variable>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <spawn.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace
{
    /** pkexec has the kernel end its command with SIGTERM once the *thread* that
        started it ends (PR_SET_PDEATHSIG), and the prompt is asked on a thread that
        ends before the helper does. For another user the setting goes as pkexec
        changes credentials; for root it stays. So every helper is started from one
        thread that lasts as long as the program. */
    class LastingThread
    {
    public:
        static void run (const std::function<void()>& work)
        {
            // Never destroyed: its thread serves until the program ends.
            static auto* const instance = new LastingThread();
            instance->perform (work);
        }

    private:
        LastingThread()
        {
            std::thread ([this] { serve(); }).detach();
        }

        void perform (const std::function<void()>& work)
        {
            const std::scoped_lock oneAtATime (callers);
            std::unique_lock guard (lock);
            pending = &work;
            changed.notify_all();
            changed.wait (guard, [this] { return pending == nullptr; });
        }

        [[noreturn]] void serve()
        {
            std::unique_lock guard (lock);

            for (;;)
            {
                changed.wait (guard, [this] { return pending != nullptr; });
                (*pending)();
                pending = nullptr;
                changed.notify_all();
            }
        }

        std::mutex callers, lock;
        std::condition_variable changed;
        const std::function<void()>* pending = nullptr;
    };

    pid_t spawn (const std::vector<std::string>& command, int input, int output, int errorOutput)
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init (&actions);
        posix_spawn_file_actions_adddup2 (&actions, input, STDIN_FILENO);
        posix_spawn_file_actions_adddup2 (&actions, output, STDOUT_FILENO);

        if (errorOutput >= 0)
            posix_spawn_file_actions_adddup2 (&actions, errorOutput, STDERR_FILENO);

        std::vector<char*> argv;
        for (auto& text : command)
            argv.push_back (const_cast<char*> (text.c_str()));
        argv.push_back (nullptr);

        pid_t spawned = -1;
        int result = -1;
        LastingThread::run ([&] { result = posix_spawn (&spawned, argv[0], &actions, nullptr, argv.data(), environ); });
        posix_spawn_file_actions_destroy (&actions);
        return result == 0 ? spawned : -1;
    }
}

bool HelperSpawn::start (HelperConnection& connection, const std::vector<std::string>& command, int errorOutput)
{
    if (connection.hasStarted() || command.empty())
        return false;

    // Close-on-exec, so that no other child of ours holds the helper's input open.
    int input[2], output[2];

    if (::pipe2 (input, O_CLOEXEC) != 0)
        return false;

    if (::pipe2 (output, O_CLOEXEC) != 0)
    {
        ::close (input[0]);
        ::close (input[1]);
        return false;
    }

    const auto spawned = spawn (command, input[0], output[1], errorOutput);
    ::close (input[0]);
    ::close (output[1]);

    if (spawned < 0)
    {
        ::close (input[1]);
        ::close (output[0]);
        return false;
    }

    connection.adopt (spawned, input[1], output[0]);
    return true;
}
