// Episode 1: the tray goes each frame where it catches the needed ingredient
// closest to the floor without touching an unneeded one. Once the lives bonus
// of 100 points is in, it catches unneeded ones on purpose until the penalty
// starts; after the penalty and a few more points it gives up with R.
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/Form.h"
#include "tools/demo-bot/BotSession.h"
#include "tools/demo-bot/Players.h"

namespace ik {

namespace {
constexpr int kTrayTop = 561;
constexpr int kTrayBottom = 585;
constexpr int kTrayHalfWidth = 39;
constexpr int kTrayY = 573;  // the tray's row, where the movement bonus puts the pointer too
constexpr int kItemSize = 50;
constexpr int kPenaltyPoints = 10;
constexpr int kLastScore = 125;
constexpr int kMaxFrames = 60 * 60 * 6;

bool covers(int x, int left) { return x - kTrayHalfWidth < left + kItemSize && x + kTrayHalfWidth > left; }
bool inTrayRow(int top) { return top < kTrayBottom && top + kItemSize > kTrayTop; }

// How much the tray at x is worth for the next frame.
double worth(const TForm1& game, int x, bool catchUnneeded) {
    double total = 0;
    for (int i = 1; i <= 10; ++i) {
        if (!covers(x, item_left(i))) continue;
        const int top = game.item_rect[i].Top;
        const int nextTop =
            static_cast<int>(std::lround(game.item_y[i] + game.item_speed[i] * game.episode1_fall_factor()));
        const bool near = inTrayRow(top) || inTrayRow(nextTop);
        if (game.item_needed[i]) {
            // The lower it is, the sooner it is lost.
            if (inTrayRow(top)) total += 100 + top;
            else if (top > 380 && top < kTrayTop)
                total += 1 + top / 100.0;
        } else if (near) {
            total += catchUnneeded ? 50 : -100000;
        }
    }
    return total;
}
}  // namespace

std::string playEpisode1(BotSession& session) {
    startEpisode(session, 1);
    const TForm1& game = session.game();
    int x = 400;
    session.send("move 400 " + std::to_string(kTrayY));
    bool penaltySeen = false;
    for (int frame = 0; frame < kMaxFrames && game.lives > 0; ++frame) {
        penaltySeen = penaltySeen || game.penalty_active;
        if (penaltySeen && !game.penalty_active && game.score >= kLastScore) break;
        const bool catchUnneeded = game.score > 100 && game.penalty_points < kPenaltyPoints;
        int best = x;
        double bestWorth = worth(game, x, catchUnneeded);
        for (int candidate = 0; candidate < 800; ++candidate) {
            const double w = worth(game, candidate, catchUnneeded) - std::abs(candidate - x) / 1000.0;
            if (w > bestWorth) {
                best = candidate;
                bestWorth = w;
            }
        }
        if (best != x || game.platform.pointer().y != kTrayY) {
            x = best;
            session.send("move " + std::to_string(x) + " " + std::to_string(kTrayY));
        }
        session.frame();
    }
    const bool givenUp = game.lives > 0;
    if (givenUp) holdForOneFrame(session, "r");
    readGameOverPanel(session);
    return "score " + std::to_string(game.score) + ", " + std::to_string(game.penalty_points) + " penalty points, " +
           std::to_string(session.plays("bonus_ep1")) + " bonuses and " + std::to_string(session.plays("trest_ep1")) +
           " penalties" + (givenUp ? ", then R gives up" : "");
}

}  // namespace ik
