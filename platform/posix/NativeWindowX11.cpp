#include "platform/sdl/NativeWindow.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdio>
#include <cstdlib>

namespace ik {

namespace {

struct NativeWindow {
    Display* display = nullptr;
    Window window = 0;
};

std::optional<NativeWindow> nativeWindow(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return std::nullopt;
    return NativeWindow{info.info.x11.display, info.info.x11.window};
}

std::function<void()>& connectionLost() {
    static std::function<void()> lost;
    return lost;
}

// Xlib's default prints several lines and exits without our records: one
// line, the records, status 1. Returning is not allowed here.
int reportLostConnection(Display*) {
    std::fputs("ironkeel: the connection to the display was lost\n", stderr);
    if (auto lost = std::move(connectionLost())) lost();
    std::_Exit(1);
}

}  // namespace

std::optional<WindowSize> nativeWindowSize(SDL_Window* window) {
    const auto native = nativeWindow(window);
    if (!native) return std::nullopt;
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(native->display, native->window, &attributes) == 0) return std::nullopt;
    return WindowSize{attributes.width, attributes.height};
}

void setNativeGeometry(SDL_Window* window, int x, int y, int width, int height) {
    const auto native = nativeWindow(window);
    if (!native) return;
    XMoveResizeWindow(native->display, native->window, x, y, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
    XFlush(native->display);
}

void onDisplayConnectionLost(std::function<void()> lost) {
    connectionLost() = std::move(lost);
    XSetIOErrorHandler(reportLostConnection);
}

}  // namespace ik
