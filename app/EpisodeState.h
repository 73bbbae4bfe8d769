// The episodes' part of the state dump: the fields of the episode on screen,
// none on the menu and the pages. Each episode's fields are its own business,
// so the function is written in episodes/ beside them.
#pragma once

#include <nlohmann/json.hpp>

namespace ik {

class TForm1;

void dumpEpisodeState(const TForm1& form, nlohmann::json& state);

}  // namespace ik
