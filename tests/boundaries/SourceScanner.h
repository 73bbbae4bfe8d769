// Finds uses of SDL, the system clock and the C library's random numbers in
// C++ source text. Comments and string literals do not count; #include lines
// are read as they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ik::test {

struct Violation {
    int line;          // from 1
    std::string rule;  // what was found: "SDL header", "rand", ...
    bool operator==(const Violation&) const = default;
};

std::vector<Violation> findViolations(std::string_view source);

// The source with comments and the contents of string and character literals
// blanked out; line breaks stay where they were.
std::string codeOnly(std::string_view source);

}  // namespace ik::test
