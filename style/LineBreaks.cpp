#include "style/LineBreaks.h"

namespace
{
    bool isSpace (juce::juce_wchar c)
    {
        // As the text box tells its words from its spaces.
        return juce::CharacterFunctions::isWhitespace (c);
    }

    bool isOneOf (juce::juce_wchar c, const char32_t* characters)
    {
        for (auto* p = characters; *p != 0; ++p)
            if ((juce::juce_wchar) *p == c)
                return true;

        return false;
    }

    /** Closing brackets and quotes, hyphens, the marks that end or divide a phrase,
        iteration marks, the prolonged sound mark and small kana (JIS X 4051, strict). */
    bool mayNotStartALine (juce::juce_wchar c)
    {
        return isOneOf (c, U"）〕］｝〉》」』】〙〗〟’”｠»)]}"
                           U"‐゠–〜～"
                           U"？！‼⁇⁈⁉?!"
                           U"・：；:;"
                           U"。．.、，,"
                           U"ヽヾゝゞ々〻"
                           U"ー"
                           U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶ"
                           U"ㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿ"
                           U"｡｣､･ｧｨｩｪｫｬｭｮｯｰ"
                           U"%％‰℃°′″");
    }

    /** Opening brackets and quotes. */
    bool mayNotEndALine (juce::juce_wchar c)
    {
        return isOneOf (c, U"（〔［｛〈《「『【〘〖〝‘“｟«([{｢");
    }

    /** Japanese and Chinese characters and their punctuation, between which a line
        may break without a space; Latin words and paths break only at spaces. */
    bool isIdeographicOrKana (juce::juce_wchar c)
    {
        return (c >= 0x2e80 && c <= 0x9fff)       // radicals, CJK punctuation, kana, ideographs
            || (c >= 0xf900 && c <= 0xfaff)       // compatibility ideographs
            || (c >= 0xfe30 && c <= 0xfe4f)       // vertical forms
            || (c >= 0xff00 && c <= 0xffef)       // full-width and half-width forms
            || (c >= 0x20000 && c <= 0x3ffff);    // ideographs beyond the basic plane
    }

    bool mayBreakBetween (juce::juce_wchar before, juce::juce_wchar after)
    {
        // A space ends its line; it never begins one.
        if (isSpace (after))
            return false;

        if (isSpace (before))
            return true;

        if (mayNotStartALine (after) || mayNotEndALine (before))
            return false;

        // "……" and "——" are one mark.
        if (before == after && isOneOf (before, U"…‥—"))
            return false;

        return isIdeographicOrKana (before) || isIdeographicOrKana (after);
    }

    /** The paragraph cut where a line may break; each piece keeps the spaces after it. */
    juce::StringArray splitWhereBreaksMayBe (const juce::String& paragraph)
    {
        juce::StringArray pieces;
        juce::String piece;
        juce::juce_wchar previous = 0;

        for (auto c : paragraph)
        {
            if (piece.isNotEmpty() && mayBreakBetween (previous, c))
            {
                pieces.add (piece);
                piece.clear();
            }

            piece += c;
            previous = c;
        }

        if (piece.isNotEmpty())
            pieces.add (piece);

        return pieces;
    }

    /** As the text box lays a line out: shaped whole and ended by the line feed, which
        takes room as a space does, in place of the spaces at its end. */
    float widthOf (const juce::String& line, const juce::Font& font)
    {
        return juce::GlyphArrangement::getStringWidth (font, line.trimEnd() + "\n");
    }

    bool fits (const juce::String& line, const juce::Font& font, float width)
    {
        // The text box's own test: a line that fills it exactly still fits.
        return widthOf (line, font) <= width;
    }
}

namespace LineBreaks
{
    juce::StringArray fill (const juce::StringArray& pieces, const juce::Font& font, float width,
                            const juce::String& indent)
    {
        juce::StringArray lines;
        juce::String line;
        auto lineHoldsText = false;

        const auto append = [&] (const juce::String& text)
        {
            if (lineHoldsText && ! fits (line + text, font, width))
            {
                lines.add (line);
                line = indent;
            }

            line += text;
            lineHoldsText = true;
        };

        for (auto& piece : pieces)
        {
            if (fits (indent + piece, font, width))
            {
                append (piece);
                continue;
            }

            // Too long for any line of its own.
            for (auto c : piece)
                append (juce::String::charToString (c));
        }

        lines.add (line);
        return lines;
    }

    juce::StringArray wrap (const juce::String& text, const juce::Font& font, float width)
    {
        juce::StringArray lines;
        auto rest = text;

        for (;;)
        {
            const auto end = rest.indexOfChar ('\n');
            lines.addArray (fill (splitWhereBreaksMayBe (end < 0 ? rest : rest.substring (0, end)), font, width));

            if (end < 0)
                return lines;

            rest = rest.substring (end + 1);
        }
    }
}
