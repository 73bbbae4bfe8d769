// Fields of episode 4 ("Transmogrifikace"), inherited by TForm1 so that they
// keep their plain names.
#pragma once

#include <cstdint>
#include <string>

namespace ik {

// The verdict of the last key press, consumed by the next frame.
enum : int32_t { kKeyRight = 0, kKeyWrong = 1, kKeyNothing = 3 };

struct Episode4Fields {
    std::string code_text;
    std::string typed_text;
    int32_t code_pos = 1;  // 1-based index of the next character to type
    int32_t key_result = kKeyNothing;
    int32_t time_limit = 5;
    int32_t form_index = 0;
};

}  // namespace ik
