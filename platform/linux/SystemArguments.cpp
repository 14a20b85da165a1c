#include "platform/SystemArguments.h"

// Every argument on Linux is the caller's own.
std::vector<std::string> SystemArguments::withoutSystemArguments (const std::vector<std::string>& arguments)
{
    return arguments;
}
