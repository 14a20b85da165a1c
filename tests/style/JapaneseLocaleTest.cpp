#include <gtest/gtest.h>

#include "platform/PasswordPrompt.h"
#include "style/JapaneseLocale.h"

#include <cctype>

namespace
{
    constexpr const char* whitespace = " \t\r\n";

    /** The string literal that starts at pos, adjacent literals joined as the compiler
        joins them; empty when no literal starts there. */
    std::string literalAt (const std::string& code, std::size_t pos)
    {
        std::string text;

        for (pos = code.find_first_not_of (whitespace, pos); pos < code.size() && code[pos] == '"';
             pos = code.find_first_not_of (whitespace, pos + 1))
            for (++pos; pos < code.size() && code[pos] != '"'; ++pos)
            {
                if (code[pos] == '\\')
                    ++pos;   // an escaped quote or backslash stands for itself

                text += code[pos];
            }

        return text;
    }

    /** Every text that the product's sources pass to TRANS or juce::translate, with the
        file it stands in; a call on anything but a literal gives an empty text. */
    std::vector<std::pair<juce::String, juce::String>> translatedTexts()
    {
        std::vector<std::pair<juce::String, juce::String>> texts;
        const juce::File sources (PELK_SOURCE_DIR);

        for (auto* folder : { "app", "wizard", "uninstall", "style", "platform", "helper", "common" })
            for (auto& file : sources.getChildFile (folder).findChildFiles (juce::File::findFiles, true, "*.cpp;*.h;*.mm"))
            {
                const auto code = file.loadFileAsString().toStdString();

                for (std::string call : { "TRANS", "juce::translate" })
                    for (auto at = code.find (call); at != std::string::npos; at = code.find (call, at + 1))
                    {
                        const auto open = code.find_first_not_of (whitespace, at + call.size());
                        const auto standsAlone = at == 0 || ! (std::isalnum ((unsigned char) code[at - 1]) || code[at - 1] == '_');

                        if (standsAlone && open < code.size() && code[open] == '(')
                            texts.push_back ({ juce::String::fromUTF8 (literalAt (code, open + 1).c_str()),
                                               file.getRelativePathFrom (sources) });
                    }
            }

        return texts;
    }
}

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

TEST (JapaneseLocale, EveryTextTheProgramTranslatesHasAJapaneseEntry)
{
    juce::LocalisedStrings strings (JapaneseLocale::getTranslationText(), false);

    EXPECT_EQ (strings.getLanguageName(), "Japanese");
    EXPECT_EQ (strings.getCountryCodes(), juce::StringArray ("jp"));

    const auto texts = translatedTexts();
    ASSERT_FALSE (texts.empty()) << "found no translated text in " << PELK_SOURCE_DIR;

    for (auto& [text, file] : texts)
    {
        EXPECT_TRUE (text.isNotEmpty()) << file << " translates a text that is not a string literal";
        EXPECT_TRUE (strings.getMappings().containsKey (text)) << file << ": \"" << text << "\" has no Japanese entry";
    }

    EXPECT_EQ (strings.translate ("Cancel"), juce::String::fromUTF8 ("キャンセル"));
    EXPECT_EQ (strings.translate ("uninstall driver"), "uninstall driver");   // keys are case-sensitive

    // The password asked for is named as the system's prompt asks for it.
    const auto welcome = strings.translate ("This uninstaller removes PELK USB MIDI Driver from the system. "
                                            "You may prompt to enter your password in the uninstallation process.");
    EXPECT_TRUE (welcome.endsWith (PasswordPrompt::getJapaneseAccountPasswordName()
                                       + juce::String::fromUTF8 ("を入力してください")));
}
