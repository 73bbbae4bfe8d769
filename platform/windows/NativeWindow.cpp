#include "platform/sdl/NativeWindow.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace ik {

namespace {

HWND nativeWindow(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_WINDOWS) return nullptr;
    return info.info.win.window;
}

}  // namespace

std::optional<WindowSize> nativeWindowSize(SDL_Window* window) {
    const HWND native = nativeWindow(window);
    RECT client{};
    if (!native || !GetClientRect(native, &client)) return std::nullopt;
    return WindowSize{client.right - client.left, client.bottom - client.top};
}

void setNativeGeometry(SDL_Window* window, int x, int y, int width, int height) {
    const HWND native = nativeWindow(window);
    if (native) SetWindowPos(native, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// A window of this system lives as long as the program: there is no
// connection to a display server that could break.
void onDisplayConnectionLost(std::function<void()>) {}

}  // namespace ik
