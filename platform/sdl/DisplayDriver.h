// Without a display SDL quietly picks a video driver that shows nothing; the
// window backend refuses to run on one rather than play to an empty room.
#pragma once

#include <string>

namespace ik {

// Whether SDL's video driver of that name puts a picture on a real screen.
bool showsPicture(const char* videoDriverName);

// The one line the program prints before it exits for want of a display.
std::string noDisplayMessage(const char* videoDriverName);

// Wayland's client library complains on stderr when it has no runtime folder,
// before SDL moves on to the next driver. Where Wayland cannot be reached we
// go to X11 directly, or report the missing display ourselves.
struct DisplayEnvironment {
    std::string sdlVideoDriver;  // SDL_VIDEODRIVER: the user's own choice
    std::string display;         // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string xdgRuntimeDir;   // XDG_RUNTIME_DIR
};

enum class VideoChoice { LetSdlChoose, AskForX11, NoDisplay };

VideoChoice chooseVideoDriver(const DisplayEnvironment& environment);

// The choice for the system the game runs on: the above from the
// environment on X11 and Wayland systems; on Windows SDL's own, for the
// display is always the system's. Each system implements it in its own folder.
VideoChoice systemVideoChoice();

}  // namespace ik
