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

// A requested window factor that does not fit the desktop becomes the largest
// that does; `reduced` tells that it had to.
struct ScaleChoice {
    int scale = 1;
    bool reduced = false;
};
ScaleChoice chooseWindowScale(int requested, int desktopWidth, int desktopHeight);

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// Where the top-left of a window's client area of `width` x `height` goes:
// centred in the usable area with its frame (borders and title bar), and
// never so that the frame's top or left leaves it. The frame's x and y are the
// left border and the title bar, its width and height both sides together.
Point placeWindow(const Rect& usable, int width, int height, const Rect& frame);

// A window of a given size (window coordinates, as pointer events come) whose
// drawable has `output` pixels (more on a high-density screen): where the
// picture goes, and the pointer's way to the display and back.
struct WindowLayout {
    int windowWidth = kDisplayWidth;
    int windowHeight = kDisplayHeight;
    int outputWidth = kDisplayWidth;
    int outputHeight = kDisplayHeight;
    Viewport viewport = {0, 0, kDisplayWidth, kDisplayHeight};
    bool operator==(const WindowLayout&) const = default;
};
WindowLayout layOutWindow(int windowWidth, int windowHeight, int outputWidth, int outputHeight, bool integerScale);
Point windowToDisplay(const WindowLayout& layout, Point window);
Point displayToWindow(const WindowLayout& layout, Point display);

// An output pixel to the display pixel under its centre; points outside the picture
// (on the bars) go to the nearest edge pixel.
Point outputToDisplay(const Viewport& viewport, Point output);

// The output pixel at the centre of a display pixel.
Point displayToOutput(const Viewport& viewport, Point display);

}  // namespace ik
