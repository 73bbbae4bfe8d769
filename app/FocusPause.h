// Losing the focus pauses a running game as the pause key does, so that no
// timer runs on behind another window; regaining it resumes only a game that
// the focus loss paused: a game the player paused stays paused.
#pragma once

namespace ik {

class FocusPause {
public:
    // The focus went away: true when the running game is to be paused now.
    bool focusLost(bool gameRunning);
    // The focus came back: true when the game is to be resumed now.
    bool focusGained(bool gamePaused);
    // The player paused, resumed or left the game himself meanwhile.
    void forget() { pausedByFocus_ = false; }

private:
    bool pausedByFocus_ = false;
};

}  // namespace ik
