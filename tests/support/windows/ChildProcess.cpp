#include "tests/support/ChildProcess.h"

#include <windows.h>

#include <stdexcept>

namespace ik::test {

namespace {

// The quoting CommandLineToArgvW undoes: backslashes double only before a quote.
std::wstring quoted(const std::wstring& argument) {
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

std::wstring wide(const std::string& text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

constexpr UINT kKilled = 0xDEAD;

}  // namespace

struct ChildProcess::System {
    PROCESS_INFORMATION process{};
    HANDLE output = nullptr;
    bool waited = false;
};

ChildProcess::ChildProcess(const std::vector<std::string>& arguments) : system_(std::make_unique<System>()) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = quoted(self);
    for (const std::string& argument : arguments) commandLine += L" " + quoted(wide(argument));
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE write = nullptr;
    if (!CreatePipe(&system_->output, &write, &inherit, 0)) throw std::runtime_error("CreatePipe failed");
    SetHandleInformation(system_->output, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = write;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    // Under Wine a start right after a kill fails now and then while the
    // killed process is still being taken down; a few more tries get past it.
    BOOL started = FALSE;
    DWORD error = 0;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        started = CreateProcessW(self, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                 &system_->process);
        if (!started) error = GetLastError();
    }
    CloseHandle(write);
    if (!started) throw std::runtime_error("CreateProcessW failed, error " + std::to_string(error));
}

ChildProcess::~ChildProcess() {
    if (!system_->waited) kill();
    CloseHandle(system_->process.hProcess);
    CloseHandle(system_->process.hThread);
    CloseHandle(system_->output);
}

bool ChildProcess::readMore() {
    char buffer[256];
    DWORD got = 0;
    if (!ReadFile(system_->output, buffer, sizeof buffer, &got, nullptr) || got == 0) return false;
    pending_.append(buffer, got);
    return true;
}

bool ChildProcess::kill() {
    const bool running = WaitForSingleObject(system_->process.hProcess, 0) == WAIT_TIMEOUT;
    TerminateProcess(system_->process.hProcess, kKilled);
    WaitForSingleObject(system_->process.hProcess, INFINITE);
    system_->waited = true;
    DWORD code = 0;
    GetExitCodeProcess(system_->process.hProcess, &code);
    return running && code == kKilled;
}

}  // namespace ik::test
