// A page gets no SIGTERM or SIGINT and shows no message box in a helper
// process: closing the tab ends the program without a word, and the records
// are safe already, for the page writes the store through at every change.
#include "platform/TerminationSignals.h"

namespace ik {

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::watch() {}

void endMessageBoxes() {}

}  // namespace ik
