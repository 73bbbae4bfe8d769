// The headless platform with the message boxes kept for inspection, and a
// switch that makes it report a real machine (so the library opens a device).
#pragma once

#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "tests/support/NoSink.h"

namespace ik::test {

struct ShownBox {
    std::string caption;
    std::string text;
};

class TestPlatform : public HeadlessPlatform {
public:
    explicit TestPlatform(bool headless = true) : headless_(headless) {}

    void messageBox(const std::string& caption, const std::string& text, MessageBoxKind kind) override {
        boxes.push_back({caption, text});
        HeadlessPlatform::messageBox(caption, text, kind);
    }
    bool headless() const override { return headless_; }

    // Lets the loop run `ms` virtual milliseconds: posted tasks and timers
    // fire, the music's null sink is pulled.
    void runFor(uint64_t ms) {
        const uint64_t until = virtualMs() + ms;
        pump(sink_, [&] { return virtualMs() >= until; });
    }

    std::vector<ShownBox> boxes;

private:
    NoSink sink_;
    bool headless_;
};

}  // namespace ik::test
