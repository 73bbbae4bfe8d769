// The window backend's event handling, driven through SDL's own event queue
// on its offscreen driver: the same path real input takes, without a screen.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/VirtualKeys.h"
#include "platform/sdl/SdlPlatform.h"
#include "tests/support/RecordingSink.h"

namespace ik {
namespace {

using Log = std::vector<std::string>;

class SdlEvents : public testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        // SDL's own software renderer on a plain framebuffer: no GL driver
        // to load (and leak) in tests.
        setenv("SDL_RENDER_DRIVER", "software", 1);
        setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
        SdlOptions options;
        options.windowed = true;
        options.scale = 1;
        options.allowInvisible = true;
        platform_ = std::make_unique<SdlPlatform>(options);
        window_ = SDL_GetWindowFromID(1);  // the only window since video started
    }
    void TearDown() override {
        platform_.reset();
        unsetenv("SDL_VIDEODRIVER");
        unsetenv("SDL_RENDER_DRIVER");
        unsetenv("SDL_FRAMEBUFFER_ACCELERATION");
    }

    // Runs the loop until the events pushed so far are handled.
    void runUntilIdle() {
        sink_.whenIdle = [&] { platform_->quit(); };
        platform_->run(sink_);
    }

    // Runs `check` when the loop reaches it, after the events pushed before.
    void probe(std::function<void()> check) { platform_->post(std::move(check)); }

    static void pushKey(Uint32 type, SDL_Scancode scancode, SDL_Keycode keycode, Uint16 mod = 0, Uint8 repeat = 0) {
        SDL_Event event{};
        event.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat;
        event.key.keysym.scancode = scancode;
        event.key.keysym.sym = keycode;
        event.key.keysym.mod = mod;
        SDL_PushEvent(&event);
    }

    static void pushButton(Uint32 type, Uint8 button, int x, int y) {
        SDL_Event event{};
        event.type = type;
        event.button.button = button;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = x;
        event.button.y = y;
        SDL_PushEvent(&event);
    }

    static void pushType(Uint32 type) {
        SDL_Event event{};
        event.type = type;
        SDL_PushEvent(&event);
    }

    std::unique_ptr<SdlPlatform> platform_;
    SDL_Window* window_ = nullptr;
    test::RecordingSink sink_;
};

TEST_F(SdlEvents, ReturnTypesItsCharacterAfterTheKeyDown) {
    std::vector<bool> held;
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN);
    probe([&] { held.push_back(platform_->keyHeld(vk::Return)); });
    pushKey(SDL_KEYUP, SDL_SCANCODE_RETURN, SDLK_RETURN);
    probe([&] { held.push_back(platform_->keyHeld(vk::Return)); });
    runUntilIdle();
    EXPECT_EQ(sink_.log, (Log{"down 13", "char 13", "up 13"}));
    EXPECT_EQ(held, (std::vector<bool>{true, false}));
}

TEST_F(SdlEvents, BothShiftKeysHoldShiftUntilTheLastIsReleased) {
    std::vector<bool> held;
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_RSHIFT, SDLK_RSHIFT);
    pushKey(SDL_KEYUP, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT);
    probe([&] { held.push_back(platform_->keyHeld(vk::Shift)); });
    pushKey(SDL_KEYUP, SDL_SCANCODE_RSHIFT, SDLK_RSHIFT);
    probe([&] { held.push_back(platform_->keyHeld(vk::Shift)); });
    runUntilIdle();
    EXPECT_EQ(held, (std::vector<bool>{true, false}));
}

TEST_F(SdlEvents, AltEnterTogglesFullScreenOnceAndReachesNoHandler) {
    ASSERT_NE(window_, nullptr);
    auto fullScreen = [&] {
        const Uint32 flag = SDL_WINDOW_FULLSCREEN_DESKTOP;
        return (SDL_GetWindowFlags(window_) & flag) == flag;
    };
    std::vector<bool> states{fullScreen()};
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT, 1);  // key repeat
    pushKey(SDL_KEYUP, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT);
    probe([&] { states.push_back(fullScreen()); });
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, KMOD_RALT);
    probe([&] { states.push_back(fullScreen()); });
    runUntilIdle();
    EXPECT_EQ(states, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(sink_.log, Log{});
    EXPECT_FALSE(platform_->keyHeld(vk::Return));
}

TEST_F(SdlEvents, TextInputArrivesAsCodePoints) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strcpy(event.text.text, "ř+");
    SDL_PushEvent(&event);
    runUntilIdle();
    EXPECT_EQ(sink_.log, (Log{"char 345", "char 43"}));
}

TEST_F(SdlEvents, LeftPressAndReleaseMakeAClickBetweenThem) {
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 50);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 101, 52);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 6);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 5, 6);
    runUntilIdle();
    EXPECT_EQ(sink_.log, (Log{"mousedown L 100,50", "click", "mouseup L 101,52", "mousedown R 5,6", "mouseup R 5,6"}));
    EXPECT_EQ(platform_->pointer().x, 5);
    EXPECT_EQ(platform_->pointer().y, 6);
}

TEST_F(SdlEvents, WarpedPointerReadsBackAtOnce) {
    platform_->warpPointer({640, 480});
    EXPECT_EQ(platform_->pointer().x, 640);
    EXPECT_EQ(platform_->pointer().y, 480);
}

TEST_F(SdlEvents, WindowCloseFocusAndRenderResetReachTheSink) {
    struct ResetSink : test::RecordingSink {
        void onDisplayReset() override { log.push_back("reset"); }
    } sink;
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&focus);
    pushType(SDL_RENDER_TARGETS_RESET);
    pushType(SDL_QUIT);
    sink.whenIdle = [&] { platform_->quit(); };
    platform_->run(sink);
    EXPECT_FALSE(platform_->active());
    EXPECT_EQ(sink.log, (Log{"deactivate", "reset", "close"}));
}

TEST_F(SdlEvents, PostedTasksRunOnTheLoopThread) {
    std::vector<std::thread::id> ranOn;
    std::thread poster([&] {
        for (int i = 0; i < 3; ++i) platform_->post([&] { ranOn.push_back(std::this_thread::get_id()); });
    });
    poster.join();
    runUntilIdle();
    EXPECT_EQ(ranOn, std::vector<std::thread::id>(3, std::this_thread::get_id()));
}

TEST_F(SdlEvents, DueTimerFiresFromTheLoop) {
    auto timer = platform_->createTimer();
    int fired = 0;
    timer->setInterval(5);
    timer->setHandler([&] {
        ++fired;
        platform_->quit();
    });
    timer->setEnabled(true);
    platform_->run(sink_);
    EXPECT_EQ(fired, 1);
}

TEST_F(SdlEvents, PresentTakesAFrame) {
    std::vector<uint16_t> frame(static_cast<size_t>(kDisplayWidth) * kDisplayHeight, 0xF800);
    int presented = 0;
    sink_.whenIdle = [&] {
        platform_->present(frame.data());
        if (++presented == 3) platform_->quit();
    };
    platform_->run(sink_);
    EXPECT_EQ(presented, 3);
}

TEST_F(SdlEvents, TheReturnOfAltEnterRepeatingOnWithoutAltIsNotTheGames) {
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, 0, 1);  // Alt let go, Return still held
    pushKey(SDL_KEYUP, SDL_SCANCODE_RETURN, SDLK_RETURN);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN);  // a Return of its own
    runUntilIdle();
    EXPECT_EQ(sink_.log, (Log{"down 13", "char 13"}));
}

TEST_F(SdlEvents, KeysHeldWhenTheFocusGoesAreLetGo) {
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_X, SDLK_x);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT);
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&focus);
    pushKey(SDL_KEYUP, SDL_SCANCODE_X, SDLK_x);  // let go behind the other window
    runUntilIdle();
    EXPECT_EQ(sink_.log, (Log{"down 88", "down 16", "up 88", "up 16", "deactivate"}));
    EXPECT_FALSE(platform_->keyHeld(vk::letter('X')));
    EXPECT_FALSE(platform_->keyHeld(vk::Shift));
}

// A paused game or a game-over panel presents nothing more: whatever the
// window showed meanwhile, an expose brings the last frame back.
TEST_F(SdlEvents, AnExposeShowsTheLastFrameAgain) {
    SDL_Renderer* renderer = SDL_GetRenderer(window_);
    ASSERT_NE(renderer, nullptr);
    auto centre = [&] {
        Uint32 pixel = 0;
        SDL_Rect spot{400, 300, 1, 1};
        SDL_RenderReadPixels(renderer, &spot, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
        return pixel & 0xFFFFFF;
    };
    std::vector<uint16_t> frame(static_cast<size_t>(kDisplayWidth) * kDisplayHeight, 0xF800);
    platform_->present(frame.data());
    ASSERT_EQ(centre(), 0xFF0000u);
    SDL_SetRenderDrawColor(renderer, 0, 0, 255, 255);
    SDL_RenderClear(renderer);
    SDL_RenderPresent(renderer);
    ASSERT_EQ(centre(), 0x0000FFu);
    SDL_Event expose{};
    expose.type = SDL_WINDOWEVENT;
    expose.window.event = SDL_WINDOWEVENT_EXPOSED;
    SDL_PushEvent(&expose);
    runUntilIdle();
    EXPECT_EQ(centre(), 0xFF0000u);
}

}  // namespace
}  // namespace ik
