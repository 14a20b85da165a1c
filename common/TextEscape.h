#pragma once

#include <string>

/** Text that a user may have shaped, made safe to show: every control character
    (C0, DEL and the C1 controls, U+0080 to U+009F, which a terminal also acts on)
    and every byte that begins no valid UTF-8 sequence written as \xNN; everything
    else, valid UTF-8 included, kept. Linear in the text's length. */
namespace TextEscape
{
    enum class Backslash
    {
        /** Kept, so that escaping twice changes nothing more: for the system log. */
        kept,

        /** Doubled, so that the text reads back unambiguously: for a quoted argument. */
        doubled
    };

    std::string escape (const std::string& bytes, Backslash backslash);
}
