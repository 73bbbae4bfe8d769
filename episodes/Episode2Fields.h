// Fields of episode 2, inherited by TForm1 so that they keep their plain names.
#pragma once

#include <cstdint>
#include <string>

#include "display/Rect.h"

namespace ik {

struct Episode2Fields {
};

}  // namespace ik
