#include <gtest/gtest.h>

#include <optional>

#include "platform/JapaneseTypeface.h"
#include "platform/UserLanguage.h"

#include <juce_graphics/juce_graphics.h>

TEST (UserLanguage, TakesTheLanguagePartOfALocaleName)
{
    EXPECT_EQ (UserLanguage::codeFromLocaleName ("ja_JP.UTF-8"), "ja");
    EXPECT_EQ (UserLanguage::codeFromLocaleName ("ja.UTF-8"), "ja");
    EXPECT_EQ (UserLanguage::codeFromLocaleName ("ja"), "ja");
    EXPECT_EQ (UserLanguage::codeFromLocaleName ("de_DE@euro"), "de");
    EXPECT_EQ (UserLanguage::codeFromLocaleName ("sr@latin"), "sr");
    EXPECT_EQ (UserLanguage::codeFromLocaleName ("C"), "C");
    EXPECT_EQ (UserLanguage::codeFromLocaleName ("POSIX"), "POSIX");
    EXPECT_EQ (UserLanguage::codeFromLocaleName (""), "");
}

TEST (UserLanguage, ReadsTheLocaleVariablesInTheirUsualPrecedence)
{
    setenv ("LC_ALL", "fr_FR.UTF-8", 1);
    setenv ("LC_MESSAGES", "de_DE.UTF-8", 1);
    setenv ("LANG", "ja_JP.UTF-8", 1);
    EXPECT_EQ (UserLanguage::getCode(), "fr");

    setenv ("LC_ALL", "", 1);
    EXPECT_EQ (UserLanguage::getCode(), "de");

    unsetenv ("LC_MESSAGES");
    EXPECT_EQ (UserLanguage::getCode(), "ja");

    unsetenv ("LANG");
    EXPECT_EQ (UserLanguage::getCode(), "");
}

TEST (JapaneseTypeface, FindsAnInstalledFamilyThatDrawsJapanese)
{
    // The texts mix kana and kanji with Latin letters, which some CJK faces lack.
    const auto sample = juce::String::fromUTF8 ("PELK USB MIDIドライバーの削除 macOS 処理が完了しました");
    const auto family = JapaneseTypeface::findFamilyName (sample);

    ASSERT_TRUE (family.isNotEmpty()) << "no installed font covers Japanese";
    EXPECT_TRUE (juce::Font::findAllTypefaceNames().contains (family));

    // The face itself, not a fallback that the framework would find for what it lacks.
    const juce::Font font (juce::FontOptions (family, 20.0f, juce::Font::plain));
    const auto typeface = font.getTypefacePtr();
    std::optional<juce::uint32> glyph;

    for (auto c : sample.removeCharacters (" "))
    {
        glyph = typeface->getNominalGlyphForCodepoint (c);
        ASSERT_TRUE (glyph.has_value()) << family << " lacks " << juce::String::charToString (c);
    }

    juce::Path outline;
    typeface->getOutlineForGlyph (font.getMetricsKind(), (int) *glyph, outline);
    EXPECT_FALSE (outline.isEmpty());

    // Proportional where one is installed (Debian's IPA fonts have both kinds): "OK"
    // and the paths must not look typed.
    EXPECT_LT (juce::GlyphArrangement::getStringWidth (font, "iiii"),
               juce::GlyphArrangement::getStringWidth (font, "MMMM") * 0.7f) << family;
}

TEST (JapaneseTypeface, FindsNothingForCharactersNoFontHas)
{
    EXPECT_EQ (JapaneseTypeface::findFamilyName (juce::String::charToString ((juce::juce_wchar) 0x10fffd)), "");
}
