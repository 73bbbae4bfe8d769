// Errors of the library layers: the message is the exact English text the
// player sees in the error box. Subclasses keep the original class names where
// a caller needs to tell them apart.
#pragma once

#include <stdexcept>
#include <string>

namespace ik {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// printf-style formatting of the fixed messages ("Image '%s' not found", ...).
std::string Format(const char* pattern, const std::string& argument);
std::string Format(const char* pattern, long long argument);

}  // namespace ik
