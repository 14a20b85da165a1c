#include "platform/UserLanguage.h"

juce::String UserLanguage::getCode()
{
    // The framework answers with the language's English name here ("Japanese").
    return codeFromLocaleName (getLocaleNameFromEnvironment());
}
