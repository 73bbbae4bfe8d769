// This test program started again as a child process with other arguments,
// its standard output read through a pipe, and killed at a moment the test
// chooses. One implementation per operating system (posix/, windows/).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ik::test {

class ChildProcess {
public:
    // Starts the running test program with `arguments`; throws when it cannot.
    explicit ChildProcess(const std::vector<std::string>& arguments);
    // Kills the child if it still runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line the child wrote (without its line end); nothing once its
    // output has ended.
    std::optional<std::string> readLine();
    // Kills the child at once and waits for its end; false when it had ended
    // by itself before.
    bool kill();

private:
    struct System;
    std::unique_ptr<System> system_;
    std::string pending_;
    bool readMore();
};

}  // namespace ik::test
