#include "platform/ProgramStart.h"

namespace ik {

// The arguments are the bytes given, UTF-8 in every locale the game supports;
// the standard streams are those of the caller already.
std::vector<std::string> startProgram(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }

}  // namespace ik
