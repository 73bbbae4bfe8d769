// SIGTERM and SIGINT as a call on a thread of our own, where anything may be
// done: a signal handler itself may do next to nothing.
#pragma once

#include <functional>
#include <thread>

namespace ik {

class TerminationSignals {
public:
    // Installs the handlers; one instance at a time.
    explicit TerminationSignals(std::function<void()> onSignal);
    // Restores the previous handlers and ends the thread.
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void watch();

    std::function<void()> onSignal_;
    std::thread watcher_;
};

// Sends SIGTERM to every child process of this process: a modal box shown by
// a helper process then returns at once.
void endChildProcesses();

}  // namespace ik
