// Episode 3: while no soldier is in flight it works out, from where the fire
// is and how it moves, where a soldier shot now would meet it; it shoots when
// that meeting is far enough right to feed the fire well, and otherwise moves
// the aim to where the next frame's shot would meet it furthest right. After
// a few level-ups it gives up with R.
#include <optional>
#include <string>

#include "app/Form.h"
#include "tools/demo-bot/BotSession.h"
#include "tools/demo-bot/Players.h"

namespace ik {

namespace {
// The box the fire bounces in, and the soldier's size.
constexpr int kWallLeft = 151, kWallRight = 768, kWallTop = 101, kWallBottom = 568;
constexpr int kSoldierWidth = 25, kSoldierHeight = 50;
constexpr int kAimTop = 151, kAimBottom = 519;
constexpr int kAimX = 100;
constexpr int kGoodMeeting = 450;  // a meeting this far right feeds the fire by 4 or more
constexpr int kLastLevel = 7;
constexpr int kMaxFrames = 60 * 60 * 4;

struct Fire {
    int x, y, dx, dy, size;
    // One frame on: it moves, then turns at a wall it went past.
    TRect step() {
        x += dx;
        y += dy;
        const TRect rect{x, y, x + size, y + size};
        if (rect.Left <= kWallLeft) dx = -dx, x = kWallLeft;
        if (rect.Right > kWallRight) dx = -dx, x = kWallRight + 1 - size;
        if (rect.Top <= kWallTop) dy = -dy, y = kWallTop;
        if (rect.Bottom > kWallBottom) dy = -dy, y = kWallBottom + 1 - size;
        return rect;
    }
};

// Where a soldier shot from aim after `delay` more frames meets the fire
// (the fire's x then), if it does.
std::optional<int> meeting(const TForm1& game, int aim, int delay) {
    Fire fire{game.fire_x, game.fire_y, game.fire_dx, game.fire_dy, game.fire_size};
    for (int d = 0; d < delay; ++d) fire.step();
    const int top = aim - 25;
    for (int left = 1; left <= 800; left += game.soldier_speed) {
        const TRect flame = fire.step();
        if (overlap(flame, {left, top, left + kSoldierWidth, top + kSoldierHeight})) return fire.x;
    }
    return std::nullopt;
}

bool soldierInFlight(const TForm1& game) { return game.soldier_x > 0 && game.soldier_x <= 800; }
}  // namespace

std::string playEpisode3(BotSession& session) {
    startEpisode(session, 3);
    const TForm1& game = session.game();
    int aim = game.aim_y;
    for (int frame = 0; frame < kMaxFrames && game.lives > 0 && game.level < kLastLevel; ++frame) {
        if (!soldierInFlight(game)) {
            const std::optional<int> now = meeting(game, game.aim_y, 0);
            if (now && *now >= kGoodMeeting) {
                session.send("click");
            } else {
                int bestAim = aim, bestX = -1;
                for (int candidate = kAimTop; candidate <= kAimBottom; ++candidate) {
                    const std::optional<int> then = meeting(game, candidate, 1);
                    if (then && *then > bestX) bestAim = candidate, bestX = *then;
                }
                if (bestAim != aim) {
                    aim = bestAim;
                    session.send("move " + std::to_string(kAimX) + " " + std::to_string(aim));
                }
            }
        }
        session.frame();
    }
    const bool givenUp = game.lives > 0;
    if (givenUp) holdForOneFrame(session, "r");
    readGameOverPanel(session);
    return "level " + std::to_string(game.level) + " reached, score " + std::to_string(game.score) +
           (givenUp ? ", then R gives up" : "");
}

}  // namespace ik
