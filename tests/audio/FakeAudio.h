// A platform with nothing but a clock and a pull-driven audio device, so that
// tests decide exactly when the device asks for frames, when it goes away and
// whether one can be opened at all.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace ik::test {

class FakeAudioDevice : public AudioDevice {
public:
    FakeAudioDevice(AudioCallback callback, FakeAudioDevice** handle)
        : callback_(std::move(callback)), handle_(handle) {
        if (handle_) *handle_ = this;
    }
    ~FakeAudioDevice() override {
        if (handle_ && *handle_ == this) *handle_ = nullptr;
    }
    FakeAudioDevice(const FakeAudioDevice&) = delete;
    FakeAudioDevice& operator=(const FakeAudioDevice&) = delete;
    void pause(bool paused) override { paused_ = paused; }
    void lock() override {
        ++lockDepth_;
        ++locks_;
    }
    void unlock() override { --lockDepth_; }
    bool alive() const override { return alive_; }

    // What the device would play next; a paused device plays silence.
    std::vector<int16_t> pull(int frameCount) {
        std::vector<int16_t> out(static_cast<size_t>(frameCount) * 2, 0);
        if (!paused_ && alive_) {
            ++lockDepth_;  // the audio thread holds the lock during the callback
            callback_(out.data(), frameCount);
            --lockDepth_;
        }
        return out;
    }

    bool alive_ = true;
    bool paused_ = true;
    int lockDepth_ = 0;
    int locks_ = 0;

private:
    AudioCallback callback_;
    FakeAudioDevice** handle_;
};

class FakePlatform : public Platform {
public:
    void run(EventSink&) override {}
    void quit() override {}
    void post(std::function<void()> task) override { task(); }
    std::unique_ptr<IntervalTimer> createTimer() override { return nullptr; }
    uint32_t ticks() override { return now; }
    uint32_t timeOfDayMs() override { return now; }
    // Sleeping lets the device play what falls in that time.
    void sleep(uint32_t ms) override {
        now += ms;
        if (device) device->pull(static_cast<int>(ms) * 441 / 10);
    }
    void present(const uint16_t*) override {}
    bool active() const override { return true; }
    Point pointer() override { return {}; }
    void warpPointer(Point) override {}
    void showSystemPointer(bool) override {}
    void confinePointer(bool) override {}
    bool keyHeld(uint16_t) override { return false; }
    void messageBox(const std::string&, const std::string&, MessageBoxKind) override {}
    std::unique_ptr<AudioDevice> openAudio(const AudioFormat& format, AudioCallback callback) override {
        ++opened;
        lastFormat = format;
        if (!deviceAvailable) return nullptr;
        return std::make_unique<FakeAudioDevice>(std::move(callback), &device);
    }
    bool headless() const override { return true; }
    void addClockListener(std::function<void(uint32_t)>) override {}

    // The device the sound output holds now; null once it was closed.
    FakeAudioDevice* device = nullptr;
    bool deviceAvailable = true;
    int opened = 0;
    AudioFormat lastFormat;
    uint32_t now = 0;
};

}  // namespace ik::test
