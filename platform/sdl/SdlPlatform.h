// The window backend: SDL2 video, input, message boxes and audio devices.
// Full screen on the desktop's own mode by default, the 800 x 600 picture
// scaled to fit with its aspect kept; Alt+Enter switches to a window and back.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/FramePacer.h"
#include "platform/MouseClicks.h"
#include "platform/Platform.h"
#include "platform/Scaling.h"
#include "platform/TerminationSignals.h"
#include "platform/TimerSet.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace ik {

struct SdlOptions {
    bool windowed = false;        // start in a window instead of full screen
    int scale = 0;                // window size factor; 0: the largest that fits the desktop
    bool integerScale = false;    // whole factors only, even when a fractional fit is larger
    int refreshHz = 0;            // the display's refresh rate; 0: ask the display
    bool allowInvisible = false;  // tests only: accept SDL's offscreen driver
};

class SdlPlatform : public Platform {
public:
    // Throws PlatformError with one line to print when there is no display
    // or no way to draw on it.
    explicit SdlPlatform(const SdlOptions& options, const std::string& title = "Ironkeel - Gubbinz vol.1");
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    void run(EventSink& sink) override;
    void quit() override { quitRequested_ = true; }
    void post(std::function<void()> task) override;
    std::unique_ptr<IntervalTimer> createTimer() override { return timers_.create(); }
    uint32_t ticks() override;
    uint32_t timeOfDayMs() override;
    void sleep(uint32_t ms) override;
    void present(const uint16_t* pixels) override;
    bool active() const override { return active_; }
    Point pointer() override { return pointer_; }
    void warpPointer(Point to) override;
    void showSystemPointer(bool shown) override;
    void confinePointer(bool confined) override;
    void setWindowIcon(int width, int height, const std::vector<uint32_t>& pixels) override;
    bool keyHeld(uint16_t virtualKey) override;
    void messageBox(const std::string& caption, const std::string& text, MessageBoxKind kind) override;
    std::unique_ptr<AudioDevice> openAudio(const AudioFormat& format, AudioCallback callback) override;
    bool headless() const override { return false; }
    // The real clock needs nobody to pull audio: devices run on their own.
    void addClockListener(std::function<void(uint32_t)>) override {}

private:
    struct VideoSubsystem {
        explicit VideoSubsystem(bool allowInvisible);
        ~VideoSubsystem();
    };
    struct Destroy {
        void operator()(SDL_Window* window) const;
        void operator()(SDL_Renderer* renderer) const;
        void operator()(SDL_Texture* texture) const;
    };

    void createTexture();
    void handle(const SDL_Event& event, EventSink& sink);
    void handleWindowEvent(const SDL_Event& event, EventSink& sink);
    void handleKeyDown(const SDL_Event& event, EventSink& sink);
    void handleKeyUp(const SDL_Event& event, EventSink& sink);
    void releaseHeldKeys(EventSink& sink);
    void runNextPostedTask();
    void toggleFullScreen();
    void placeWindowed();
    void followWindowSize();
    void takeScreenIfRefused();
    void choosePacing();
    void refreshPointer();
    void draw();
    uint64_t microseconds() const;

    VideoSubsystem video_;
    const SdlOptions options_;
    int windowScale_ = 1;
    bool fullScreen_ = true;
    std::unique_ptr<SDL_Window, Destroy> window_;
    std::unique_ptr<SDL_Renderer, Destroy> renderer_;
    std::unique_ptr<SDL_Texture, Destroy> texture_;
    WindowLayout layout_;
    bool fullScreenSettled_ = true;    // the window really has the size of its full-screen request
    std::vector<uint16_t> lastFrame_;  // shown again whenever the window needs it
    bool vsync_ = false;
    FramePacer pacer_{true};

    TimerSet timers_;
    MouseClicks clicks_;
    Point pointer_;
    bool active_ = true;
    bool quitRequested_ = false;
    bool presentedThisPass_ = false;
    // The Return of the last Alt+Enter until it comes up: its repeats are not the game's.
    int altEnterScancode_ = 0;

    // Stays set once a signal came: no box may hold up the way out.
    std::atomic<bool> terminateRequested_{false};
    bool terminationDelivered_ = false;
    std::atomic<bool> messageBoxUp_{false};
    EventSink* sink_ = nullptr;  // while run() runs: the display may be lost in any call
    // The virtual key each held key was reported as, and how many keys hold
    // each virtual key (left and right Shift are both Shift).
    std::vector<uint16_t> virtualKeyOfHeldScancode_;
    std::array<int, 256> holdersOfVirtualKey_{};

    uint32_t postEventType_ = 0;
    std::mutex postedMutex_;
    std::deque<std::function<void()>> posted_;

    std::unique_ptr<TerminationSignals> signals_;
};

}  // namespace ik
