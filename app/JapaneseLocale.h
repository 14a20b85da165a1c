#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** What changes when the user's language is Japanese: the translated texts and a
    typeface that can draw them. */
class JapaneseLocale
{
public:
    /** True when the user's language code is exactly "ja"; asked afresh each time. */
    static bool isActive();

    static bool isJapaneseCode (const juce::String& languageCode);

    /** The Japanese translation set, or an empty one, as the current language asks
        and the installed typefaces allow. */
    static std::unique_ptr<juce::LocalisedStrings> createTranslations();

    /** The translation file, in the framework's format. */
    static juce::String getTranslationText();

    /** An installed typeface for Japanese text; empty if there is none. */
    static juce::String getTypefaceName();

    /** Gives the look-and-feel the Japanese typeface when the language is Japanese. */
    static void applyTypeface (juce::LookAndFeel& lookAndFeel);

private:
    JapaneseLocale() = delete;
};
