// Where the 800 x 600 picture goes on a screen or window of another size, and
// how pointer positions map between the two. Pure arithmetic, in the output's
// pixels, so the window backend and the tests share it.
#pragma once

#include "platform/Platform.h"

namespace ik {

struct Viewport {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Viewport&) const = default;
};

// The largest picture with the display's 4:3 aspect that fits, centred. Whole
// factors (crisp pixels) whenever a factor of 2 or more fits, or always when
// `integerScale` is set, as long as factor 1 fits; below that the picture is
// shrunk to fit whatever the flag says.
Viewport fitViewport(int outputWidth, int outputHeight, bool integerScale);

// The largest whole factor at which an 800 x 600 window fits the desktop area,
// at least 1.
int defaultWindowScale(int desktopWidth, int desktopHeight);

// An output pixel to the display pixel under its centre; points outside the picture
// (on the bars) go to the nearest edge pixel.
Point outputToDisplay(const Viewport& viewport, Point output);

// The output pixel at the centre of a display pixel.
Point displayToOutput(const Viewport& viewport, Point display);

}  // namespace ik
