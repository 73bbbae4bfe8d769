#include "app/StateDump.h"

#include "app/EpisodeState.h"
#include "app/Form.h"
#include "app/MusicCues.h"
#include "app/SoundState.h"
#include "display/DXTimer.h"

namespace ik {

nlohmann::json dumpState(const TForm1& form, uint64_t timeMs) {
    nlohmann::json state;
    state["screen"] = std::string(screenName(form.screen));
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
    state["pointer"] = {form.platform.pointer().x, form.platform.pointer().y};
    state["timer1_enabled"] = form.Timer1->enabled();
    state["timer2_enabled"] = form.Timer2->enabled();
    state["paused"] = !form.DXTimer1->Enabled;
    state["pointer_confined"] = form.pointerConfined();
    dumpMusicState(form, state);
    dumpSoundState(form, state);
    dumpEpisodeState(form, state);
    return state;
}

}  // namespace ik
