#pragma once

#include <juce_core/juce_core.h>

/** How the pages name the password that the system's prompt will ask for. */
namespace PasswordPrompt
{
    /** In Japanese: the Mac's own account password; elsewhere, where the prompt asks
        for a desktop's administrator account, the account is left unnamed. */
    juce::String getJapaneseAccountPasswordName();
}
