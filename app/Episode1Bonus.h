// Episode 1's bonus in force, one at a time for `bonus_left` catches. The
// original keeps it as a name; bonusName gives that name to the state dump.
#pragma once

#include <iosfwd>
#include <string_view>

namespace ik {

enum class Bonus {
    none,
    movement,  // the tray follows the pointer up and down as well
    slow,      // the items fall at half speed
    green,     // every new item is one to catch
};

// "none", "movement", "slow" or "green".
std::string_view bonusName(Bonus bonus);

// By name, so that a test's failure message says which bonus it saw.
std::ostream& operator<<(std::ostream& out, Bonus bonus);

}  // namespace ik
