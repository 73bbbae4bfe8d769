#include "platform/ProgramStart.h"

#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include <cstdio>

#include "platform/SystemPaths.h"

namespace ik {

namespace {

bool hasStream(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// A windowed program started from a console (or by a program that handed it
// pipes or files) writes there; started by a double click it has no console,
// and none is opened for it.
void connectToCallersConsole() {
    const bool output = hasStream(STD_OUTPUT_HANDLE);
    const bool errors = hasStream(STD_ERROR_HANDLE);
    if ((!output || !errors) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (!output) std::freopen("CONOUT$", "w", stdout);
        if (!errors) std::freopen("CONOUT$", "w", stderr);
    }
    SetConsoleOutputCP(CP_UTF8);
}

}  // namespace

std::vector<std::string> startProgram(int argc, char** argv) {
    connectToCallersConsole();
    // The narrow arguments went through the system's code page, which loses
    // every letter outside it: the wide command line has them all.
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(utf8String(std::filesystem::path(wide[i])));
    LocalFree(wide);
    return arguments;
}

}  // namespace ik
