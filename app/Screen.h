// What the form shows: the value of `screen`, which the frame timer, the
// input handlers and the state dump all choose by. The original compares
// names; an enum makes a misspelt one a compile error, and screenName keeps
// the exact names for the state dump and the score store's sections.
#pragma once

#include <iosfwd>
#include <string_view>

namespace ik {

enum class Screen {
    unset,        // before the form is created
    justloading,  // the loading screen, left by any key
    mainmenu,
    none,  // an episode loading: nothing is drawn
    game1,
    game2,
    game3,
    game4,
    info1,
    info2,
    info3,
    info4,
    info5,
};

// "", "justloading", "mainmenu", "none", "game1".."game4", "info1".."info5".
std::string_view screenName(Screen screen);

// Information page n (1..5).
Screen infoScreen(int page);

bool isGameScreen(Screen screen);
bool isInfoScreen(Screen screen);

// By name, so that a test's failure message says which screen it saw.
std::ostream& operator<<(std::ostream& out, Screen screen);

}  // namespace ik
