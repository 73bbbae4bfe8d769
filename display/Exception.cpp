#include "display/Exception.h"

#include <cstdio>
#include <vector>

#include "display/Utf8.h"

namespace ik {

namespace {
template <typename T>
std::string formatOne(const char* pattern, T argument) {
    int size = std::snprintf(nullptr, 0, pattern, argument);
    if (size < 0) return pattern;
    std::vector<char> buffer(static_cast<size_t>(size) + 1);
    std::snprintf(buffer.data(), buffer.size(), pattern, argument);
    return std::string(buffer.data(), static_cast<size_t>(size));
}
}  // namespace

Exception::Exception(const std::string& message) : std::runtime_error(PrintableText(message)) {}

std::string Format(const char* pattern, const std::string& argument) {
    return formatOne(pattern, PrintableText(argument).c_str());
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
