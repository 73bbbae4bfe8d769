#include "platform/sdl/DisplayDriver.h"

namespace ik {

// The desktop is always there for a windowed program; DISPLAY and Wayland's
// variables mean nothing here.
VideoChoice systemVideoChoice() { return VideoChoice::LetSdlChoose; }

}  // namespace ik
