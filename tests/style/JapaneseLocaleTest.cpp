#include <gtest/gtest.h>

#include "platform/PasswordPrompt.h"
#include "style/JapaneseLocale.h"
#include "support/TestLocale.h"

TEST (JapaneseLocale, HoldsForTheExactCodeJaOnly)
{
    EXPECT_TRUE (JapaneseLocale::isJapaneseCode ("ja"));

    for (auto* code : { "JA", "Ja", "jap", "ja_JP", "", "en", "Japanese" })
        EXPECT_FALSE (JapaneseLocale::isJapaneseCode (code)) << code;
}

TEST (JapaneseLocale, FollowsTheLocaleEnvironment)
{
    useLocale ("ja_JP.UTF-8");
    EXPECT_TRUE (JapaneseLocale::isActive());

    useLocale ("C");
    EXPECT_FALSE (JapaneseLocale::isActive());

    useLocale (nullptr);
    EXPECT_FALSE (JapaneseLocale::isActive());

    useLocale ("", "ja_JP.UTF-8");   // an empty LC_ALL gives way to LANG
    EXPECT_TRUE (JapaneseLocale::isActive());

    useLocale ("en_US.UTF-8", "ja_JP.UTF-8");
    EXPECT_FALSE (JapaneseLocale::isActive());
}

TEST (JapaneseLocale, TranslationFileParsesIntoEveryEntry)
{
    juce::LocalisedStrings strings (JapaneseLocale::getTranslationText(), false);

    EXPECT_EQ (strings.getLanguageName(), "Japanese");
    EXPECT_EQ (strings.getCountryCodes(), juce::StringArray ("jp"));
    EXPECT_EQ (strings.getMappings().size(), 20);
    EXPECT_EQ (strings.translate ("Cancel"), juce::String::fromUTF8 ("キャンセル"));
    EXPECT_EQ (strings.translate ("uninstall driver"), "uninstall driver");   // keys are case-sensitive

    // The password asked for is named as the system's prompt asks for it.
    const auto welcome = strings.translate ("This uninstaller removes PELK USB MIDI Driver from the system. "
                                            "You may prompt to enter your password in the uninstallation process.");
    EXPECT_TRUE (welcome.endsWith (PasswordPrompt::getJapaneseAccountPasswordName()
                                       + juce::String::fromUTF8 ("を入力してください")));
}
