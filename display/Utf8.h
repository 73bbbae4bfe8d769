#pragma once

#include <string>
#include <string_view>

namespace ik {

// Code points of a UTF-8 text; malformed bytes become U+FFFD each.
std::u32string DecodeUtf8(std::string_view text);

}  // namespace ik
