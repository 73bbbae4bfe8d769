// An event sink that ignores every event: for a loop that only has to run.
#pragma once

#include "platform/Platform.h"

namespace ik::test {

class NoSink : public EventSink {
public:
    void onKeyDown(uint16_t, bool) override {}
    void onKeyUp(uint16_t) override {}
    void onChar(char32_t) override {}
    void onMouseDown(MouseButton, Point) override {}
    void onMouseUp(MouseButton, Point) override {}
    void onClick() override {}
    void onActivate(bool) override {}
    void onCloseRequest() override {}
    void onIdle() override {}
};

}  // namespace ik::test
