#pragma once

#include <cstdint>
#include <string>
#include <vector>

/** The frames that pass between the program and its privileged helper over a pair
    of pipes. A request is a count followed by that many strings, the tool's absolute
    path first and then its arguments; every number is 4 bytes, little-endian, and
    every string is its length followed by its bytes. A reply is one number.
    Shared by both ends, and free of the framework so that the helper stays small. */
class HelperProtocol
{
public:
    static constexpr std::uint32_t maxStrings = 8;
    static constexpr std::uint32_t maxStringLength = 4096;

    /** What the helper answers to a request. */
    enum Reply : std::int32_t
    {
        toolStarted = 0,
        toolNotAllowed = 1,
        requestMalformed = 2,
        toolNotStarted = 3
    };

    enum class ReadResult { request, endOfInput, malformed };

    static bool writeRequest (int fd, const std::vector<std::string>& toolAndArguments);

    /** Reads one request. endOfInput only where the input ends between requests; a
        frame cut short, a count or length out of bounds or a NUL in a string is malformed. */
    static ReadResult readRequest (int fd, std::vector<std::string>& toolAndArguments);

    static bool writeReply (int fd, std::int32_t reply);
    static bool readReply (int fd, std::int32_t& reply);

    /** Writes all bytes, going on after interruptions. */
    static bool writeAll (int fd, const void* data, std::size_t size);

    /** Fills the buffer; false if the input ends or fails first. */
    static bool readAll (int fd, void* data, std::size_t size);

    static std::vector<unsigned char> encodeNumber (std::uint32_t value);

private:
    HelperProtocol() = delete;
};
