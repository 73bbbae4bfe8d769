#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>
#include <thread>

#include "platform/LocalTime.h"
#include "platform/MessageLog.h"
#include "platform/PlatformError.h"
#include "platform/sdl/DisplayDriver.h"
#include "platform/sdl/NativeWindow.h"
#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlKeys.h"

namespace ik {

namespace {

constexpr uint32_t kWindowModeFlags = SDL_WINDOW_FULLSCREEN_DESKTOP;

bool isAltEnter(const SDL_Keysym& key) {
    return (key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER) && (key.mod & KMOD_ALT) != 0;
}

std::optional<MouseButton> buttonOf(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return MouseButton::Left;
        case SDL_BUTTON_RIGHT:
            return MouseButton::Right;
        case SDL_BUTTON_MIDDLE:
            return MouseButton::Middle;
        default:
            return std::nullopt;
    }
}

Uint32 messageBoxFlags(MessageBoxKind kind) {
    switch (kind) {
        case MessageBoxKind::Error:
            return SDL_MESSAGEBOX_ERROR;
        case MessageBoxKind::Warning:
            return SDL_MESSAGEBOX_WARNING;
        case MessageBoxKind::Information:
        case MessageBoxKind::Plain:
            break;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

// Decodes UTF-8 text input into code points; a broken sequence is skipped.
std::vector<char32_t> codePoints(const char* text) {
    std::vector<char32_t> result;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    while (*bytes != 0) {
        unsigned char lead = *bytes++;
        int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
        if (extra < 0) continue;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        bool complete = true;
        for (int i = 0; i < extra; ++i) {
            if ((*bytes & 0xC0) != 0x80) {
                complete = false;
                break;
            }
            c = (c << 6) | (*bytes++ & 0x3F);
        }
        if (complete) result.push_back(c);
    }
    return result;
}

}  // namespace

SdlPlatform::VideoSubsystem::VideoSubsystem(bool allowInvisible) {
    // Our own handlers end the program even while a message box is up.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    switch (systemVideoChoice()) {
        case VideoChoice::NoDisplay:
            throw PlatformError(noDisplayMessage(nullptr));
        case VideoChoice::AskForX11:
            SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
            break;
        case VideoChoice::LetSdlChoose:
            break;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        throw PlatformError(noDisplayMessage(nullptr) + ": " + SDL_GetError());
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!showsPicture(driver) && !(allowInvisible && driver != nullptr)) {
        std::string message = noDisplayMessage(driver);
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        throw PlatformError(message);
    }
}

SdlPlatform::VideoSubsystem::~VideoSubsystem() { SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS); }

void SdlPlatform::Destroy::operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
void SdlPlatform::Destroy::operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
void SdlPlatform::Destroy::operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }

SdlPlatform::SdlPlatform(const SdlOptions& options, const std::string& title)
    : video_(options.allowInvisible),
      options_(options),
      fullScreen_(!options.windowed),
      timers_([] { return SDL_GetTicks64(); }),
      virtualKeyOfHeldScancode_(SDL_NUM_SCANCODES, 0) {
    SDL_Rect desktop{0, 0, kDisplayWidth, kDisplayHeight};
    SDL_GetDisplayUsableBounds(0, &desktop);
    const ScaleChoice scale = chooseWindowScale(options.scale, desktop.w, desktop.h);
    if (scale.reduced) {
        std::fprintf(stderr, "ironkeel: --scale %d does not fit the desktop (%dx%d), using %d\n", options.scale,
                     desktop.w, desktop.h, scale.scale);
    }
    windowScale_ = scale.scale;

    const int width = kDisplayWidth * windowScale_;
    const int height = kDisplayHeight * windowScale_;
    const Point at = placeWindow({desktop.x, desktop.y, desktop.w, desktop.h}, width, height, {});
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | (fullScreen_ ? kWindowModeFlags : 0);
    window_.reset(SDL_CreateWindow(title.c_str(), at.x, at.y, width, height, flags));
    if (!window_) throw PlatformError(std::string("cannot open the game window: ") + SDL_GetError());

    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC));
    if (!renderer_) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
    if (!renderer_) throw PlatformError(std::string("cannot draw in the game window: ") + SDL_GetError());
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer_.get(), &info);
    vsync_ = (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;

    createTexture();
    SDL_ShowCursor(SDL_DISABLE);
    SDL_StartTextInput();
    postEventType_ = SDL_RegisterEvents(1);
    fullScreenSettled_ = !fullScreen_;
    followWindowSize();
    choosePacing();
    if (!fullScreen_) placeWindowed();
    onDisplayConnectionLost([this] {
        if (sink_ != nullptr) sink_->onDisplayLost();
    });
    signals_ = std::make_unique<TerminationSignals>([this] {
        terminateRequested_ = true;
        // A box runs in a helper process of SDL's: ending it lets the box
        // call return, and the loop then ends the game.
        while (messageBoxUp_) {
            endMessageBoxes();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
}

SdlPlatform::~SdlPlatform() = default;

void SdlPlatform::createTexture() {
    texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                     kDisplayWidth, kDisplayHeight));
    if (!texture_) throw PlatformError(std::string("cannot draw in the game window: ") + SDL_GetError());
}

// Where the picture goes follows the size the window has now, read at every
// present: a window manager may refuse or delay a size, and the desktop's
// mode says nothing about the window.
void SdlPlatform::followWindowSize() {
    if (fullScreen_ && !fullScreenSettled_) takeScreenIfRefused();
    int windowWidth = 0, windowHeight = 0, outputWidth = 0, outputHeight = 0;
    SDL_GetWindowSize(window_.get(), &windowWidth, &windowHeight);
    SDL_GetRendererOutputSize(renderer_.get(), &outputWidth, &outputHeight);
    const WindowLayout layout =
        layOutWindow(windowWidth, windowHeight, outputWidth, outputHeight, options_.integerScale);
    if (layout == layout_) return;
    layout_ = layout;
    const Viewport& viewport = layout_.viewport;
    bool wholeFactor = viewport.width % kDisplayWidth == 0 && viewport.height % kDisplayHeight == 0;
    SDL_SetTextureScaleMode(texture_.get(), wholeFactor ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
}

// Without a window manager (or with one that ignores the request) a
// full-screen window keeps its old size while SDL reports the desktop's:
// the window then takes the screen itself, as a window manager would.
void SdlPlatform::takeScreenIfRefused() {
    const auto real = nativeWindowSize(window_.get());
    int width = 0, height = 0;
    SDL_GetWindowSize(window_.get(), &width, &height);
    if (!real || *real == WindowSize{width, height}) {
        fullScreenSettled_ = true;
        return;
    }
    SDL_Rect bounds{};
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window_.get()), &bounds) != 0) return;
    setNativeGeometry(window_.get(), bounds.x, bounds.y, bounds.w, bounds.h);
    // Asked once per switch: a window manager that refuses this too is not argued with.
    fullScreenSettled_ = true;
}

// Whether flips need our own 60 Hz pacing on the display the window is on.
void SdlPlatform::choosePacing() {
    int refreshHz = options_.refreshHz;
    SDL_DisplayMode mode{};
    if (refreshHz <= 0 && SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window_.get()), &mode) == 0) {
        refreshHz = mode.refresh_rate;
    }
    bool pace = !vsync_ || needsPacing(refreshHz);
    if (pace != pacer_.enabled()) pacer_ = FramePacer(pace);
}

// A window of the chosen size, fully on the usable part of its display.
void SdlPlatform::placeWindowed() {
    const int width = kDisplayWidth * windowScale_;
    const int height = kDisplayHeight * windowScale_;
    SDL_SetWindowSize(window_.get(), width, height);
    SDL_Rect usable{0, 0, width, height};
    SDL_GetDisplayUsableBounds(std::max(0, SDL_GetWindowDisplayIndex(window_.get())), &usable);
    int top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowBordersSize(window_.get(), &top, &left, &bottom, &right);
    const Point at =
        placeWindow({usable.x, usable.y, usable.w, usable.h}, width, height, {left, top, left + right, top + bottom});
    SDL_SetWindowPosition(window_.get(), at.x, at.y);
}

void SdlPlatform::toggleFullScreen() {
    // The real pointer stays over the same spot of the picture, where the
    // drawn one is; SDL would put it back where it was in the old window.
    refreshPointer();
    const Point spot = pointer_;
    fullScreen_ = !fullScreen_;
    if (fullScreen_) {
        fullScreenSettled_ = false;
        SDL_SetWindowFullscreen(window_.get(), kWindowModeFlags);
    } else {
        SDL_SetWindowFullscreen(window_.get(), 0);
        placeWindowed();
        // The window manager may have given the focus elsewhere meanwhile.
        SDL_RaiseWindow(window_.get());
        SDL_SetWindowInputFocus(window_.get());
    }
    followWindowSize();
    choosePacing();
    warpPointer(spot);
    draw();
}

// The drawn pointer stays where the real one is when the picture moves under
// it (a new size or place of the window) without the mouse moving.
void SdlPlatform::refreshPointer() {
    int globalX = 0, globalY = 0, windowX = 0, windowY = 0;
    SDL_GetGlobalMouseState(&globalX, &globalY);
    SDL_GetWindowPosition(window_.get(), &windowX, &windowY);
    pointer_ = windowToDisplay(layout_, {globalX - windowX, globalY - windowY});
}

void SdlPlatform::warpPointer(Point to) {
    const Point window = displayToWindow(layout_, to);
    SDL_WarpMouseInWindow(window_.get(), window.x, window.y);
    pointer_ = to;
}

void SdlPlatform::confinePointer(bool confined) {
    SDL_SetWindowMouseGrab(window_.get(), confined ? SDL_TRUE : SDL_FALSE);
}

void SdlPlatform::setWindowIcon(int width, int height, const std::vector<uint32_t>& pixels) {
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) return;
    std::vector<uint32_t> rgba(pixels.size());
    // 0xAABBGGRR, opaque, is SDL's packed ABGR8888.
    std::transform(pixels.begin(), pixels.end(), rgba.begin(), [](uint32_t p) { return p | 0xFF000000u; });
    SDL_Surface* icon =
        SDL_CreateRGBSurfaceWithFormatFrom(rgba.data(), width, height, 32, width * 4, SDL_PIXELFORMAT_ABGR8888);
    if (icon == nullptr) return;
    SDL_SetWindowIcon(window_.get(), icon);
    SDL_FreeSurface(icon);
}

void SdlPlatform::showSystemPointer(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

void SdlPlatform::run(EventSink& sink) {
    sink_ = &sink;
    while (!quitRequested_) {
        if (terminateRequested_ && !terminationDelivered_) {
            terminationDelivered_ = true;
            sink.onTerminate();
            continue;
        }
        bool hadEvents = false;
        SDL_Event event;
        while (!quitRequested_ && SDL_PollEvent(&event) != 0) {
            hadEvents = true;
            handle(event, sink);
        }
        if (quitRequested_) break;
        const bool timerFired = timers_.fireDue();
        if (hadEvents || timerFired || quitRequested_) continue;
        presentedThisPass_ = false;
        sink.onIdle();
        // Nothing to draw yet: let a millisecond pass (or an event arrive)
        // rather than spin.
        if (!presentedThisPass_ && !quitRequested_) SDL_WaitEventTimeout(nullptr, 1);
    }
    sink_ = nullptr;
}

void SdlPlatform::handle(const SDL_Event& event, EventSink& sink) {
    switch (event.type) {
        case SDL_QUIT:
            sink.onCloseRequest();
            break;
        case SDL_WINDOWEVENT:
            handleWindowEvent(event, sink);
            break;
        case SDL_KEYDOWN:
            handleKeyDown(event, sink);
            break;
        case SDL_KEYUP:
            handleKeyUp(event, sink);
            break;
        case SDL_TEXTINPUT:
            for (char32_t c : codePoints(event.text.text)) sink.onChar(c);
            break;
        case SDL_MOUSEMOTION:
            pointer_ = windowToDisplay(layout_, {event.motion.x, event.motion.y});
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (auto button = buttonOf(event.button.button)) {
                pointer_ = windowToDisplay(layout_, {event.button.x, event.button.y});
                if (event.type == SDL_MOUSEBUTTONDOWN) {
                    clicks_.press(sink, *button, pointer_);
                } else {
                    clicks_.release(sink, *button, pointer_);
                }
            }
            break;
        case SDL_RENDER_DEVICE_RESET:
            createTexture();
            layout_ = {};
            followWindowSize();
            sink.onDisplayReset();
            draw();
            break;
        case SDL_RENDER_TARGETS_RESET:
            sink.onDisplayReset();
            draw();
            break;
        default:
            if (event.type == postEventType_) runNextPostedTask();
            break;
    }
}

void SdlPlatform::handleWindowEvent(const SDL_Event& event, EventSink& sink) {
    switch (event.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            active_ = true;
            sink.onActivate(true);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            active_ = false;
            releaseHeldKeys(sink);
            sink.onActivate(false);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MOVED:
            followWindowSize();
            refreshPointer();
            draw();
            break;
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
            followWindowSize();
            choosePacing();
            draw();
            break;
        // A frozen frame (a pause, a game-over panel) is never drawn again by
        // the game: whatever uncovered or restored the window shows it again.
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
            draw();
            break;
        default:
            break;
    }
}

// Keys let go while another window had the focus never come up here: none
// may stay held when the focus returns.
void SdlPlatform::releaseHeldKeys(EventSink& sink) {
    for (size_t scancode = 0; scancode < virtualKeyOfHeldScancode_.size(); ++scancode) {
        const uint16_t virtualKey = virtualKeyOfHeldScancode_[scancode];
        if (virtualKey == 0) continue;
        virtualKeyOfHeldScancode_[scancode] = 0;
        --holdersOfVirtualKey_[virtualKey];
        sink.onKeyUp(virtualKey);
    }
    altEnterScancode_ = 0;
}

void SdlPlatform::handleKeyDown(const SDL_Event& event, EventSink& sink) {
    const SDL_Keysym& key = event.key.keysym;
    if (isAltEnter(key)) {
        if (event.key.repeat == 0) toggleFullScreen();
        altEnterScancode_ = key.scancode;
        return;
    }
    // Its Return repeats on after Alt is let go: still not the game's Enter.
    if (key.scancode == altEnterScancode_) return;
    uint16_t virtualKey = virtualKeyFor(key.scancode, key.sym);
    if (virtualKey == 0) return;
    if (virtualKeyOfHeldScancode_[key.scancode] == 0) {
        virtualKeyOfHeldScancode_[key.scancode] = virtualKey;
        ++holdersOfVirtualKey_[virtualKey];
    }
    sink.onKeyDown(virtualKey, event.key.repeat != 0);
    if (char32_t c = controlCharacterFor(virtualKey)) sink.onChar(c);
}

void SdlPlatform::handleKeyUp(const SDL_Event& event, EventSink& sink) {
    // Keys the game never saw go down (the Return of Alt+Enter) do not come up.
    const SDL_Keysym& key = event.key.keysym;
    if (key.scancode == altEnterScancode_) altEnterScancode_ = 0;
    uint16_t virtualKey = virtualKeyOfHeldScancode_[key.scancode];
    if (virtualKey == 0) return;
    virtualKeyOfHeldScancode_[key.scancode] = 0;
    --holdersOfVirtualKey_[virtualKey];
    sink.onKeyUp(virtualKey);
}

bool SdlPlatform::keyHeld(uint16_t virtualKey) {
    return virtualKey < holdersOfVirtualKey_.size() && holdersOfVirtualKey_[virtualKey] > 0;
}

void SdlPlatform::post(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> hold(postedMutex_);
        posted_.push_back(std::move(task));
    }
    SDL_Event wake{};
    wake.type = postEventType_;
    SDL_PushEvent(&wake);
}

// Each post pushed one wake-up event, so the tasks run one per event, in
// order with the input that arrived around them.
void SdlPlatform::runNextPostedTask() {
    std::function<void()> task;
    {
        std::lock_guard<std::mutex> hold(postedMutex_);
        if (posted_.empty()) return;
        task = std::move(posted_.front());
        posted_.pop_front();
    }
    task();
}

uint32_t SdlPlatform::ticks() { return static_cast<uint32_t>(SDL_GetTicks64()); }

uint32_t SdlPlatform::timeOfDayMs() { return localTimeOfDayMs(); }

void SdlPlatform::sleep(uint32_t ms) { SDL_Delay(ms); }

uint64_t SdlPlatform::microseconds() const {
    const uint64_t counter = SDL_GetPerformanceCounter();
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    return counter / frequency * 1'000'000 + counter % frequency * 1'000'000 / frequency;
}

void SdlPlatform::present(const uint16_t* pixels) {
    presentedThisPass_ = true;
    lastFrame_.assign(pixels, pixels + kDisplayWidth * kDisplayHeight);
    followWindowSize();
    if (uint64_t wait = pacer_.waitBeforeFlip(microseconds())) {
        // Sleep the bulk, then spin the last millisecond for an even beat.
        uint64_t until = microseconds() + wait;
        if (wait > 1500) SDL_Delay(static_cast<Uint32>((wait - 1000) / 1000));
        while (microseconds() < until) {
        }
    }
    draw();
}

// Shows the last presented frame where the window now puts it; black before
// the first frame.
void SdlPlatform::draw() {
    if (!lastFrame_.empty()) {
        SDL_UpdateTexture(texture_.get(), nullptr, lastFrame_.data(),
                          kDisplayWidth * static_cast<int>(sizeof(uint16_t)));
    }
    SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
    SDL_RenderClear(renderer_.get());
    if (!lastFrame_.empty()) {
        const Viewport& viewport = layout_.viewport;
        SDL_Rect target{viewport.x, viewport.y, viewport.width, viewport.height};
        SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, &target);
    }
    SDL_RenderPresent(renderer_.get());
}

void SdlPlatform::messageBox(const std::string& caption, const std::string& text, MessageBoxKind kind) {
    logMessageBox(caption, text);
    // Asked to end: no box may hold the program up any more.
    if (terminateRequested_) return;
    messageBoxUp_ = true;
    SDL_ShowSimpleMessageBox(messageBoxFlags(kind), caption.c_str(), text.c_str(), window_.get());
    messageBoxUp_ = false;
}

std::unique_ptr<AudioDevice> SdlPlatform::openAudio(const AudioFormat& format, AudioCallback callback) {
    return openSdlAudio(format, std::move(callback));
}

}  // namespace ik
