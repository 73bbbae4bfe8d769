// Whether a frame shows a text exactly as the canvas draws it on the backdrop
// the text was written over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "display/Color.h"

namespace ik::test {

struct ExpectedText {
    int x;
    int y;
    const char* font;
    int size;
    TColor colour;
    std::string text;  // bold, transparent background, as all of the episodes' texts
};

// Pixels that the text inks on the backdrop and that the frame shows
// otherwise; -1 when the text inks nothing (a check that could not fail). Frames are 800 x 600 RGB565, top row first.
int TextMismatches(const std::vector<uint16_t>& frame, const std::vector<uint16_t>& backdrop,
                   const ExpectedText& text);

}  // namespace ik::test
