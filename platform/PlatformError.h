// A failure of the machine under the game (no display, no renderer): the
// message is one line that the program prints before it exits.
#pragma once

#include <stdexcept>
#include <string>

namespace ik {

class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace ik
