#include "platform/PasswordPrompt.h"

juce::String PasswordPrompt::getJapaneseAccountPasswordName()
{
    return juce::String::fromUTF8 ("ユーザーアカウントのパスワード");
}
