#pragma once

#include <string>
#include <vector>

/** Arguments that the system puts on a program's command line for itself, which are
    none of the program's options. */
namespace SystemArguments
{
    /** The arguments, in their order, without those that the system put there. */
    std::vector<std::string> withoutSystemArguments (const std::vector<std::string>& arguments);
}
