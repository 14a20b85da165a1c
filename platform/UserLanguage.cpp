#include "platform/UserLanguage.h"

#include <cstdlib>

juce::String UserLanguage::codeFromLocaleName (const juce::String& localeName)
{
    auto end = localeName.indexOfAnyOf ("_.@");
    return end < 0 ? localeName : localeName.substring (0, end);
}

juce::String UserLanguage::getLocaleNameFromEnvironment()
{
    for (auto* variable : { "LC_ALL", "LC_MESSAGES", "LANG" })
        if (auto* value = std::getenv (variable); value != nullptr && *value != 0)
            return juce::String::fromUTF8 (value);

    return {};
}
