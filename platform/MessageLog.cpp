#include "platform/MessageLog.h"

#include <cstdio>

namespace ik {

void logMessageBox(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "MESSAGE: %s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
}

}  // namespace ik
