// Episode 4: retypes each code as it is shown, a digit every few frames,
// past the codes of twelve digits in three seconds; on the way it lets one
// code run out of time and mistypes one digit, and once far enough it types
// wrong digits until the lives are gone.
#include <string>

#include "app/Form.h"
#include "tools/demo-bot/BotSession.h"
#include "tools/demo-bot/Players.h"

namespace ik {

namespace {
constexpr int kFramesPerDigit = 3;
constexpr int kLastCode = 32;      // the code after which it stops trying
constexpr int kTimedOutCode = 5;   // left alone until its time is up
constexpr int kMistypedCode = 12;  // its first digit typed wrong once
constexpr int kMaxFrames = 60 * 60 * 4;

char wrongDigit(char right) { return right == '9' ? '0' : static_cast<char>(right + 1); }
}  // namespace

std::string playEpisode4(BotSession& session) {
    startEpisode(session, 4);
    const TForm1& game = session.game();
    bool timedOut = false, mistyped = false;
    for (int frame = 0; frame < kMaxFrames && game.lives > 0; ++frame) {
        const bool verdictPending = game.key_result != kKeyNothing;
        if (!verdictPending && frame % kFramesPerDigit == 0) {
            const char right = game.code_text[static_cast<size_t>(game.code_pos - 1)];
            const int livesBefore = game.lives;
            if (game.level == kTimedOutCode && !timedOut) {
                for (int wait = 0; wait < kMaxFrames && game.lives == livesBefore; ++wait) session.frame();
                timedOut = true;
                continue;
            }
            if (game.level == kMistypedCode && !mistyped) {
                session.send(std::string("key ") + wrongDigit(right));
                mistyped = true;
            } else {
                session.send(std::string("key ") + (game.level > kLastCode ? wrongDigit(right) : right));
            }
        }
        session.frame();
    }
    readGameOverPanel(session);
    return "code " + std::to_string(game.level) + " reached, score " + std::to_string(game.score) +
           ", one code timed out, one digit mistyped, then wrong digits to the end";
}

}  // namespace ik
