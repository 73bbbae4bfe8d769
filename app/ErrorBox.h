// The application's error box for errors raised in event handlers. An error
// that repeats every frame must not flood the player: each distinct message is
// shown once per run, every occurrence is still written to stderr. Control
// characters and malformed UTF-8 in a message are shown escaped.
#pragma once

#include <set>
#include <string>

#include "platform/Platform.h"

namespace ik {

extern const char* const kApplicationTitle;

class ErrorBox {
public:
    explicit ErrorBox(Platform& platform) : platform_(platform) {}
    void show(const std::string& message);

private:
    Platform& platform_;
    std::set<std::string> shown_;
};

}  // namespace ik
