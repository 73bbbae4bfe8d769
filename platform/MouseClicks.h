// Turns button presses and releases into the form's mouse events: a release of
// the left button that was pressed on the display is a click, reported before
// the release itself, as the window system of the original reports it.
#pragma once

#include "platform/Platform.h"

namespace ik {

class MouseClicks {
public:
    void press(EventSink& sink, MouseButton button, Point at);
    void release(EventSink& sink, MouseButton button, Point at);

private:
    bool leftPressed_ = false;
};

}  // namespace ik
