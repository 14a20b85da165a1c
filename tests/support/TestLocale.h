#pragma once

#include <cstdlib>

/** Sets the locale that the program reads: LC_ALL, and LANG where given; LC_MESSAGES never. */
inline void useLocale (const char* lcAll, const char* lang = nullptr)
{
    for (auto* variable : { "LC_ALL", "LC_MESSAGES", "LANG" })
        unsetenv (variable);

    if (lcAll != nullptr)  setenv ("LC_ALL", lcAll, 1);
    if (lang != nullptr)   setenv ("LANG", lang, 1);
}
