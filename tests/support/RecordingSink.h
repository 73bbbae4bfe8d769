// An event sink that writes down what reaches it, in order, as short words
// ("down 65", "click", "idle"), and lets a test hook any event.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace ik::test {

inline std::string buttonName(MouseButton button) {
    switch (button) {
        case MouseButton::Left:
            return "L";
        case MouseButton::Right:
            return "R";
        case MouseButton::Middle:
            return "M";
    }
    return "?";
}

class RecordingSink : public EventSink {
public:
    std::vector<std::string> log;
    bool logIdle = false;
    std::function<void(uint16_t)> whenKeyDown;
    std::function<void()> whenIdle;
    std::function<void()> whenCloseRequested;
    int idleCount = 0;

    void onKeyDown(uint16_t key, bool repeat) override {
        log.push_back("down " + std::to_string(key) + (repeat ? " repeat" : ""));
        if (whenKeyDown) whenKeyDown(key);
    }
    void onKeyUp(uint16_t key) override { log.push_back("up " + std::to_string(key)); }
    void onChar(char32_t c) override { log.push_back("char " + std::to_string(static_cast<uint32_t>(c))); }
    void onMouseDown(MouseButton b, Point at) override {
        log.push_back("mousedown " + buttonName(b) + " " + std::to_string(at.x) + "," + std::to_string(at.y));
    }
    void onMouseUp(MouseButton b, Point at) override {
        log.push_back("mouseup " + buttonName(b) + " " + std::to_string(at.x) + "," + std::to_string(at.y));
    }
    void onClick() override { log.push_back("click"); }
    void onActivate(bool active) override { log.push_back(active ? "activate" : "deactivate"); }
    void onCloseRequest() override {
        log.push_back("close");
        if (whenCloseRequested) whenCloseRequested();
    }
    void onIdle() override {
        ++idleCount;
        if (logIdle) log.push_back("idle");
        if (whenIdle) whenIdle();
    }
};

}  // namespace ik::test
