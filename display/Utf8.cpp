#include "display/Utf8.h"

#include <string>

namespace ik {

std::u32string decodeUtf8(std::string_view text) {
    constexpr char32_t kReplacement = 0xFFFD;
    std::u32string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const Utf8Sequence sequence = decodeUtf8Sequence(text, i);
        if (sequence.length == 0) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        out.push_back(sequence.cp);
        i += sequence.length;
    }
    return out;
}

}  // namespace ik
