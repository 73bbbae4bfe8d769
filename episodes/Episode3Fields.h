// Fields of episode 3, inherited by TForm1 so that they keep their plain names.
#pragma once

#include <cstdint>
#include <string>

#include "display/Rect.h"

namespace ik {

struct Episode3Fields {
};

}  // namespace ik
