// What a program does first: takes its arguments as UTF-8 and makes its
// standard output reach whoever started it. Each operating system implements
// it in its own folder (on Windows the game is a windowed program, which has
// no console of its own when started by a double click and writes to the one
// it was started from otherwise).
#pragma once

#include <string>
#include <vector>

namespace ik {

// The arguments after the program's name, in UTF-8.
std::vector<std::string> startProgram(int argc, char** argv);

}  // namespace ik
