// A display on the headless platform, and a sink for its loop passes.
#pragma once

#include <memory>

#include "display/DXDraw.h"
#include "platform/HeadlessPlatform.h"

namespace ik::test {

class IdleSink : public EventSink {
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

// Delivers a change of activation through one loop pass.
inline void SetActive(HeadlessPlatform& platform, bool active) {
    IdleSink sink;
    platform.queueActivate(active);
    platform.pump(sink, [] { return true; });
}

}  // namespace ik::test
