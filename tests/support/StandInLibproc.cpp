// proc_listchildpids of a Mac's libproc, for the Linux tests: the processes whose
// parent we are, zombies too, as the Mac's call lists them, read from /proc.

#include <libproc.h>

#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>

extern "C" int proc_listchildpids (pid_t ppid, void* buffer, int buffersize)
{
    auto* folder = ::opendir ("/proc");

    if (folder == nullptr)
        return -1;

    auto* ids = static_cast<int*> (buffer);
    const auto capacity = buffer != nullptr ? buffersize / (int) sizeof (int) : 0;
    int count = 0;

    while (auto* entry = ::readdir (folder))
    {
        if (! std::isdigit ((unsigned char) entry->d_name[0]))
            continue;

        // "pid (name) state ppid ...", where the name may hold spaces and brackets.
        std::ifstream stat (std::string ("/proc/") + entry->d_name + "/stat");
        std::string line;
        std::getline (stat, line);
        const auto nameEnd = line.rfind (')');

        if (nameEnd == std::string::npos || nameEnd + 4 >= line.size()
             || std::strtol (line.c_str() + nameEnd + 4, nullptr, 10) != ppid)
            continue;

        if (count < capacity)
            ids[count] = std::atoi (entry->d_name);

        ++count;
    }

    ::closedir (folder);
    return count;
}
