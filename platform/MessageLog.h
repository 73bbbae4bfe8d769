// Every message box is also written to stderr, so that a run without a screen
// (or one whose box cannot open) still tells what happened.
#pragma once

#include <string>

namespace ik {

void logMessageBox(const std::string& caption, const std::string& text);

}  // namespace ik
