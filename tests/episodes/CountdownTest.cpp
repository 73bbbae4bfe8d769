// The blocking 3-2-1 count-down of both episodes: what each of its three
// flips shows and how long each waits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EpisodeForm.h"
#include "app/Form.h"
#include "assets/PictureCollection.h"
#include "display/DXDraw.h"
#include "tests/support/TextCheck.h"

namespace ik::test {
namespace {

using Countdown = EpisodeForm;

struct CountdownCase {
    void (TForm1::*init)();
    void (TForm1::*layout)();
    const char* background;
    Screen screen;
};

TEST_F(Countdown, ShowsThreeTwoOneOverTheLayoutOneSecondApart) {
    for (CountdownCase c :
         {CountdownCase{&TForm1::episode1_init, &TForm1::episode1_layout, "back_ep1", Screen::game1},
          CountdownCase{&TForm1::episode2_init, &TForm1::episode2_layout, "back_ep2", Screen::game2}}) {
        SCOPED_TRACE(screenName(c.screen));
        restart();
        std::vector<std::vector<uint16_t>> shown;
        std::vector<uint64_t> shownAt;
        platform->addClockListener([&](uint32_t elapsed) {
            if (elapsed == 1000) {
                shown.push_back(platform->lastFrame());
                shownAt.push_back(platform->virtualMs());
            }
        });
        (form.get()->*c.init)();
        EXPECT_EQ(form->screen, c.screen);
        EXPECT_EQ(form->frames_drawn, 0u);
        ASSERT_EQ(shown.size(), 3u);
        // Each wait follows its own flip, which waits for the next 1/60 s.
        for (size_t k = 1; k < shownAt.size(); ++k) {
            EXPECT_GE(shownAt[k] - shownAt[k - 1], 1000u);
            EXPECT_LE(shownAt[k] - shownAt[k - 1], 1017u);
        }

        // What lies under the digit: the background and the layout, no items.
        form->DXImageList1->Items.Find(c.background).DrawPattern(form->DXDraw1->Surface(), 0, 0, 0);
        (form.get()->*c.layout)();
        const std::vector<uint16_t> backdrop = backBuffer();
        for (int n = 3; n >= 1; --n) {
            const std::vector<uint16_t>& frame = shown[static_cast<size_t>(3 - n)];
            EXPECT_EQ(textMismatches(frame, {380, 290, "Arial", 30, true, clWhite, std::to_string(n)}, backdrop), 0)
                << "digit " << n;
            size_t elsewhere = 0;
            for (size_t at = 0; at < frame.size(); ++at) {
                const size_t x = at % 800;
                const size_t y = at / 800;
                const bool inDigit = x >= 380 && x < 420 && y >= 290 && y < 330;
                if (!inDigit && frame[at] != backdrop[at]) ++elsewhere;
            }
            EXPECT_EQ(elsewhere, 0u) << "digit " << n;
        }
    }
}

}  // namespace
}  // namespace ik::test
