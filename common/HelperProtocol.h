#pragma once

#include "common/PathState.h"

#include <cstdint>
#include <string>
#include <vector>

/** The frames that pass between the program and its privileged helper over a pair
    of pipes. A request is a count followed by that many strings, the tool's absolute
    path first and then its arguments; every number is 4 bytes, little-endian, and
    every string is its length followed by its bytes. A reply is two numbers, a code
    and the tool's exit status, and a string: why a removal left its target, if it did.
    Before anything else the helper sends one number, its process id: where the
    system starts it for us (a Mac's), that is how we learn which child to wait for.
    Shared by both ends, and free of the framework so that the helper stays small. */
namespace HelperProtocol
{
    inline constexpr std::uint32_t maxStrings = 8;
    inline constexpr std::uint32_t maxStringLength = 4096;

    /** The first number of a reply. Only toolStarted means that the tool ran, and the
        program takes every other code as "could not be launched"; how the tool fared
        is the second number, and is no part of the code. */
    enum Code : std::int32_t
    {
        /** The tool was started and has ended. */
        toolStarted = 0,

        /** The request is not one the helper runs; nothing ran, and it goes on serving. */
        toolNotAllowed = 1,

        /** The request could not be read; this is the helper's last reply before it ends. */
        framingLost = 2,

        /** The request was allowed, but the tool could not be started (missing, not
            executable); the helper goes on serving. */
        toolNotStarted = 3,

        /** A removal refused because a folder on the target's path is a link, belongs
            to another user or may be written by others; nothing ran, and the helper
            goes on serving. */
        pathNotTrusted = 4,

        /** The answers to an existence query: lstat, as root, found something at the
            path (a dangling link too), or nothing. pathAbsent also answers a removal
            whose target had gone (another removal came first); nothing ran. */
        pathPresent = 5,
        pathAbsent = 6,

        /** A removal refused because a file system is mounted at or inside the
            target, which rm would empty, or because the mounts could not be listed;
            nothing ran. */
        fileSystemMounted = 7,

        /** The answer to an existence query, or to a removal, whose lstat failed
            otherwise than with "no such file or directory": nothing can be said of
            the path, and nothing ran. The reason says why. */
        pathUnknown = 8
    };

    /** In place of a tool's path: asks whether one of the paths that may be removed
        exists, the path being the one argument. */
    inline constexpr const char* existenceQuery = "lstat";

    /** The second number when no tool ran. */
    inline constexpr std::int32_t noExitStatus = -1;

    struct Reply
    {
        std::int32_t code = toolNotStarted;

        /** The tool's exit status, or 128 and the number of the signal that ended it. */
        std::int32_t toolExitStatus = noExitStatus;

        /** Why a removal left its target in place, in words; empty when it did not. */
        std::string reason = {};
    };

    enum class ReadResult { request, endOfInput, malformed };

    /** What an existence query's reply says of the path: anything but a present or
        absent answer (the helper gone) leaves it unknown. */
    PathState toPathState (const Reply& reply);

    /** The helper's answer for what lstat showed it: pathPresent, pathAbsent, or
        pathUnknown with the reason. */
    Reply toReply (const PathState& state);

    /** The request for a tool and its null-terminated arguments, as a launch gives them. */
    std::vector<std::string> makeRequest (const char* toolPath, char* const* arguments);

    bool writeRequest (int fd, const std::vector<std::string>& toolAndArguments);

    /** Reads one request. endOfInput only where the input ends between requests; a
        frame cut short, a count or length out of bounds or a NUL in a string is malformed. */
    ReadResult readRequest (int fd, std::vector<std::string>& toolAndArguments);

    /** The helper's first frame, its process id. */
    bool writeGreeting (int fd, std::int32_t processId);
    bool readGreeting (int fd, std::int32_t& processId);

    bool writeReply (int fd, const Reply& reply);
    bool readReply (int fd, Reply& reply);

    /** Writes all bytes, going on after interruptions. */
    bool writeAll (int fd, const void* data, std::size_t size);

    /** Fills the buffer; false if the input ends or fails first. */
    bool readAll (int fd, void* data, std::size_t size);

    std::vector<unsigned char> encodeNumber (std::uint32_t value);
}
