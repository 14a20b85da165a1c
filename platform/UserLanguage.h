#pragma once

#include <juce_core/juce_core.h>

/** The ISO 639 code of the language the user runs the system in, e.g. "ja". */
namespace UserLanguage
{
    /** Queried afresh on every call, so a change of locale is seen at once. */
    juce::String getCode();

    /** The language part of a POSIX locale name: "ja_JP.UTF-8" gives "ja". */
    juce::String codeFromLocaleName (const juce::String& localeName);

    /** The locale name in force for messages: LC_ALL, LC_MESSAGES, then LANG. */
    juce::String getLocaleNameFromEnvironment();
}
