// One player per episode: each plays from the menu through a whole game,
// looking at the state after every frame, and says in one line what the game
// reached (the play script's heading).
#pragma once

#include <string>

namespace ik {

class BotSession;

std::string playEpisode1(BotSession& session);
std::string playEpisode2(BotSession& session);
std::string playEpisode3(BotSession& session);
std::string playEpisode4(BotSession& session);

}  // namespace ik
