#include "platform/TerminationSignals.h"

#include <windows.h>

#include <string>

namespace ik {

namespace {

// Set by the console's handler, which Windows calls on a thread of its own;
// the watcher runs the game's call so that the handler can wait for the end.
HANDLE signalled = nullptr;
HANDLE stop = nullptr;
HANDLE ended = nullptr;

BOOL WINAPI onConsoleEvent(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            SetEvent(signalled);
            // Closing the console, logging off and shutting down end the
            // process as soon as this returns: it returns once the game has
            // closed (or the process ends first).
            if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) WaitForSingleObject(ended, INFINITE);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    signalled = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ended = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!signalled || !stop || !ended || !SetConsoleCtrlHandler(onConsoleEvent, TRUE)) return;
    watcher_ = std::thread([this] { watch(); });
}

TerminationSignals::~TerminationSignals() {
    if (watcher_.joinable()) {
        SetEvent(stop);
        watcher_.join();
        SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    }
    // A handler still waiting may now let the system end the process.
    if (ended) SetEvent(ended);
    for (HANDLE* event : {&signalled, &stop}) {
        if (*event) CloseHandle(*event);
        *event = nullptr;
    }
}

void TerminationSignals::watch() {
    const HANDLE events[] = {stop, signalled};
    while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) onSignal_();
}

namespace {

BOOL CALLBACK closeBox(HWND window, LPARAM) {
    wchar_t className[16] = {};
    // "#32770" is the class of the system's dialog boxes, message boxes among them.
    if (GetClassNameW(window, className, 16) > 0 && std::wstring(className) == L"#32770")
        PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

BOOL CALLBACK closeBoxesOfThread(HWND window, LPARAM) {
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) EnumThreadWindows(thread, closeBox, 0);
    return TRUE;
}

}  // namespace

void endMessageBoxes() { EnumWindows(closeBoxesOfThread, 0); }

}  // namespace ik
