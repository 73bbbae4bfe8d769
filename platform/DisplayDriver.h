// Without a display SDL quietly picks a video driver that shows nothing; the
// window backend refuses to run on one rather than play to an empty room.
#pragma once

#include <string>

namespace ik {

// Whether SDL's video driver of that name puts a picture on a real screen.
bool showsPicture(const char* videoDriverName);

// The one line the program prints before it exits for want of a display.
std::string noDisplayMessage(const char* videoDriverName);

}  // namespace ik
