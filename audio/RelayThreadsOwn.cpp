#include "audio/RelayThreads.h"

namespace ik {

bool relayHasThreadOfItsOwn() { return true; }

}  // namespace ik
