// Stands in for a tool that the privileged helper runs: called as
// "rm -r --one-file-system PATH", it writes to PATH which descriptors it was given
// open, its environment, which signals it was given ignored or blocked, and whether it
// shares its starter's process group, one per line.
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

extern char** environ;

int main (int argc, char** argv)
{
    if (argc != 4)
        return 2;

    std::vector<std::string> lines;

    if (auto* folder = ::opendir ("/proc/self/fd"))
    {
        while (auto* entry = ::readdir (folder))
            if (entry->d_name[0] != '.' && std::atoi (entry->d_name) != ::dirfd (folder))
                lines.push_back (std::string ("descriptor ") + entry->d_name);

        ::closedir (folder);
    }

    for (auto** entry = environ; *entry != nullptr; ++entry)
        lines.push_back (std::string ("environment ") + *entry);

    sigset_t blocked;
    ::sigprocmask (SIG_BLOCK, nullptr, &blocked);

    for (int signal = 1; signal < NSIG; ++signal)
    {
        struct sigaction action {};

        if (::sigaction (signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN)
            lines.push_back ("ignored " + std::to_string (signal));

        if (sigismember (&blocked, signal) == 1)
            lines.push_back ("blocked " + std::to_string (signal));
    }

    if (::getpgrp() != ::getpid())
        lines.push_back ("in its starter's process group");

    std::ofstream record (argv[3]);

    for (auto& line : lines)
        record << line << '\n';

    return record.good() ? 0 : 1;
}
