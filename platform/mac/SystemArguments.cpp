#include "platform/SystemArguments.h"

namespace
{
    bool startsWith (const std::string& text, const char* prefix)
    {
        return text.rfind (prefix, 0) == 0;
    }

    /** A setting for Cocoa's defaults ("-NSDocumentRevisionsDebugMode YES", which
        Xcode's Run adds, or "-AppleLanguages (ja)"), which is followed by its value. */
    bool isDefaultsSetting (const std::string& argument)
    {
        return startsWith (argument, "-NS") || startsWith (argument, "-Apple");
    }

    /** The process serial number that older systems add when Finder starts us. */
    bool isProcessSerialNumber (const std::string& argument)
    {
        return startsWith (argument, "-psn_");
    }
}

std::vector<std::string> SystemArguments::withoutSystemArguments (const std::vector<std::string>& arguments)
{
    std::vector<std::string> ours;

    for (std::size_t index = 0; index < arguments.size(); ++index)
    {
        const auto& argument = arguments[index];

        if (isProcessSerialNumber (argument))
            continue;

        if (! isDefaultsSetting (argument))
        {
            ours.push_back (argument);
            continue;
        }

        // The next argument is the value, "-1" too, unless it is one of our own options.
        if (index + 1 < arguments.size() && ! startsWith (arguments[index + 1], "--"))
            ++index;
    }

    return ours;
}
