#include "platform/replay/RecordingPlatform.h"

#include <string>

namespace ik {

namespace {
std::string point(Point p) { return std::to_string(p.x) + " " + std::to_string(p.y); }
}  // namespace

class RecordingPlatform::Sink : public EventSink {
public:
    Sink(RecordingPlatform& owner, EventSink& target) : owner_(owner), target_(target) {}
    EventSink& target() const { return target_; }

    void onKeyDown(uint16_t virtualKey, bool repeat) override {
        write("vkdown " + std::to_string(virtualKey) + (repeat ? " 1" : " 0"));
        owner_.setHeld(virtualKey, true);
        target_.onKeyDown(virtualKey, repeat);
    }
    void onKeyUp(uint16_t virtualKey) override {
        write("vkup " + std::to_string(virtualKey));
        owner_.setHeld(virtualKey, false);
        target_.onKeyUp(virtualKey);
    }
    void onChar(char32_t character) override {
        write("char " + std::to_string(static_cast<uint32_t>(character)));
        target_.onChar(character);
    }
    void onMouseDown(MouseButton button, Point at) override {
        write("mousedown " + std::to_string(static_cast<int>(button)) + " " + point(at));
        target_.onMouseDown(button, at);
    }
    void onMouseUp(MouseButton button, Point at) override {
        write("mouseup " + std::to_string(static_cast<int>(button)) + " " + point(at));
        target_.onMouseUp(button, at);
    }
    void onClick() override {
        write("click");
        target_.onClick();
    }
    void onActivate(bool active) override {
        write(active ? "focus on" : "focus off");
        owner_.active_ = active;
        target_.onActivate(active);
    }
    void onCloseRequest() override {
        write("close");
        target_.onCloseRequest();
    }
    void onTerminate() override {
        write("terminate");
        target_.onTerminate();
    }
    void onIdle() override { owner_.idle(target_); }
    void onDisplayReset() override {
        write("display-reset");
        target_.onDisplayReset();
    }
    void onDisplayLost() override {
        write("display-lost");
        target_.onDisplayLost();
    }

private:
    void write(const std::string& line) {
        owner_.beginDelivery();
        owner_.emit(line);
    }

    RecordingPlatform& owner_;
    EventSink& target_;
};

// Numbered in the order the game created them; a tick is written as that number.
class RecordingPlatform::Timer : public IntervalTimer {
public:
    Timer(RecordingPlatform& owner, std::unique_ptr<IntervalTimer> inner, int number)
        : owner_(owner), inner_(std::move(inner)), number_(number) {}
    void setEnabled(bool enabled) override { inner_->setEnabled(enabled); }
    bool enabled() const override { return inner_->enabled(); }
    void setInterval(uint32_t ms) override { inner_->setInterval(ms); }
    uint32_t interval() const override { return inner_->interval(); }
    void setHandler(std::function<void()> onTimer) override {
        inner_->setHandler([this, onTimer = std::move(onTimer)] {
            owner_.beginDelivery();
            owner_.emit("timer " + std::to_string(number_));
            if (onTimer) onTimer();
        });
    }

private:
    RecordingPlatform& owner_;
    std::unique_ptr<IntervalTimer> inner_;
    const int number_;
};

RecordingPlatform::RecordingPlatform(Platform& inner, TraceWriter& trace) : StandInPlatform(inner), trace_(trace) {
    clock_ = inner.ticks();
    firstClock_ = clock_;
    pointer_ = inner.pointer();
    active_ = inner.active();
    trace_.line("clock " + std::to_string(clock_));
    trace_.line("pointer " + point(pointer_));
    trace_.line(active_ ? "active 1" : "active 0");
}

RecordingPlatform::~RecordingPlatform() = default;

EventSink& RecordingPlatform::recordingSink(EventSink& target) {
    if (!sink_ || &sink_->target() != &target) sink_ = std::make_unique<Sink>(*this, target);
    return *sink_;
}

void RecordingPlatform::run(EventSink& sink) { behind_.run(recordingSink(sink)); }

void RecordingPlatform::post(std::function<void()> task) {
    behind_.post([this, task = std::move(task)] {
        beginDelivery();
        emit("task");
        task();
    });
}

std::unique_ptr<IntervalTimer> RecordingPlatform::createTimer() {
    return std::make_unique<Timer>(*this, behind_.createTimer(), timersCreated_++);
}

uint32_t RecordingPlatform::timeOfDayMs() {
    const uint32_t value = behind_.timeOfDayMs();
    emit("timeofday " + std::to_string(value));
    return value;
}

// The clock after a present or a sleep goes on the same line: the game reads
// it before its next delivery, and a line of its own could not be told apart
// from the clock of that delivery.
void RecordingPlatform::sleep(uint32_t ms) {
    behind_.sleep(ms);
    clock_ = behind_.ticks();
    emit("sleep " + std::to_string(ms) + " " + std::to_string(clock_));
}

void RecordingPlatform::present(const uint16_t* pixels) {
    behind_.present(pixels);
    clock_ = behind_.ticks();
    emit("frame " + std::to_string(clock_));
}

std::unique_ptr<AudioDevice> RecordingPlatform::openAudio(const AudioFormat& format, AudioCallback callback) {
    auto device = behind_.openAudio(format, std::move(callback));
    emit(device ? "audio 1" : "audio 0");
    return device;
}

void RecordingPlatform::warpPointer(Point to) {
    behind_.warpPointer(to);
    pointer_ = to;
}

void RecordingPlatform::beginDelivery() {
    sampleClock();
    const Point now = behind_.pointer();
    if (now.x != pointer_.x || now.y != pointer_.y) {
        pointer_ = now;
        emit("pointer " + point(pointer_));
    }
}

void RecordingPlatform::sampleClock() {
    const uint32_t now = behind_.ticks();
    if (now == clock_) return;
    clock_ = now;
    emit("clock " + std::to_string(clock_));
}

void RecordingPlatform::emit(const std::string& line) {
    if (quietIdles_ > 0) {
        trace_.line("idles " + std::to_string(quietIdles_) + " " + std::to_string(quietStep_));
        quietIdles_ = 0;
    }
    trace_.line(line);
    quietSinceIdle_ = false;
}

void RecordingPlatform::idle(EventSink& target) {
    const uint32_t now = behind_.ticks();
    const uint32_t step = now - clock_;
    const Point at = behind_.pointer();
    const bool samePointer = at.x == pointer_.x && at.y == pointer_.y;
    if (quietSinceIdle_ && samePointer && step > 0 && (quietIdles_ == 0 || step == quietStep_)) {
        clock_ = now;
        quietStep_ = step;
        ++quietIdles_;
    } else {
        beginDelivery();
        emit("idle");
    }
    quietSinceIdle_ = true;
    target.onIdle();
}

}  // namespace ik
