#include "platform/SdlPlatform.h"

#include <SDL.h>

#include <algorithm>
#include <ctime>
#include <optional>

#include "platform/DisplayDriver.h"
#include "platform/MessageLog.h"
#include "platform/PlatformError.h"
#include "platform/SdlAudio.h"
#include "platform/SdlKeys.h"

namespace ik {

namespace {

constexpr uint32_t kWindowModeFlags = SDL_WINDOW_FULLSCREEN_DESKTOP;

bool isAltEnter(const SDL_Keysym& key) {
    return (key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER) &&
           (key.mod & KMOD_ALT) != 0;
}

std::optional<MouseButton> buttonOf(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return MouseButton::Left;
        case SDL_BUTTON_RIGHT: return MouseButton::Right;
        case SDL_BUTTON_MIDDLE: return MouseButton::Middle;
        default: return std::nullopt;
    }
}

Uint32 messageBoxFlags(MessageBoxKind kind) {
    switch (kind) {
        case MessageBoxKind::Error: return SDL_MESSAGEBOX_ERROR;
        case MessageBoxKind::Warning: return SDL_MESSAGEBOX_WARNING;
        case MessageBoxKind::Information:
        case MessageBoxKind::Plain: break;
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
    switch (chooseVideoDriver(currentDisplayEnvironment())) {
        case VideoChoice::NoDisplay: throw PlatformError(noDisplayMessage(nullptr));
        case VideoChoice::AskForX11: SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11"); break;
        case VideoChoice::LetSdlChoose: break;
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
    windowScale_ = options.scale > 0 ? options.scale : defaultWindowScale(desktop.w, desktop.h);

    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | (fullScreen_ ? kWindowModeFlags : 0);
    window_.reset(SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   kDisplayWidth * windowScale_, kDisplayHeight * windowScale_, flags));
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
    layOut();
}

SdlPlatform::~SdlPlatform() = default;

void SdlPlatform::createTexture() {
    texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                     kDisplayWidth, kDisplayHeight));
    if (!texture_) throw PlatformError(std::string("cannot draw in the game window: ") + SDL_GetError());
}

// Recomputes where the picture goes after any change of the window's size or
// mode, and whether flips need our own 60 Hz pacing on the display it is on.
void SdlPlatform::layOut() {
    SDL_GetWindowSize(window_.get(), &windowWidth_, &windowHeight_);
    SDL_GetRendererOutputSize(renderer_.get(), &outputWidth_, &outputHeight_);
    viewport_ = fitViewport(outputWidth_, outputHeight_, options_.integerScale);
    bool wholeFactor = viewport_.width % kDisplayWidth == 0 && viewport_.height % kDisplayHeight == 0;
    SDL_SetTextureScaleMode(texture_.get(), wholeFactor ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);

    int refreshHz = options_.refreshHz;
    SDL_DisplayMode mode{};
    if (refreshHz <= 0 && SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window_.get()), &mode) == 0) {
        refreshHz = mode.refresh_rate;
    }
    bool pace = !vsync_ || needsPacing(refreshHz);
    if (pace != pacer_.enabled()) pacer_ = FramePacer(pace);
}

void SdlPlatform::toggleFullScreen() {
    fullScreen_ = !fullScreen_;
    if (fullScreen_) {
        SDL_SetWindowFullscreen(window_.get(), kWindowModeFlags);
    } else {
        SDL_SetWindowFullscreen(window_.get(), 0);
        SDL_SetWindowSize(window_.get(), kDisplayWidth * windowScale_, kDisplayHeight * windowScale_);
        SDL_SetWindowPosition(window_.get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    layOut();
}

Point SdlPlatform::windowToDisplay(int x, int y) const {
    int64_t outputX = int64_t{x} * outputWidth_ / std::max(windowWidth_, 1);
    int64_t outputY = int64_t{y} * outputHeight_ / std::max(windowHeight_, 1);
    return outputToDisplay(viewport_, {static_cast<int>(outputX), static_cast<int>(outputY)});
}

void SdlPlatform::warpPointer(Point to) {
    Point output = displayToOutput(viewport_, to);
    int x = static_cast<int>(int64_t{output.x} * windowWidth_ / std::max(outputWidth_, 1));
    int y = static_cast<int>(int64_t{output.y} * windowHeight_ / std::max(outputHeight_, 1));
    SDL_WarpMouseInWindow(window_.get(), x, y);
    pointer_ = to;
}

void SdlPlatform::showSystemPointer(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

void SdlPlatform::run(EventSink& sink) {
    while (!quitRequested_) {
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
}

void SdlPlatform::handle(const SDL_Event& event, EventSink& sink) {
    switch (event.type) {
        case SDL_QUIT:
            sink.onCloseRequest();
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    active_ = true;
                    sink.onActivate(true);
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    active_ = false;
                    sink.onActivate(false);
                    break;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                case SDL_WINDOWEVENT_DISPLAY_CHANGED:
                    layOut();
                    break;
                default:
                    break;
            }
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
            pointer_ = windowToDisplay(event.motion.x, event.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (auto button = buttonOf(event.button.button)) {
                pointer_ = windowToDisplay(event.button.x, event.button.y);
                if (event.type == SDL_MOUSEBUTTONDOWN) {
                    clicks_.press(sink, *button, pointer_);
                } else {
                    clicks_.release(sink, *button, pointer_);
                }
            }
            break;
        case SDL_RENDER_DEVICE_RESET:
            createTexture();
            layOut();
            sink.onDisplayReset();
            break;
        case SDL_RENDER_TARGETS_RESET:
            sink.onDisplayReset();
            break;
        default:
            if (event.type == postEventType_) runNextPostedTask();
            break;
    }
}

void SdlPlatform::handleKeyDown(const SDL_Event& event, EventSink& sink) {
    const SDL_Keysym& key = event.key.keysym;
    if (isAltEnter(key)) {
        if (event.key.repeat == 0) toggleFullScreen();
        return;
    }
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

uint32_t SdlPlatform::timeOfDayMs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return static_cast<uint32_t>(((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 +
                                 now.tv_nsec / 1'000'000);
}

void SdlPlatform::sleep(uint32_t ms) { SDL_Delay(ms); }

uint64_t SdlPlatform::microseconds() const {
    const uint64_t counter = SDL_GetPerformanceCounter();
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    return counter / frequency * 1'000'000 + counter % frequency * 1'000'000 / frequency;
}

void SdlPlatform::present(const uint16_t* pixels) {
    presentedThisPass_ = true;
    SDL_UpdateTexture(texture_.get(), nullptr, pixels, kDisplayWidth * static_cast<int>(sizeof(uint16_t)));
    SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
    SDL_RenderClear(renderer_.get());
    SDL_Rect target{viewport_.x, viewport_.y, viewport_.width, viewport_.height};
    SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, &target);
    if (uint64_t wait = pacer_.waitBeforeFlip(microseconds())) {
        // Sleep the bulk, then spin the last millisecond for an even beat.
        uint64_t until = microseconds() + wait;
        if (wait > 1500) SDL_Delay(static_cast<Uint32>((wait - 1000) / 1000));
        while (microseconds() < until) {
        }
    }
    SDL_RenderPresent(renderer_.get());
}

void SdlPlatform::messageBox(const std::string& caption, const std::string& text, MessageBoxKind kind) {
    logMessageBox(caption, text);
    SDL_ShowSimpleMessageBox(messageBoxFlags(kind), caption.c_str(), text.c_str(), window_.get());
}

std::unique_ptr<AudioDevice> SdlPlatform::openAudio(const AudioFormat& format, AudioCallback callback) {
    return openSdlAudio(format, std::move(callback));
}

}  // namespace ik
