#include "common/TextEscape.h"


namespace
{
    /** The length of the printable UTF-8 character at the index; 0 for a control
        character or a byte that begins no valid UTF-8 sequence. */
    std::size_t printableLength (const std::string& bytes, std::size_t index)
    {
        const auto byte = [&] (std::size_t offset)
        {
            return index + offset < bytes.size() ? (unsigned char) bytes[index + offset] : 0;
        };

        if (byte (0) < 0x80)
            return byte (0) >= 0x20 && byte (0) != 0x7f ? 1 : 0;

        // By lead byte: the length, and where the second byte lies, which rules out
        // overlong forms, surrogates, code points past U+10FFFF and the C1 controls.
        struct Form { int firstLead, lastLead; std::size_t length; int lowest, highest; };
        static constexpr Form forms[] { { 0xc2, 0xc2, 2, 0xa0, 0xbf }, { 0xc3, 0xdf, 2, 0x80, 0xbf },
                                        { 0xe0, 0xe0, 3, 0xa0, 0xbf }, { 0xe1, 0xec, 3, 0x80, 0xbf },
                                        { 0xed, 0xed, 3, 0x80, 0x9f }, { 0xee, 0xef, 3, 0x80, 0xbf },
                                        { 0xf0, 0xf0, 4, 0x90, 0xbf }, { 0xf1, 0xf3, 4, 0x80, 0xbf },
                                        { 0xf4, 0xf4, 4, 0x80, 0x8f } };

        for (auto& form : forms)
        {
            if (byte (0) < form.firstLead || byte (0) > form.lastLead)
                continue;

            if (byte (1) < form.lowest || byte (1) > form.highest)
                return 0;

            for (std::size_t offset = 2; offset < form.length; ++offset)
                if (byte (offset) < 0x80 || byte (offset) > 0xbf)
                    return 0;

            return form.length;
        }

        return 0;
    }
}

std::string TextEscape::escape (const std::string& bytes, Backslash backslash)
{
    std::string escaped;
    escaped.reserve (bytes.size());

    for (std::size_t index = 0; index < bytes.size();)
    {
        if (bytes[index] == '\\' && backslash == Backslash::doubled)
        {
            escaped += "\\\\";
            ++index;
        }
        else if (const auto length = printableLength (bytes, index); length > 0)
        {
            escaped.append (bytes, index, length);
            index += length;
        }
        else
        {
            static constexpr char digits[] = "0123456789ABCDEF";
            const auto byte = (unsigned char) bytes[index++];
            const char code[] { '\\', 'x', digits[byte >> 4], digits[byte & 0xf] };
            escaped.append (code, sizeof (code));
        }
    }

    return escaped;
}
