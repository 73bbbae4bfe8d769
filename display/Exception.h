// Errors of the library layers: the message is the exact English text the
// player sees in the error box. Subclasses keep the original class names where
// a caller needs to tell them apart. Names and paths from files go into these
// messages as they are, so control characters and malformed UTF-8 in them are
// written as "\xNN": the player sees the whole message.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace ik {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message);
};

// The text with every control character and every byte that is not part of
// well-formed UTF-8 written as "\xNN", so that what a file put into a message
// can neither cut it short (a NUL) nor garble the line or the box showing it.
std::string printableText(std::string_view text);

// printf-style formatting of the fixed messages ("Image '%s' not found", ...);
// the argument is made printable first, so that a NUL in it cannot end the message.
std::string Format(const char* pattern, const std::string& argument);
std::string Format(const char* pattern, long long argument);

}  // namespace ik
