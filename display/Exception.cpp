#include "display/Exception.h"

#include <cstdio>
#include <vector>

#include "display/Utf8.h"

namespace ik {

namespace {

bool isControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

template <typename T>
std::string formatOne(const char* pattern, T argument) {
    int size = std::snprintf(nullptr, 0, pattern, argument);
    if (size < 0) return pattern;
    std::vector<char> buffer(static_cast<size_t>(size) + 1);
    std::snprintf(buffer.data(), buffer.size(), pattern, argument);
    return std::string(buffer.data(), static_cast<size_t>(size));
}
}  // namespace

std::string printableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const Utf8Sequence sequence = decodeUtf8Sequence(text, i);
        if (sequence.length == 0 || isControl(sequence.cp)) {
            // A malformed sequence is escaped one byte at a time; the next
            // byte may start a well-formed one.
            const size_t escaped = sequence.length == 0 ? 1 : sequence.length;
            for (size_t j = 0; j < escaped; ++j) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(text[i + j]));
                out += hex;
            }
            i += escaped;
            continue;
        }
        out.append(text.substr(i, sequence.length));
        i += sequence.length;
    }
    return out;
}

Exception::Exception(const std::string& message) : std::runtime_error(printableText(message)) {}

std::string Format(const char* pattern, const std::string& argument) {
    return formatOne(pattern, printableText(argument).c_str());
}

std::string Format(const char* pattern, long long argument) {
    // Messages use %d; widen the conversion to match the argument.
    std::string widened;
    for (const char* p = pattern; *p; ++p) {
        widened += *p;
        if (*p == '%' && p[1] == 'd') {
            widened += "ll";
        }
    }
    return formatOne(widened.c_str(), argument);
}

}  // namespace ik
