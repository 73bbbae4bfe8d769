#include "platform/DisplayLanguages.h"

namespace ik {

// The environment's LANGUAGE, LC_ALL, LC_MESSAGES and LANG are the whole answer here.
std::vector<std::string> userDisplayLanguages() { return {}; }

}  // namespace ik
