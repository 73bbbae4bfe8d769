// The one narrow interface between the game and the machine it runs on.
// Game code (app/, screens/, episodes/, assets/, display/, audio/) reaches the
// clock, the window, input devices, message boxes and audio devices only
// through this header; the SDL2 window backend and the headless backend
// implement it, so the same rules run in the window and in the tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ik {

constexpr int kDisplayWidth = 800;
constexpr int kDisplayHeight = 600;

struct Point {
    int x = 0;
    int y = 0;
};

enum class MouseButton { Left, Right, Middle };

enum class MessageBoxKind { Plain, Information, Warning, Error };

// What the game handles. All of these run on the one user-interface thread,
// one at a time, from inside Platform::run().
class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void onKeyDown(uint16_t virtualKey, bool repeat) = 0;
    virtual void onKeyUp(uint16_t virtualKey) = 0;
    virtual void onChar(char32_t character) = 0;  // Unicode code point typed
    virtual void onMouseDown(MouseButton button, Point at) = 0;
    virtual void onMouseUp(MouseButton button, Point at) = 0;
    virtual void onClick() = 0;  // a press and release of a button on the display
    virtual void onActivate(bool active) = 0;
    virtual void onCloseRequest() = 0;  // window closed by the user / the script's quit
    // SIGTERM or SIGINT: the program is asked to end from outside.
    virtual void onTerminate() { onCloseRequest(); }
    // Called on every pass of the loop that found no pending event.
    virtual void onIdle() = 0;
    // The window's renderer lost its textures: the display restores its surfaces.
    virtual void onDisplayReset() {}
    // The display went away (the X server ended): the program is about to end.
    virtual void onDisplayLost() {}
};

// An interval timer of the event loop. A due timer fires once per pass even
// when several periods were missed (missed ticks do not pile up). Enabling a
// timer, or changing its interval while enabled, starts a fresh period.
class IntervalTimer {
public:
    virtual ~IntervalTimer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    virtual void setInterval(uint32_t ms) = 0;
    virtual uint32_t interval() const = 0;
    virtual void setHandler(std::function<void()> onTimer) = 0;
};

// 16-bit signed stereo at a fixed rate; the callback fills interleaved frames.
// It runs on the audio thread of the window backend, and on the loop thread
// (pulled by the virtual clock) in headless mode.
struct AudioFormat {
    int rate = 44100;
    int channels = 2;
    int bufferFrames = 512;
};
using AudioCallback = std::function<void(int16_t* frames, int frameCount)>;

class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    virtual void pause(bool paused) = 0;
    virtual void lock() = 0;  // excludes the callback while held
    virtual void unlock() = 0;
    // False once the device has gone away (unplugged); the owner treats its
    // buffers as lost and reopens later.
    virtual bool alive() const = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Runs the event loop until quit() is called. Each pass drains pending
    // events to the sink, fires each due timer once, and calls onIdle when no
    // event was pending.
    virtual void run(EventSink& sink) = 0;
    virtual void quit() = 0;
    // Thread-safe: runs `task` on the loop thread at the next pass.
    virtual void post(std::function<void()> task) = 0;

    virtual std::unique_ptr<IntervalTimer> createTimer() = 0;

    // Monotonic millisecond counter that wraps at 2^32.
    virtual uint32_t ticks() = 0;
    // Milliseconds since local midnight (the random seed's source).
    virtual uint32_t timeOfDayMs() = 0;
    // Blocks the loop thread (virtual time advances in headless mode).
    virtual void sleep(uint32_t ms) = 0;

    // Presents an 800 x 600 RGB565 frame (row-major, pitch 800 pixels).
    virtual void present(const uint16_t* pixels) = 0;
    virtual bool active() const = 0;

    // Pointer in display coordinates.
    virtual Point pointer() = 0;
    virtual void warpPointer(Point to) = 0;
    virtual void showSystemPointer(bool shown) = 0;
    // Keeps the pointer inside the window (true) or lets it leave (false).
    virtual void confinePointer(bool confined) = 0;
    // The window's icon, `width` x `height` pixels 0x00BBGGRR, top row first;
    // a backend without a window has nothing to put it on.
    virtual void setWindowIcon(int /*width*/, int /*height*/, const std::vector<uint32_t>& /*pixels*/) {}

    // Keyboard state by Windows virtual-key code (1..255).
    virtual bool keyHeld(uint16_t virtualKey) = 0;

    // Modal box; returns when answered. Also printed to stderr.
    virtual void messageBox(const std::string& caption, const std::string& text, MessageBoxKind kind) = 0;

    // Returns null when no device can be opened: the game is then silent.
    // The device starts paused; pause(false) starts the callback.
    virtual std::unique_ptr<AudioDevice> openAudio(const AudioFormat& format, AudioCallback callback) = 0;
    // True in the headless backend: no real devices, virtual clock.
    virtual bool headless() const = 0;
    // Headless only: called with the number of virtual milliseconds that just
    // passed, after the clock advanced, so that sinks can pull audio.
    virtual void addClockListener(std::function<void(uint32_t elapsedMs)> listener) = 0;
};

}  // namespace ik
