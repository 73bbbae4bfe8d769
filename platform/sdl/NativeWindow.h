// What SDL does not do for a window of the system: tell its real size, set
// its geometry when no window manager does, and report a lost display server
// once. On X11 (platform/posix/), Wayland (where every function does nothing)
// and Windows (platform/windows/, whose windows need no server).
#pragma once

#include <functional>
#include <optional>

struct SDL_Window;

namespace ik {

struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize&) const = default;
};

// The size the system gives the window now (SDL reports the size it asked for).
std::optional<WindowSize> nativeWindowSize(SDL_Window* window);

// Moves and sizes the window directly, as a window manager would.
void setNativeGeometry(SDL_Window* window, int x, int y, int width, int height);

// Called once, instead of Xlib's own report and exit, when the connection to
// the X server breaks; the program ends with status 1 after it returns.
void onDisplayConnectionLost(std::function<void()> lost);

}  // namespace ik
