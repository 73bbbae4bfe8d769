// Episode 2: the crew are pushed up one after another, the one who rests
// slowest first, so that the others wait at the bottom without losing
// anything; each one that has been up is topped up whenever it sinks near the
// line, and the time between goes to the next one. Level 10, the first whose
// grey line is higher, is played for a few seconds; then it gives up with R.
#include <string>

#include "app/Form.h"
#include "tools/demo-bot/BotSession.h"
#include "tools/demo-bot/Players.h"

namespace ik {

namespace {
constexpr int kLastLevel = 10;
constexpr int kFramesAtLastLevel = 180;
constexpr int kLine = 500;    // every meter this high at once: the next level
constexpr int kTop = 520;     // a meter goes no higher
constexpr int kUpHigh = 510;  // a meter this high has been pushed up
constexpr int kTopUpBelow = kLine + 4;
constexpr int kMaxFrames = 60 * 60 * 6;

struct Crew {
    int meterNumber;  // 1..3, also the key that pushes it
    int rest;         // pixels lost each resting tick
};
// In the order they are pushed up.
constexpr Crew kOrder[3] = {{1, 1}, {3, 2}, {2, 3}};

int meter(const TForm1& game, int number) {
    return number == 1 ? game.meter1 : number == 2 ? game.meter2 : game.meter3;
}
}  // namespace

std::string playEpisode2(BotSession& session) {
    startEpisode(session, 2);
    const TForm1& game = session.game();
    int level = game.level;
    int pushedUp = 0;  // of kOrder, this level
    int held = 0;      // the key held down, 0 for none
    auto hold = [&](int key) {
        if (key == held) return;
        if (held != 0) session.send("up " + std::to_string(held));
        if (key != 0) session.send("down " + std::to_string(key));
        held = key;
    };
    int framesAtLastLevel = 0;
    for (int frame = 0; frame < kMaxFrames && game.lives > 0 && framesAtLastLevel < kFramesAtLastLevel; ++frame) {
        if (game.level >= kLastLevel) ++framesAtLastLevel;
        if (game.level != level) {
            level = game.level;
            pushedUp = 0;
            hold(0);
        }
        while (pushedUp < 3 && meter(game, kOrder[pushedUp].meterNumber) >= kUpHigh) ++pushedUp;
        // Keep topping up the one being topped up until it is at the top.
        int next = 0;
        for (int k = 0; k < pushedUp; ++k) {
            if (kOrder[k].meterNumber == held && meter(game, held) < kTop) next = held;
        }
        if (next == 0) {
            // Whoever of those already up would sink below the line first.
            double soonest = 0;
            for (int k = 0; k < pushedUp; ++k) {
                const int m = meter(game, kOrder[k].meterNumber);
                const double ticksLeft = static_cast<double>(m - kLine) / kOrder[k].rest;
                if (m < kTopUpBelow && (next == 0 || ticksLeft < soonest)) {
                    next = kOrder[k].meterNumber;
                    soonest = ticksLeft;
                }
            }
        }
        if (next == 0 && pushedUp < 3) next = kOrder[pushedUp].meterNumber;
        hold(next);
        session.frame();
    }
    hold(0);
    const bool givenUp = game.lives > 0;
    if (givenUp) holdForOneFrame(session, "r");
    readGameOverPanel(session);
    return "level " + std::to_string(game.level) + " reached with the grey line at " + std::to_string(game.grey_line) +
           ", score " + std::to_string(game.score) + (givenUp ? ", then R gives up" : "");
}

}  // namespace ik
