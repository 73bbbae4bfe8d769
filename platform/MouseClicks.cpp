#include "platform/MouseClicks.h"

namespace ik {

void MouseClicks::press(EventSink& sink, MouseButton button, Point at) {
    if (button == MouseButton::Left) leftPressed_ = true;
    sink.onMouseDown(button, at);
}

void MouseClicks::release(EventSink& sink, MouseButton button, Point at) {
    if (button == MouseButton::Left && leftPressed_) {
        leftPressed_ = false;
        sink.onClick();
    }
    sink.onMouseUp(button, at);
}

}  // namespace ik
