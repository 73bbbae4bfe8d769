#include "app/StateDump.h"

#include "app/Form.h"

namespace ik {

nlohmann::json DumpState(const TForm1& form, uint64_t timeMs) {
    nlohmann::json state;
    state["screen"] = form.screen;
    state["lives"] = form.lives;
    state["score"] = form.score;
    state["level"] = form.level;
    state["seconds"] = form.seconds;
    state["total_seconds"] = form.total_seconds;
    state["volume"] = form.volume;
    state["easy_mode"] = form.easy_mode;
    state["unlocked"] = nlohmann::json::object();
    state["unlock_score"] = nlohmann::json::object();
    for (int n = 2; n <= 4; ++n) {
        state["unlocked"][std::to_string(n)] = form.unlocked[n];
        state["unlock_score"][std::to_string(n)] = form.unlock_score[n];
    }
    state["frame"] = form.frames_drawn;
    state["time_ms"] = timeMs;
    state["dot_shift"] = form.dot_shift;
    state["pulse_alpha"] = form.pulse_alpha;
    state["closed"] = form.closed();
    return state;
}

}  // namespace ik
