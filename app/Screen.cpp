#include "app/Screen.h"

#include <ostream>
#include <stdexcept>
#include <string>

namespace ik {

std::string_view screenName(Screen screen) {
    switch (screen) {
        case Screen::unset:
            return "";
        case Screen::justloading:
            return "justloading";
        case Screen::mainmenu:
            return "mainmenu";
        case Screen::none:
            return "none";
        case Screen::game1:
            return "game1";
        case Screen::game2:
            return "game2";
        case Screen::game3:
            return "game3";
        case Screen::game4:
            return "game4";
        case Screen::info1:
            return "info1";
        case Screen::info2:
            return "info2";
        case Screen::info3:
            return "info3";
        case Screen::info4:
            return "info4";
        case Screen::info5:
            return "info5";
    }
    throw std::logic_error("a screen without a name: " + std::to_string(static_cast<int>(screen)));
}

Screen infoScreen(int page) {
    constexpr Screen pages[] = {Screen::info1, Screen::info2, Screen::info3, Screen::info4, Screen::info5};
    if (page < 1 || page > 5) throw std::logic_error("no information page " + std::to_string(page));
    return pages[page - 1];
}

bool isGameScreen(Screen screen) {
    return screen == Screen::game1 || screen == Screen::game2 || screen == Screen::game3 || screen == Screen::game4;
}

bool isInfoScreen(Screen screen) {
    return screen == Screen::info1 || screen == Screen::info2 || screen == Screen::info3 || screen == Screen::info4 ||
           screen == Screen::info5;
}

std::ostream& operator<<(std::ostream& out, Screen screen) { return out << screenName(screen); }

}  // namespace ik
