#include "support/HelperProcess.h"

#include <fcntl.h>
#include <utility>
#include <sys/wait.h>
#include <unistd.h>

HelperProcess::HelperProcess (const std::vector<std::string>& command)
{
    int input[2], output[2];

    if (::pipe2 (input, O_CLOEXEC) != 0 || ::pipe2 (output, O_CLOEXEC) != 0)
        return;

    std::vector<char*> argv;
    for (auto& text : command)
        argv.push_back (const_cast<char*> (text.c_str()));
    argv.push_back (nullptr);

    pid = ::fork();

    if (pid == 0)
    {
        ::dup2 (input[0], STDIN_FILENO);
        ::dup2 (output[1], STDOUT_FILENO);
        ::execv (argv[0], argv.data());
        ::_exit (127);
    }

    ::close (input[0]);
    ::close (output[1]);
    requestPipe = input[1];
    replyPipe = output[0];
}

HelperProcess::~HelperProcess()
{
    closeRequestPipe();
    if (replyPipe >= 0)
        ::close (replyPipe);

    if (pid > 0)
        ::waitpid (pid, nullptr, 0);
}

void HelperProcess::closeRequestPipe()
{
    if (requestPipe >= 0)
        ::close (std::exchange (requestPipe, -1));
}
