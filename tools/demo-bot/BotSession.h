// The game as `ironkeel --headless --script` runs it (the same platform, form
// options and script runner), fed one script line at a time so that a player
// can look at the state between frames. The lines it ran, in order, are the
// play script that makes the binary play the same game.
#pragma once

#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace ik {

class HeadlessPlatform;
class HeadlessRunner;
class TForm1;

struct BotStart {
    uint32_t seed = 1;
    uint32_t startTimeMs = 0;
    std::string scoresDir;
};

class BotSession {
public:
    explicit BotSession(const BotStart& start);
    ~BotSession();
    BotSession(const BotSession&) = delete;
    BotSession& operator=(const BotSession&) = delete;

    // Runs one script line and keeps it for the play script.
    void send(const std::string& line);
    // Runs until the next frame (runs of these become one `frames N` line).
    void frame();
    const TForm1& game() const { return *form_; }
    // How many times the sound has been played so far.
    int plays(const std::string& sound) const;

    // The state dump as a `state` line would write it now.
    nlohmann::json state() const;
    // Every line run so far; then closes the game as the end of a script does.
    std::vector<std::string> finish();

private:
    void flushFrames();

    std::unique_ptr<HeadlessPlatform> platform_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<HeadlessRunner> runner_;
    std::vector<std::string> lines_;
    int64_t pendingFrames_ = 0;
};

// From the loading screen to the menu, a click on the episode's button, and
// frames until the count-down is over and the episode is being played.
void startEpisode(BotSession& session, int episode);

// Lets the game-over panel (which draws no frames) stand for a moment, as a
// player reads it.
void readGameOverPanel(BotSession& session);

// Holds the key down for one frame, so that the polled keyboard sees it.
void holdForOneFrame(BotSession& session, const std::string& key);

}  // namespace ik
