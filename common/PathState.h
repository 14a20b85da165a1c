#pragma once

#include <string>

/** What is at a path, as lstat shows it to whoever asks: a link is present whether
    or not what it names exists, since it is what rm would remove. Only a path that
    could be followed to its end is surely absent; any other failure (a folder that
    may not be searched, a loop of links, an input/output error) leaves it unknown. */
struct PathState
{
    enum class Kind { present, absent, unknown };

    Kind kind = Kind::unknown;

    /** Why it is unknown, in words; empty otherwise. */
    std::string reason = {};

    /** lstat, with the caller's own rights. */
    static PathState of (const std::string& path);
};
