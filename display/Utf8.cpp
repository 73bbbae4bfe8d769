#include "display/Utf8.h"

#include <cstdio>
#include <string>

namespace ik {

namespace {

// The code point that starts at `i` and the number of bytes it takes, or 0
// bytes when the sequence there is malformed.
struct Decoded {
    char32_t cp = 0;
    size_t length = 0;
};

Decoded decodeOne(std::string_view text, size_t i) {
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
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
    return {cp, static_cast<size_t>(extra) + 1};
}

bool isControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

}  // namespace

std::u32string DecodeUtf8(std::string_view text) {
    constexpr char32_t kReplacement = 0xFFFD;
    std::u32string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const Decoded decoded = decodeOne(text, i);
        if (decoded.length == 0) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        out.push_back(decoded.cp);
        i += decoded.length;
    }
    return out;
}

std::string PrintableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const Decoded decoded = decodeOne(text, i);
        if (decoded.length == 0 || isControl(decoded.cp)) {
            // A malformed sequence is escaped one byte at a time; the next
            // byte may start a well-formed one.
            const size_t escaped = decoded.length == 0 ? 1 : decoded.length;
            for (size_t j = 0; j < escaped; ++j) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(text[i + j]));
                out += hex;
            }
            i += escaped;
            continue;
        }
        out.append(text.substr(i, decoded.length));
        i += decoded.length;
    }
    return out;
}

}  // namespace ik
