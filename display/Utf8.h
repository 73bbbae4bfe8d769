#pragma once

#include <string>
#include <string_view>

namespace ik {

// Code points of a UTF-8 text; malformed bytes become U+FFFD each.
std::u32string DecodeUtf8(std::string_view text);

// The text with every control character and every byte that is not part of
// well-formed UTF-8 written as "\xNN", so that what a file put into a message
// can neither cut it short (a NUL) nor garble the line or the box showing it.
std::string PrintableText(std::string_view text);

}  // namespace ik
