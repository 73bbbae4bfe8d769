// The page's canvas is no window of a display server: SDL knows its size,
// nobody else places it, and there is no connection to lose.
#include "platform/sdl/NativeWindow.h"

namespace ik {

std::optional<WindowSize> nativeWindowSize(SDL_Window* /*window*/) { return std::nullopt; }

void setNativeGeometry(SDL_Window* /*window*/, int /*x*/, int /*y*/, int /*width*/, int /*height*/) {}

void onDisplayConnectionLost(std::function<void()> /*lost*/) {}

}  // namespace ik
