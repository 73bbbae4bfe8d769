#include <cstdlib>

#include "platform/sdl/DisplayDriver.h"

namespace ik {

VideoChoice systemVideoChoice() {
    auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
    };
    return chooseVideoDriver(
        {variable("SDL_VIDEODRIVER"), variable("DISPLAY"), variable("WAYLAND_DISPLAY"), variable("XDG_RUNTIME_DIR")});
}

}  // namespace ik
