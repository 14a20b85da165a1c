#include <gtest/gtest.h>

#include "style/JapaneseLocale.h"
#include "style/LineBreaks.h"
#include "wizard/WrappedText.h"

namespace
{
    juce::String utf8 (const char* text)  { return juce::String::fromUTF8 (text); }

    /** The face that draws the Japanese texts, at the text box's own size. */
    juce::Font japaneseFont()
    {
        return juce::FontOptions (JapaneseLocale::getTypefaceName(), 14.0f, juce::Font::plain);
    }

    /** A box of the welcome page's width that lays out the text as the page shows it. */
    struct Box
    {
        explicit Box (const juce::Font& font, int width)
        {
            editor.setMultiLine (true, true);
            editor.setReadOnly (true);
            editor.setFont (font);
            editor.setSize (width, 400);
        }

        juce::Image show (const juce::String& text)
        {
            editor.setText (text, false);
            return editor.createComponentSnapshot (editor.getLocalBounds());
        }

        /** As the pages show a text: broken into lines by WrappedText. */
        juce::Image showWrapped (const juce::String& text)
        {
            WrappedText::show (editor, text);
            return editor.createComponentSnapshot (editor.getLocalBounds());
        }

        float lineWidth() const  { return (float) (editor.getWidth() - editor.getBorder().getLeftAndRight() - editor.getLeftIndent() - 2); }

        juce::TextEditor editor;
    };

    bool sameImages (const juce::Image& a, const juce::Image& b)
    {
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                    return false;

        return a.getBounds() == b.getBounds();
    }

    /** What Japanese line breaking keeps off the start and the end of a line. */
    void expectKinsoku (const juce::StringArray& lines)
    {
        const auto neverFirst = utf8 ("ーァィゥェォッャュョぁぃぅぇぉっゃゅょ、。，．・：；？！）」』】”");
        const auto neverLast = utf8 ("（「『【“");

        for (int i = 0; i < lines.size(); ++i)
        {
            EXPECT_FALSE (i > 0 && neverFirst.containsChar (lines[i][0])) << lines[i];
            EXPECT_FALSE (neverLast.containsChar (lines[i].trimEnd().getLastCharacter())) << lines[i];
        }
    }
}

TEST (LineBreaks, KeepsTheMarksThatMayNotStartALineWithTheCharacterBefore)
{
    const auto font = japaneseFont();
    ASSERT_TRUE (font.getTypefaceName().isNotEmpty()) << "no installed font covers Japanese";

    struct Case { const char* text; const char* firstLineThatWouldBreakIt; juce::StringArray lines; };

    // Each width leaves the mark, or the opening bracket, alone at the edge of the first line.
    for (auto& [text, broken, expected] : {
             Case { "削除しました。次へ", "削除しました", { utf8 ("削除しまし"), utf8 ("た。次へ") } },
             Case { "パスワード", "パスワ", { utf8 ("パス"), utf8 ("ワード") } },
             Case { "認証エージェント", "認証エージ", { utf8 ("認証エー"), utf8 ("ジェント") } },
             Case { "起動して（ふ）", "起動して（", { utf8 ("起動して"), utf8 ("（ふ）") } } })
    {
        const auto width = juce::GlyphArrangement::getStringWidth (font, utf8 (broken) + "\n") + 0.5f;
        EXPECT_EQ (LineBreaks::wrap (utf8 (text), font, width).joinIntoString ("|"), expected.joinIntoString ("|"));
    }
}

TEST (LineBreaks, BreaksTheJapaneseTextsAsJapaneseAllowsAndTheBoxKeepsTheLines)
{
    const auto font = japaneseFont();
    ASSERT_TRUE (font.getTypefaceName().isNotEmpty()) << "no installed font covers Japanese";

    const auto welcome = utf8 ("このアンインストーラーはシステムからPELK USB MIDIドライバーを削除します。"
                               "アンインストールの途中パスワードを聞かれますので、ユーザーアカウントのパスワードを入力してください");
    const auto noAgent = utf8 ("パスワードの入力画面を表示できませんでした。認証エージェントが動いていません。"
                               "lxpolkit や mate-polkit などの認証エージェントを起動してから（ふつうはデスクトップのセッションが起動します）、"
                               "もう一度お試しください。");

    struct Case { juce::String text; const char* brokenLine; };

    // At the widths that broke them: the lines the issue read ended just before a "ー" or an "ェ".
    for (auto& [text, brokenLine] : { Case { welcome, "MIDIドライバーを削除します。アンインストールの途中パスワ" },
                                      Case { noAgent, "パスワードの入力画面を表示できませんでした。認証エージ" },
                                      Case { welcome, nullptr }, Case { noAgent, nullptr } })
    {
        // The welcome page's box is 360 wide; the narrower ones end a line where the issue saw it end.
        Box box (font, 360);

        if (brokenLine != nullptr)
            box.editor.setSize (360 - juce::roundToInt (box.lineWidth())
                                    + (int) std::ceil (juce::GlyphArrangement::getStringWidth (font, utf8 (brokenLine) + "\n") + 0.5f), 400);

        const auto lines = LineBreaks::wrap (text, font, box.lineWidth());
        expectKinsoku (lines);
        EXPECT_EQ (lines.joinIntoString ({}), text);

        for (auto word : { "PELK", "USB", "MIDI", "lxpolkit", "mate-polkit" })
        {
            if (text.contains (word))
            {
                EXPECT_TRUE (lines.joinIntoString ("|").contains (word)) << word << " is split";
            }
        }

        // Given the lines, the box breaks none of them again: as high as as many short lines.
        box.show (juce::String::repeatedString ("x\n", lines.size() - 1) + "x");
        const auto height = WrappedText::heightNeeded (box.editor);
        box.showWrapped (text);
        EXPECT_EQ (WrappedText::heightNeeded (box.editor), height) << lines.joinIntoString ("|");
    }
}

TEST (LineBreaks, EnglishBreaksAtSpacesExactlyWhereTheTextBoxBreaksIt)
{
    const juce::Font font (juce::FontOptions (14.0f));
    const juce::String sentence ("This uninstaller removes PELK USB MIDI Driver from the system. "
                                 "You may prompt to enter your password in the uninstallation process.");

    for (auto width : { 360, 301, 250, 177, 120 })
    {
        Box box (font, width);
        const auto lines = LineBreaks::wrap (sentence, font, box.lineWidth());

        EXPECT_EQ (lines.joinIntoString ({}), sentence);
        EXPECT_TRUE (sameImages (box.showWrapped (sentence), box.show (sentence)))
            << width << ": " << lines.joinIntoString ("|");
    }
}

TEST (LineBreaks, APathInATextStaysWholeUnlessItIsWiderThanALine)
{
    const auto font = japaneseFont();
    const auto path = juce::String ("/usr/libexec/pelk-usb-midi-driver-uninstaller-helper");
    const auto text = utf8 ("ヘルパー ") + path + utf8 (" が見つかりません。");
    const auto pathWidth = juce::GlyphArrangement::getStringWidth (font, path);

    // A line's width holds the line feed that ends it.
    EXPECT_EQ (LineBreaks::wrap (text, font, juce::GlyphArrangement::getStringWidth (font, path + "\n") + 1.0f),
               juce::StringArray (utf8 ("ヘルパー "), path + " ", utf8 ("が見つかりません。")));

    // Narrower than the path: broken between its characters, with nothing lost.
    const auto lines = LineBreaks::wrap (text, font, pathWidth / 2.0f);
    EXPECT_GT (lines.size(), 3);
    EXPECT_EQ (lines.joinIntoString ({}), text);

    for (auto& line : lines)
        EXPECT_LE (juce::GlyphArrangement::getStringWidth (font, line.trimEnd() + "\n"), pathWidth / 2.0f) << line;

    EXPECT_EQ (LineBreaks::wrap ({}, font, 100.0f), juce::StringArray (""));
    EXPECT_EQ (LineBreaks::wrap ("a\n\nb", font, 100.0f), juce::StringArray::fromTokens ("a||b", "|", {}));
}

