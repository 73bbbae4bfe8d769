#include "tools/demo-bot/BotSession.h"

#include <stdexcept>

#include "app/Files.h"
#include "app/Form.h"
#include "app/HeadlessRunner.h"
#include "app/HeadlessScript.h"
#include "app/MenuButtons.h"
#include "app/StateDump.h"
#include "audio/DXSound.h"
#include "platform/headless/HeadlessPlatform.h"

namespace ik {

BotSession::BotSession(const BotStart& start) : platform_(std::make_unique<HeadlessPlatform>(start.startTimeMs)) {
    // As the binary's headless run makes them from its command line.
    FormOptions options;
    options.scoresDir = start.scoresDir;
    options.libraryDir = trackAudioDir();
    options.seedGiven = true;
    options.seed = start.seed;
    form_ = std::make_unique<TForm1>(*platform_, options);
    if (!startUp(*form_) || form_->closed())
        throw std::runtime_error("the game did not start (are the data files here?)");
    runner_ = std::make_unique<HeadlessRunner>(*platform_, *form_);
}

BotSession::~BotSession() = default;

void BotSession::send(const std::string& line) {
    std::vector<ScriptCommand> commands = parseScript(line);
    if (commands.size() != 1) throw std::logic_error("not one script command: " + line);
    flushFrames();
    lines_.push_back(line);
    runner_->execute(commands.front());
}

void BotSession::frame() {
    // `frames N` stops after the pass that drew the Nth frame, exactly where
    // N runs of `frames 1` stop, so the play script can fold them.
    ScriptCommand command;
    command.kind = ScriptCommand::Kind::Frames;
    command.number = 1;
    runner_->execute(command);
    ++pendingFrames_;
}

void BotSession::flushFrames() {
    if (pendingFrames_ == 0) return;
    lines_.push_back("frames " + std::to_string(pendingFrames_));
    pendingFrames_ = 0;
}

int BotSession::plays(const std::string& sound) const {
    const auto& counts = form_->DXSound1->PlayCounts();
    auto found = counts.find(sound);
    return found == counts.end() ? 0 : found->second;
}

nlohmann::json BotSession::state() const { return dumpState(*form_, platform_->virtualMs()); }

std::vector<std::string> BotSession::finish() {
    flushFrames();
    runner_->run({});
    return lines_;
}

void startEpisode(BotSession& session, int episode) {
    session.send("frames 30");
    session.send("key space");
    session.send("frames 5");
    // A point on the episode's button, as the committed scripts have it.
    const TRect button = menuButton(episode);
    session.send("move " + std::to_string(button.Left + 80) + " " + std::to_string(button.Top + 25));
    session.send("frames 3");
    session.send("click");
    const std::string screen = "game" + std::to_string(episode);
    auto started = [&] { return screenName(session.game().screen) == screen; };
    for (int frame = 0; frame < 600 && !started(); ++frame) session.frame();
    if (!started()) throw std::runtime_error("episode " + std::to_string(episode) + " did not start");
}

void readGameOverPanel(BotSession& session) { session.send("wait 2000"); }

void holdForOneFrame(BotSession& session, const std::string& key) {
    session.send("down " + key);
    session.frame();
    session.send("up " + key);
}

}  // namespace ik
