// A request to end the program from outside (SIGTERM and SIGINT; on Windows
// Ctrl+C, closing the console, logging off and shutting down) as a call on a
// thread of our own, where anything may be done: a signal handler itself may
// do next to nothing. Each operating system implements it in its own folder.
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

// Ends the message boxes the program shows, so that a modal box's call
// returns at once: SIGTERM to every child process (SDL's helper that shows the
// box); on Windows a close request to every dialog box of this process.
void endMessageBoxes();

}  // namespace ik
