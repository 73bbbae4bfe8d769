// Fields of episode 1, inherited by TForm1 so that they keep their plain names.
#pragma once

#include <cstdint>
#include <string>

#include "display/Rect.h"

namespace ik {

struct Episode1Fields {
};

}  // namespace ik
