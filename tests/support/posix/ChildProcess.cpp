#include "tests/support/ChildProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace ik::test {

struct ChildProcess::System {
    pid_t pid = -1;
    int output = -1;
    bool waited = false;
};

ChildProcess::ChildProcess(const std::vector<std::string>& arguments) : system_(std::make_unique<System>()) {
    int pipe[2];
    if (::pipe(pipe) != 0) throw std::runtime_error("pipe failed");
    std::vector<std::string> argv = {"/proc/self/exe"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> args;
    for (std::string& arg : argv) args.push_back(arg.data());
    args.push_back(nullptr);
    system_->pid = ::fork();
    if (system_->pid < 0) throw std::runtime_error("fork failed");
    if (system_->pid == 0) {
        ::dup2(pipe[1], 1);
        ::close(pipe[0]);
        ::close(pipe[1]);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(pipe[1]);
    system_->output = pipe[0];
}

ChildProcess::~ChildProcess() {
    if (!system_->waited) kill();
    ::close(system_->output);
}

bool ChildProcess::readMore() {
    char buffer[256];
    for (;;) {
        const ssize_t got = ::read(system_->output, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        pending_.append(buffer, static_cast<size_t>(got));
        return true;
    }
}

bool ChildProcess::kill() {
    ::kill(system_->pid, SIGKILL);
    int status = 0;
    ::waitpid(system_->pid, &status, 0);
    system_->waited = true;
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

}  // namespace ik::test
