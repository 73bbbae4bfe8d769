// A page gets no SIGTERM or SIGINT and starts no helper processes: closing
// the tab ends the program without a word, and the records are safe already,
// for the store is written through at every change.
#include "platform/TerminationSignals.h"

namespace ik {

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::watch() {}

void endChildProcesses() {}

}  // namespace ik
