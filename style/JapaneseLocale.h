#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** What changes when the user's language is Japanese: the translated texts and a
    typeface that can draw them. The window and its pages both use it. */
namespace JapaneseLocale
{
    /** True when the user's language code is exactly "ja"; asked afresh each time. */
    bool isActive();

    bool isJapaneseCode (const juce::String& languageCode);

    /** The Japanese translation set, or an empty one, as the current language asks
        and the installed typefaces allow. */
    std::unique_ptr<juce::LocalisedStrings> createTranslations();

    /** The translation file, in the framework's format. */
    juce::String getTranslationText();

    /** An installed typeface for Japanese text; empty if there is none. */
    juce::String getTypefaceName();

    /** Gives the look-and-feel the Japanese typeface when the language is Japanese. */
    void applyTypeface (juce::LookAndFeel& lookAndFeel);
}
