#include "common/HelperProtocol.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace
{
    enum class NumberRead { ok, endOfInput, failed };

    /** Reads until the buffer is full or the input ends; returns how much arrived. */
    std::size_t readUpTo (int fd, unsigned char* bytes, std::size_t size)
    {
        std::size_t got = 0;

        while (got < size)
        {
            auto n = ::read (fd, bytes + got, size - got);

            if (n < 0 && errno == EINTR)
                continue;

            if (n <= 0)
                break;

            got += (std::size_t) n;
        }

        return got;
    }

    NumberRead readNumber (int fd, std::uint32_t& value)
    {
        unsigned char bytes[4];
        auto got = readUpTo (fd, bytes, sizeof (bytes));

        if (got != sizeof (bytes))
            return got == 0 ? NumberRead::endOfInput : NumberRead::failed;

        value = (std::uint32_t) bytes[0] | ((std::uint32_t) bytes[1] << 8)
                  | ((std::uint32_t) bytes[2] << 16) | ((std::uint32_t) bytes[3] << 24);
        return NumberRead::ok;
    }

    bool readString (int fd, std::string& text)
    {
        std::uint32_t length = 0;

        if (readNumber (fd, length) != NumberRead::ok || length > HelperProtocol::maxStringLength)
            return false;

        text.assign (length, '\0');

        if (! HelperProtocol::readAll (fd, text.data(), length))
            return false;

        // execv would cut the string at the first NUL and run something else.
        return text.find ('\0') == std::string::npos;
    }
}

PathState HelperProtocol::toPathState (const Reply& reply)
{
    switch (reply.code)
    {
        case pathPresent:  return { PathState::Kind::present };
        case pathAbsent:   return { PathState::Kind::absent };
        case pathUnknown:  return { PathState::Kind::unknown, reply.reason };
        default:           break;
    }

    return { PathState::Kind::unknown, "the privileged helper ended before it could look" };
}

HelperProtocol::Reply HelperProtocol::toReply (const PathState& state)
{
    switch (state.kind)
    {
        case PathState::Kind::present:  return { pathPresent };
        case PathState::Kind::absent:   return { pathAbsent };
        case PathState::Kind::unknown:  break;
    }

    return { pathUnknown, noExitStatus, state.reason };
}

std::vector<std::string> HelperProtocol::makeRequest (const char* toolPath, char* const* arguments)
{
    std::vector<std::string> request { toolPath };

    for (auto* argument = arguments; *argument != nullptr; ++argument)
        request.emplace_back (*argument);

    return request;
}

std::vector<unsigned char> HelperProtocol::encodeNumber (std::uint32_t value)
{
    return { (unsigned char) value, (unsigned char) (value >> 8),
             (unsigned char) (value >> 16), (unsigned char) (value >> 24) };
}

bool HelperProtocol::writeAll (int fd, const void* data, std::size_t size)
{
    auto* bytes = static_cast<const unsigned char*> (data);

    while (size > 0)
    {
        auto n = ::write (fd, bytes, size);

        if (n < 0 && errno == EINTR)
            continue;

        if (n <= 0)
            return false;

        bytes += n;
        size -= (std::size_t) n;
    }

    return true;
}

bool HelperProtocol::readAll (int fd, void* data, std::size_t size)
{
    return readUpTo (fd, static_cast<unsigned char*> (data), size) == size;
}

bool HelperProtocol::writeRequest (int fd, const std::vector<std::string>& toolAndArguments)
{
    // One write for the whole request, so that the helper never sees half of it.
    auto frames = encodeNumber ((std::uint32_t) toolAndArguments.size());

    for (auto& text : toolAndArguments)
    {
        auto length = encodeNumber ((std::uint32_t) text.size());
        frames.insert (frames.end(), length.begin(), length.end());
        frames.insert (frames.end(), text.begin(), text.end());
    }

    return writeAll (fd, frames.data(), frames.size());
}

HelperProtocol::ReadResult HelperProtocol::readRequest (int fd, std::vector<std::string>& toolAndArguments)
{
    toolAndArguments.clear();
    std::uint32_t count = 0;

    switch (readNumber (fd, count))
    {
        case NumberRead::endOfInput:  return ReadResult::endOfInput;
        case NumberRead::failed:      return ReadResult::malformed;
        case NumberRead::ok:          break;
    }

    if (count == 0 || count > maxStrings)
        return ReadResult::malformed;

    toolAndArguments.resize (count);

    for (auto& text : toolAndArguments)
        if (! readString (fd, text))
            return ReadResult::malformed;

    return ReadResult::request;
}

bool HelperProtocol::writeGreeting (int fd, std::int32_t processId)
{
    const auto bytes = encodeNumber ((std::uint32_t) processId);
    return writeAll (fd, bytes.data(), bytes.size());
}

bool HelperProtocol::readGreeting (int fd, std::int32_t& processId)
{
    std::uint32_t number = 0;

    if (readNumber (fd, number) != NumberRead::ok || (std::int32_t) number <= 0)
        return false;

    processId = (std::int32_t) number;
    return true;
}

bool HelperProtocol::writeReply (int fd, const Reply& reply)
{
    const auto reason = reply.reason.substr (0, maxStringLength);
    auto bytes = encodeNumber ((std::uint32_t) reply.code);

    for (auto number : { (std::uint32_t) reply.toolExitStatus, (std::uint32_t) reason.size() })
    {
        auto encoded = encodeNumber (number);
        bytes.insert (bytes.end(), encoded.begin(), encoded.end());
    }

    bytes.insert (bytes.end(), reason.begin(), reason.end());
    return writeAll (fd, bytes.data(), bytes.size());
}

bool HelperProtocol::readReply (int fd, Reply& reply)
{
    std::uint32_t code = 0, status = 0;
    std::string reason;

    if (readNumber (fd, code) != NumberRead::ok || readNumber (fd, status) != NumberRead::ok
         || ! readString (fd, reason))
        return false;

    reply = { (std::int32_t) code, (std::int32_t) status, reason };
    return true;
}
