#include <gtest/gtest.h>

#include "platform/PasswordPrompt.h"
#include "style/JapaneseLocale.h"

TEST (JapaneseLocale, HoldsForTheExactCodeJaOnly)
{
    EXPECT_TRUE (JapaneseLocale::isJapaneseCode ("ja"));

    for (auto* code : { "JA", "Ja", "jap", "ja_JP", "", "en", "Japanese" })
        EXPECT_FALSE (JapaneseLocale::isJapaneseCode (code)) << code;
}

TEST (JapaneseLocale, GivesTheTextsAndTheTypefaceToTheCodeJaAlone)
{
    const auto face = JapaneseLocale::getTypefaceName();
    ASSERT_TRUE (face.isNotEmpty()) << "no installed font covers Japanese";

    const auto sansSerifFace = [] (const juce::String& code)
    {
        juce::LookAndFeel_V3 lookAndFeel;
        JapaneseLocale::applyTypeface (lookAndFeel, code);
        return lookAndFeel.getTypefaceForFont (juce::Font())->getName();
    };

    EXPECT_EQ (sansSerifFace ("ja"), face);
    EXPECT_EQ (JapaneseLocale::createTranslations ("ja")->translate ("Completed"), juce::String::fromUTF8 ("処理が完了しました"));

    for (auto* code : { "en", "C", "", "jap", "JA" })
    {
        EXPECT_NE (sansSerifFace (code), face) << code;
        EXPECT_EQ (JapaneseLocale::createTranslations (code)->translate ("Completed"), "Completed") << code;
    }
}

TEST (JapaneseLocale, TranslationFileParsesIntoEveryEntry)
{
    juce::LocalisedStrings strings (JapaneseLocale::getTranslationText(), false);

    EXPECT_EQ (strings.getLanguageName(), "Japanese");
    EXPECT_EQ (strings.getCountryCodes(), juce::StringArray ("jp"));
    EXPECT_EQ (strings.getMappings().size(), 21);
    EXPECT_EQ (strings.translate ("Cancel"), juce::String::fromUTF8 ("キャンセル"));
    EXPECT_EQ (strings.translate ("uninstall driver"), "uninstall driver");   // keys are case-sensitive

    // The password asked for is named as the system's prompt asks for it.
    const auto welcome = strings.translate ("This uninstaller removes PELK USB MIDI Driver from the system. "
                                            "You may prompt to enter your password in the uninstallation process.");
    EXPECT_TRUE (welcome.endsWith (PasswordPrompt::getJapaneseAccountPasswordName()
                                       + juce::String::fromUTF8 ("を入力してください")));
}
