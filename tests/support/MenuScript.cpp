#include "tests/support/MenuScript.h"

#include "app/MenuButtons.h"

namespace ik::test {

std::string pointAtMenuButton(int n) {
    const TRect button = menuButton(n);
    return "move " + std::to_string((button.Left + button.Right) / 2) + " " +
           std::to_string((button.Top + button.Bottom) / 2) + "\n";
}

std::string clickMenuButton(int n) { return pointAtMenuButton(n) + "click\n"; }

std::string startEpisode(int episode) { return kEnterMenu + clickMenuButton(episode) + "wait 1\n"; }

}  // namespace ik::test
