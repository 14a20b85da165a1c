#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** What changes when the user's language is Japanese: the translated texts and a
    typeface that can draw them. The window and its pages both use it. */
namespace JapaneseLocale
{
    /** True when the language code is exactly "ja". */
    bool isJapaneseCode (const juce::String& languageCode);

    /** The Japanese translation set, or an empty one, as the language asks and the
        installed typefaces allow. */
    std::unique_ptr<juce::LocalisedStrings> createTranslations (const juce::String& languageCode);

    /** The translation file, in the framework's format. */
    juce::String getTranslationText();

    /** An installed typeface for Japanese text; empty if there is none. */
    juce::String getTypefaceName();

    /** Gives the look-and-feel the Japanese typeface when the language is Japanese:
        the one of that code, or the user's language. */
    void applyTypeface (juce::LookAndFeel& lookAndFeel, const juce::String& languageCode);
    void applyTypeface (juce::LookAndFeel& lookAndFeel);
}
