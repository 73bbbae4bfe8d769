#include "app/ErrorBox.h"

#include <cstdio>

#include "display/Exception.h"

namespace ik {

void ErrorBox::show(const std::string& raw) {
    const std::string message = printableText(raw);
    if (shown_.insert(message).second) {
        // The box itself also goes to stderr.
        platform_.messageBox(kApplicationTitle, message, MessageBoxKind::Error);
    } else {
        std::fprintf(stderr, "ERROR: %s\n", message.c_str());
    }
}

}  // namespace ik
