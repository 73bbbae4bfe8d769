#include "platform/DisplayDriver.h"

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

}  // namespace ik
