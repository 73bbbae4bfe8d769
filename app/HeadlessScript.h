// The headless run mode's script: one command a line, '#' starts a comment.
// Parsing is separate from running so that a broken script fails before the
// game has done anything.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ik {

struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A key as the script names it: the virtual key it presses and the character
// it types (0 when it types none).
struct ScriptKey {
    uint16_t virtualKey = 0;
    char32_t character = 0;
};

// Letters and digits as typed, Escape, Return, space, plus, minus, KP_0..KP_9,
// KP_plus, KP_minus, Up, Down, Left, Right, Control. Nothing for an unknown name.
std::optional<ScriptKey> keyByName(const std::string& name);

struct ScriptCommand {
    enum class Kind { Wait, Frames, Key, Down, Up, Text, Move, Click, Press, Release, Shot, State, Quit, Focus };
    Kind kind = Kind::Wait;
    int line = 0;
    int64_t number = 0;   // wait, frames; focus: 1 gained, 0 lost
    int x = 0, y = 0;     // move
    ScriptKey key;        // key, down, up
    std::u32string text;  // text
    std::string path;     // shot, state
};

// Throws ScriptError("line N: ...") on the first line it cannot read.
std::vector<ScriptCommand> parseScript(const std::string& source);

}  // namespace ik
