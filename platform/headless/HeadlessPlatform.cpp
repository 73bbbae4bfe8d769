#include "platform/headless/HeadlessPlatform.h"

#include <algorithm>
#include <cstring>

#include "platform/FrameClock.h"
#include "platform/MessageLog.h"

namespace ik {

namespace {
constexpr uint64_t kMsPerDay = 24ull * 60 * 60 * 1000;
}

// A device with no sound card behind it: the virtual clock asks it for exactly
// as many frames as the time that passed holds, so a consumer sees the same
// stream it would see from a real device, without drift over any length.
class HeadlessPlatform::NullAudioDevice : public AudioDevice {
public:
    NullAudioDevice(HeadlessPlatform& owner, const AudioFormat& format, AudioCallback callback)
        : owner_(owner),
          format_(format),
          callback_(std::move(callback)),
          openedAtMs_(owner.virtualMs_),
          chunk_(static_cast<size_t>(std::max(format.bufferFrames, 1)) *
                 static_cast<size_t>(std::max(format.channels, 1))) {}
    ~NullAudioDevice() override { owner_.forgetDevice(this); }

    // Opened paused, as a real device is.
    void pause(bool paused) override {
        std::lock_guard<std::recursive_mutex> hold(mutex_);
        paused_ = paused;
    }
    void lock() override { mutex_.lock(); }
    void unlock() override { mutex_.unlock(); }
    bool alive() const override { return true; }

    void pullUpTo(uint64_t nowMs) {
        std::lock_guard<std::recursive_mutex> hold(mutex_);
        uint64_t due = (nowMs - openedAtMs_) * static_cast<uint64_t>(format_.rate) / 1000;
        uint64_t owed = due - framesPulled_;
        framesPulled_ = due;
        if (paused_ || !callback_) return;
        const uint64_t chunkFrames = static_cast<uint64_t>(std::max(format_.bufferFrames, 1));
        while (owed > 0) {
            int frames = static_cast<int>(std::min(owed, chunkFrames));
            std::fill_n(chunk_.begin(), static_cast<size_t>(frames) * static_cast<size_t>(format_.channels),
                        int16_t{0});
            callback_(chunk_.data(), frames);
            owed -= static_cast<uint64_t>(frames);
        }
    }

private:
    HeadlessPlatform& owner_;
    const AudioFormat format_;
    const AudioCallback callback_;
    const uint64_t openedAtMs_;
    uint64_t framesPulled_ = 0;
    bool paused_ = true;
    std::recursive_mutex mutex_;
    std::vector<int16_t> chunk_;
};

HeadlessPlatform::HeadlessPlatform(uint32_t startTimeOfDayMs)
    : startTimeOfDayMs_(static_cast<uint32_t>(startTimeOfDayMs % kMsPerDay)), timers_([this] { return virtualMs_; }) {}

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::queue(Event event) {
    std::lock_guard<std::mutex> hold(queueMutex_);
    events_.push_back(std::move(event));
}

void HeadlessPlatform::queueKeyDown(uint16_t vk) {
    queue([this, vk](EventSink& sink) {
        bool repeat = vk < keysHeld_.size() && keysHeld_[vk];
        if (vk < keysHeld_.size()) keysHeld_[vk] = true;
        sink.onKeyDown(vk, repeat);
    });
}

void HeadlessPlatform::queueKeyUp(uint16_t vk) {
    queue([this, vk](EventSink& sink) {
        if (vk < keysHeld_.size()) keysHeld_[vk] = false;
        sink.onKeyUp(vk);
    });
}

void HeadlessPlatform::queueChar(char32_t c) {
    queue([c](EventSink& sink) { sink.onChar(c); });
}

void HeadlessPlatform::queueMouseMove(Point p) {
    queue([this, p](EventSink&) { pointer_ = p; });
}

void HeadlessPlatform::queueMouseDown(MouseButton b) {
    queue([this, b](EventSink& sink) { clicks_.press(sink, b, pointer_); });
}

void HeadlessPlatform::queueMouseUp(MouseButton b) {
    queue([this, b](EventSink& sink) { clicks_.release(sink, b, pointer_); });
}

void HeadlessPlatform::queueClose() {
    queue([](EventSink& sink) { sink.onCloseRequest(); });
}

void HeadlessPlatform::queueActivate(bool active) {
    queue([this, active](EventSink& sink) {
        active_ = active;
        // Keys let go behind another window never come up here: none stays held.
        if (!active) {
            for (uint16_t vk = 0; vk < keysHeld_.size(); ++vk) {
                if (!keysHeld_[vk]) continue;
                keysHeld_[vk] = false;
                sink.onKeyUp(vk);
            }
        }
        sink.onActivate(active);
    });
}

void HeadlessPlatform::post(std::function<void()> task) {
    queue([task = std::move(task)](EventSink&) { task(); });
}

void HeadlessPlatform::pump(EventSink& sink, const std::function<bool()>& done) {
    while (!quitRequested_) {
        runPass(sink);
        if (done()) return;
    }
}

void HeadlessPlatform::run(EventSink& sink) {
    pump(sink, [] { return false; });
}

void HeadlessPlatform::runPass(EventSink& sink) {
    // Only what was pending when the pass began: events queued by the handlers
    // (or while one of them slept) wait for the next pass, behind these.
    std::deque<Event> pending;
    {
        std::lock_guard<std::mutex> hold(queueMutex_);
        pending.swap(events_);
    }
    const bool hadEvents = !pending.empty();
    while (!pending.empty() && !quitRequested_) {
        Event event = std::move(pending.front());
        pending.pop_front();
        event(sink);
    }
    if (!pending.empty()) {
        // Quit came in the middle: keep the rest in order for whoever looks.
        std::lock_guard<std::mutex> hold(queueMutex_);
        events_.insert(events_.begin(), std::make_move_iterator(pending.begin()),
                       std::make_move_iterator(pending.end()));
    }
    if (quitRequested_) return;

    const bool timerFired = timers_.fireDue();
    if (hadEvents || timerFired || quitRequested_) return;

    presentedThisPass_ = false;
    sink.onIdle();
    if (!presentedThisPass_) advanceClock(1);
}

void HeadlessPlatform::quit() { quitRequested_ = true; }

bool HeadlessPlatform::quitRequested() const { return quitRequested_; }

std::unique_ptr<IntervalTimer> HeadlessPlatform::createTimer() { return timers_.create(); }

uint64_t HeadlessPlatform::virtualMs() const { return virtualMs_; }

uint32_t HeadlessPlatform::ticks() { return static_cast<uint32_t>(startTimeOfDayMs_ + virtualMs_); }

uint32_t HeadlessPlatform::timeOfDayMs() { return static_cast<uint32_t>((startTimeOfDayMs_ + virtualMs_) % kMsPerDay); }

void HeadlessPlatform::sleep(uint32_t ms) { advanceClock(ms); }

void HeadlessPlatform::present(const uint16_t* pixels) {
    lastFrame_.assign(pixels, pixels + static_cast<size_t>(kDisplayWidth) * kDisplayHeight);
    ++framesPresented_;
    presentedThisPass_ = true;
    advanceClock(nextFrameStart(virtualMs_, 1000) - virtualMs_);
}

const std::vector<uint16_t>& HeadlessPlatform::lastFrame() const { return lastFrame_; }

bool HeadlessPlatform::hasFrame() const { return !lastFrame_.empty(); }

bool HeadlessPlatform::keyHeld(uint16_t virtualKey) { return virtualKey < keysHeld_.size() && keysHeld_[virtualKey]; }

void HeadlessPlatform::messageBox(const std::string& caption, const std::string& text, MessageBoxKind) {
    logMessageBox(caption, text);
}

std::unique_ptr<AudioDevice> HeadlessPlatform::openAudio(const AudioFormat& format, AudioCallback callback) {
    if (format.rate <= 0 || format.channels <= 0) return nullptr;
    auto device = std::make_unique<NullAudioDevice>(*this, format, std::move(callback));
    devices_.push_back(device.get());
    return device;
}

void HeadlessPlatform::forgetDevice(NullAudioDevice* device) {
    devices_.erase(std::remove(devices_.begin(), devices_.end(), device), devices_.end());
}

void HeadlessPlatform::addClockListener(std::function<void(uint32_t elapsedMs)> listener) {
    clockListeners_.push_back(std::move(listener));
}

void HeadlessPlatform::advanceClock(uint64_t ms) {
    if (ms == 0) return;
    virtualMs_ += ms;
    // A device's callback may close another device: walk a copy.
    std::vector<NullAudioDevice*> devices = devices_;
    for (NullAudioDevice* device : devices) {
        if (std::find(devices_.begin(), devices_.end(), device) != devices_.end()) {
            device->pullUpTo(virtualMs_);
        }
    }
    std::vector<std::function<void(uint32_t)>> listeners = clockListeners_;
    for (const auto& listener : listeners) listener(static_cast<uint32_t>(ms));
}

}  // namespace ik
