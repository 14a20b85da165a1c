#include "platform/linux/HelperSpawn.h"

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

bool HelperSpawn::start (HelperConnection& connection, const std::vector<std::string>& command)
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

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_adddup2 (&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2 (&actions, output[1], STDOUT_FILENO);

    std::vector<char*> argv;
    for (auto& text : command)
        argv.push_back (const_cast<char*> (text.c_str()));
    argv.push_back (nullptr);

    pid_t spawned = -1;
    const auto result = posix_spawn (&spawned, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy (&actions);

    ::close (input[0]);
    ::close (output[1]);

    if (result != 0)
    {
        ::close (input[1]);
        ::close (output[0]);
        return false;
    }

    connection.adopt (spawned, input[1], output[0]);
    return true;
}
