// Script lines that work the main menu, with the pointer on the buttons where
// the game itself puts them (app/MenuButtons.h).
#pragma once

#include <string>

namespace ik::test {

// From the loading screen to the main menu.
inline constexpr const char* kEnterMenu = "key Return\nframes 2\n";

// "move X Y" to the middle of menu button n: episode n for 1..4, quit for 5.
std::string pointAtMenuButton(int n);
// The same, then a click.
std::string clickMenuButton(int n);

// From the loading screen to a click on episode n's button, delivered by the
// next pump (the count-down blocks inside it): a shot right after it shows
// the last count-down number.
std::string startEpisode(int episode);

}  // namespace ik::test
