#include "common/PathState.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

PathState PathState::of (const std::string& path)
{
    struct stat info {};

    if (::lstat (path.c_str(), &info) == 0)
        return { Kind::present };

    const auto error = errno;

    if (error == ENOENT || error == ENOTDIR)
        return { Kind::absent };

    return { Kind::unknown, std::string ("it could not be looked at (") + std::strerror (error) + ")" };
}
