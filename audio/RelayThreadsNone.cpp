#include "audio/RelayThreads.h"

namespace ik {

bool relayHasThreadOfItsOwn() { return false; }

}  // namespace ik
