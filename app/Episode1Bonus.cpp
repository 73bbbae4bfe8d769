#include "app/Episode1Bonus.h"

#include <ostream>
#include <stdexcept>
#include <string>

namespace ik {

std::string_view bonusName(Bonus bonus) {
    switch (bonus) {
        case Bonus::none:
            return "none";
        case Bonus::movement:
            return "movement";
        case Bonus::slow:
            return "slow";
        case Bonus::green:
            return "green";
    }
    throw std::logic_error("a bonus without a name: " + std::to_string(static_cast<int>(bonus)));
}

std::ostream& operator<<(std::ostream& out, Bonus bonus) { return out << bonusName(bonus); }

}  // namespace ik
