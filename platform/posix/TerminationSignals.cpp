#include "platform/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace ik {

namespace {

constexpr char kSignalled = 's';
constexpr char kStop = 'q';

int wakeFds[2] = {-1, -1};
pid_t ownerPid = 0;
struct sigaction previousTerm {};
struct sigaction previousInt {};

void writeWake(char byte) {
    // Nothing to do about a full pipe: a wake-up is already waiting.
    [[maybe_unused]] ssize_t written = ::write(wakeFds[1], &byte, 1);
}

void onSignal(int signal) {
    // A forked helper (SDL's message box) inherits the handler: there the
    // signal does what it does by default, so that the helper can be ended.
    if (::getpid() != ownerPid) {
        ::signal(signal, SIG_DFL);
        ::raise(signal);
        return;
    }
    const int saved = errno;
    writeWake(kSignalled);
    errno = saved;
}

// The parent process id from /proc/PID/stat; the command name in brackets may
// hold spaces, so the fields are read after its closing bracket.
pid_t parentOf(const std::filesystem::path& statFile) {
    std::ifstream file(statFile);
    std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream fields(stat.substr(close + 1));
    char state = 0;
    pid_t parent = 0;
    fields >> state >> parent;
    return parent;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    if (::pipe2(wakeFds, O_CLOEXEC) != 0) return;
    ownerPid = ::getpid();
    struct sigaction action {};
    action.sa_handler = ik::onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &previousTerm);
    sigaction(SIGINT, &action, &previousInt);
    watcher_ = std::thread([this] { watch(); });
}

TerminationSignals::~TerminationSignals() {
    if (!watcher_.joinable()) return;
    sigaction(SIGTERM, &previousTerm, nullptr);
    sigaction(SIGINT, &previousInt, nullptr);
    writeWake(kStop);
    watcher_.join();
    ::close(wakeFds[0]);
    ::close(wakeFds[1]);
    wakeFds[0] = wakeFds[1] = -1;
}

void TerminationSignals::watch() {
    char byte = 0;
    while (true) {
        const ssize_t got = ::read(wakeFds[0], &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0 || byte == kStop) return;
        onSignal_();
    }
}

void endMessageBoxes() {
    const pid_t self = ::getpid();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        if (parentOf(entry.path() / "stat") == self) ::kill(static_cast<pid_t>(std::stoi(name)), SIGTERM);
    }
}

}  // namespace ik
