// The shell's loop rules on the headless platform: the frame gate, the
// interval timers, deactivation and close.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/Form.h"
#include "display/DXDraw.h"
#include "display/DXTimer.h"
#include "platform/headless/HeadlessPlatform.h"

namespace ik {
namespace {

namespace fs = std::filesystem;

class ShellLoop : public ::testing::Test {
protected:
    void SetUp() override {
        // No data files here: start-up is not run, only the loop's rules.
        dir = fs::temp_directory_path() /
              ("ik-shell-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        previous = fs::current_path();
        fs::current_path(dir);
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(dir);
    }
    fs::path dir;
    fs::path previous;
};

TEST_F(ShellLoop, FrameGateNeedsFourWholeMilliseconds) {
    HeadlessPlatform platform;
    FormOptions options;
    options.scoresDir = dir.string();
    TForm1 form(platform, options);
    form.Show();
    form.lives = 1;  // an empty screen is drawn only while lives > 0

    form.last_frame_tick = platform.ticks();
    platform.sleep(3);
    form.drawit();
    EXPECT_EQ(form.frames_drawn, 0u) << "3 ms after the last frame is too early";
    platform.sleep(1);
    form.drawit();
    EXPECT_EQ(form.frames_drawn, 1u) << "4 ms after the last frame draws";
    form.drawit();
    EXPECT_EQ(form.frames_drawn, 1u) << "the frame just drawn reset the gate";
}

TEST_F(ShellLoop, FrameTickDrawsOnlyOnItsScreensOrWhileLivesRemain) {
    struct Case {
        Screen screen;
        int lives;
        bool draws;
    };
    for (Case c : {Case{Screen::unset, 0, false}, Case{Screen::none, 0, false}, Case{Screen::game1, 0, false},
                   Case{Screen::game1, -3, false}, Case{Screen::none, 1, true}, Case{Screen::unset, 1, true}}) {
        HeadlessPlatform platform;
        FormOptions options;
        options.scoresDir = dir.string();
        TForm1 form(platform, options);
        form.Show();
        form.screen = c.screen;
        form.lives = c.lives;
        platform.sleep(10);
        form.DXTimer1Timer(1);
        EXPECT_EQ(form.frames_drawn, c.draws ? 1u : 0u) << "'" << c.screen << "' lives " << c.lives;
    }
}

TEST_F(ShellLoop, SecondsTimerFiresOncePerDuePassAndStopsOnTheMenu) {
    HeadlessPlatform platform;
    FormOptions options;
    options.scoresDir = dir.string();
    TForm1 form(platform, options);
    form.Show();
    form.DXTimer1->Enabled = false;  // only the interval timers matter here
    form.screen = Screen::game1;
    form.Timer1->setEnabled(true);
    // A handler that blocks for 3.5 s (like a count-down) must not make the
    // missed ticks pile up.
    platform.sleep(3500);
    platform.pump(form, [&] { return true; });
    EXPECT_EQ(form.seconds, 1);
    uint64_t until = platform.virtualMs() + 2000;
    platform.pump(form, [&] { return platform.virtualMs() >= until; });
    EXPECT_EQ(form.seconds, 3);

    form.screen = Screen::mainmenu;
    until = platform.virtualMs() + 1000;
    platform.pump(form, [&] { return platform.virtualMs() >= until; });
    EXPECT_EQ(form.seconds, 0);
    EXPECT_FALSE(form.Timer1->enabled());
}

TEST_F(ShellLoop, EpisodeTimerSwitchesItselfOffOutsideItsEpisodes) {
    HeadlessPlatform platform;
    FormOptions options;
    options.scoresDir = dir.string();
    TForm1 form(platform, options);
    form.Show();
    form.screen = Screen::info1;
    form.Timer2->setInterval(300);
    form.Timer2->setEnabled(true);
    uint64_t until = platform.virtualMs() + 400;
    platform.pump(form, [&] { return platform.virtualMs() >= until; });
    EXPECT_FALSE(form.Timer2->enabled());
}

// The original's rule, ending the program when another window takes the
// focus, holds only on request, in full screen and in a window alike.
TEST_F(ShellLoop, LosingActivationClosesTheFormOnlyWhenAskedTo) {
    for (bool windowed : {false, true}) {
        for (bool quitOnFocusLoss : {false, true}) {
            HeadlessPlatform platform;
            FormOptions options;
            options.scoresDir = dir.string();
            options.windowed = windowed;
            options.quitOnFocusLoss = quitOnFocusLoss;
            TForm1 form(platform, options);
            form.Show();
            form.screen = Screen::mainmenu;
            platform.queueActivate(false);
            platform.pump(form, [&] { return true; });
            EXPECT_EQ(form.closed(), quitOnFocusLoss) << windowed;
            EXPECT_EQ(platform.quitRequested(), quitOnFocusLoss) << windowed;
        }
    }
}

}  // namespace
}  // namespace ik
