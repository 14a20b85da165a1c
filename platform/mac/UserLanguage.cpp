#include "platform/UserLanguage.h"

juce::String UserLanguage::getCode()
{
    // The current locale's language, matched by the system to the bundle's
    // languages; LC_ALL and LANG play no part.
    return juce::SystemStats::getUserLanguage();
}
