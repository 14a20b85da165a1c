#include "platform/PasswordPrompt.h"

namespace PasswordPrompt
{
    juce::String getJapaneseAccountPasswordName()
    {
       #if JUCE_MAC
        return juce::String::fromUTF8 ("macOS ユーザーアカウントのパスワード");
       #else
        return juce::String::fromUTF8 ("ユーザーアカウントのパスワード");
       #endif
    }
}
