#include <gtest/gtest.h>

#include "platform/PasswordPrompt.h"
#include "style/JapaneseLocale.h"

#include <regex>

namespace
{
    /** Every text that the product's sources pass to TRANS or juce::translate, adjacent
        literals joined as the compiler joins them, with its file; a call on anything
        but a literal gives an empty text. */
    std::vector<std::pair<juce::String, juce::String>> translatedTexts()
    {
        static const std::regex call (R"((?:^|[^\w:])(?:TRANS|juce::translate)\s*\(\s*((?:"(?:[^"\\]|\\.)*"\s*)*))"),
                                literal (R"("((?:[^"\\]|\\.)*)\")"), escape (R"(\\(.))");
        std::vector<std::pair<juce::String, juce::String>> texts;
        const juce::File sources (PELK_SOURCE_DIR);

        for (auto* folder : { "app", "wizard", "uninstall", "style", "platform", "helper", "common" })
            for (auto& file : sources.getChildFile (folder).findChildFiles (juce::File::findFiles, true, "*.cpp;*.h;*.mm"))
            {
                const auto code = file.loadFileAsString().toStdString();

                for (std::sregex_iterator found (code.begin(), code.end(), call), end; found != end; ++found)
                {
                    std::string text;
                    const auto literals = (*found)[1].str();

                    for (std::sregex_iterator part (literals.begin(), literals.end(), literal); part != end; ++part)
                        text += std::regex_replace ((*part)[1].str(), escape, "$1");

                    texts.push_back ({ juce::String::fromUTF8 (text.c_str()), file.getRelativePathFrom (sources) });
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
        return lookAndFeel.getTypefaceForFont (juce::FontOptions())->getName();
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
