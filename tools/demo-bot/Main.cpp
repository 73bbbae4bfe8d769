// demo-bot EPISODE OUT.play STATE.json --records none|unlocked [--seed N] [--start-time T] [--scores DIR]
//
// Plays episode EPISODE in-process, started in the data folder as the binary
// is, and writes the input it used as a play script for tests/demos/record.sh
// and the final state as the binary's `state` command would write it at the
// script's end. The options after the first three are the binary's own, so
// the game starts exactly as `ironkeel --headless` starts with them;
// --records names the starting scores.dat for record.sh's "# scores" line.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "tools/demo-bot/BotSession.h"
#include "tools/demo-bot/Players.h"

namespace {

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string records;
    // The binary's command line for the script being written.
    std::vector<std::string> gameArgs{"--headless", "--script", args.size() >= 2 ? args[1] : ""};
    for (size_t i = 3; i < args.size(); ++i) {
        if (args[i] == "--records" && i + 1 < args.size()) records = args[++i];
        else
            gameArgs.push_back(args[i]);
    }
    const int episode = args.size() >= 3 ? std::atoi(args[0].c_str()) : 0;
    if (episode < 1 || episode > 4 || (records != "none" && records != "unlocked")) {
        std::fprintf(stderr,
                     "usage: demo-bot EPISODE OUT.play STATE.json --records none|unlocked [--seed N] "
                     "[--start-time HH:MM:SS.mmm] [--scores DIR]\n");
        return 2;
    }
    try {
        const ik::CommandLine line = ik::parseCommandLine(gameArgs);
        ik::BotStart start;
        start.seed = line.seed.value_or(1);
        start.startTimeMs = line.startTimeMs;
        start.scoresDir = line.scoresDir;
        ik::BotSession session(start);
        std::string (*const players[])(ik::BotSession&) = {ik::playEpisode1, ik::playEpisode2, ik::playEpisode3,
                                                           ik::playEpisode4};
        const std::string reached = players[episode - 1](session);
        const std::string state = session.state().dump(2) + "\n";
        std::string play = "# Episode " + std::to_string(episode) + " played by tools/demo-bot: " + reached +
                           "\n# Written by the bot; tools/demo-bot/make-demos.sh BUILD_DIR writes it again\n" +
                           "# seed " + std::to_string(start.seed) + "\n# scores " + records + "\n";
        for (const std::string& command : session.finish()) play += command + "\n";
        writeFile(args[1], play);
        writeFile(args[2], state);
        std::printf("episode %d: %s\n", episode, reached.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "demo-bot: %s\n", error.what());
        return 1;
    }
    return 0;
}
