#include "platform/sdl/DisplayDriver.h"

#include <cstring>

namespace ik {

bool showsPicture(const char* videoDriverName) {
    if (videoDriverName == nullptr || *videoDriverName == '\0') return false;
    return std::strcmp(videoDriverName, "offscreen") != 0 && std::strcmp(videoDriverName, "dummy") != 0;
}

std::string noDisplayMessage(const char* videoDriverName) {
    std::string driver = videoDriverName != nullptr && *videoDriverName != '\0' ? videoDriverName : "none";
    return "no display available (SDL video driver: " + driver +
           "); start the game inside a graphical session, or use --headless";
}

VideoChoice chooseVideoDriver(const DisplayEnvironment& environment) {
    const bool waylandReachable = !environment.xdgRuntimeDir.empty() || environment.waylandDisplay.rfind('/', 0) == 0;
    if (!environment.sdlVideoDriver.empty() || waylandReachable) return VideoChoice::LetSdlChoose;
    if (!environment.display.empty()) return VideoChoice::AskForX11;
    return VideoChoice::NoDisplay;
}

}  // namespace ik
