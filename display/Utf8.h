#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ik {

// Code points of a UTF-8 text; malformed bytes become U+FFFD each.
std::u32string decodeUtf8(std::string_view text);

// The code point whose UTF-8 sequence starts at `i` and the number of bytes
// it takes; 0 bytes when the sequence there is malformed (overlong, a
// surrogate, beyond U+10FFFF, cut short). Inline, so that the error messages
// can use it without the rest of the display layer.
struct Utf8Sequence {
    char32_t cp = 0;
    size_t length = 0;
};

inline Utf8Sequence decodeUtf8Sequence(std::string_view text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        return {lead, 1};
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return {};
    }
    for (size_t j = 1; j <= static_cast<size_t>(extra); ++j) {
        if (i + j >= text.size()) return {};
        const auto c = static_cast<unsigned char>(text[i + j]);
        if ((c & 0xC0) != 0x80) return {};
        cp = (cp << 6) | (c & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
    return {cp, static_cast<size_t>(extra) + 1};
}

}  // namespace ik
