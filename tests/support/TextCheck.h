// Whether a frame shows a text exactly as the canvas draws it on what lay
// under the text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "display/Color.h"
#include "tests/support/PngFiles.h"

namespace ik::test {

// A text as the game should have drawn it, on a transparent background.
struct ExpectedText {
    int x;
    int y;
    const char* font;
    int size;
    bool bold;
    TColor colour;
    std::string text;
};

// What lies under a text: the colour of each pixel before the text was drawn.
using Backdrop = std::function<TColor(int x, int y)>;
inline Backdrop plainBackdrop(TColor colour) {
    return [colour](int, int) { return colour; };
}

// Pixels that the text inks on the backdrop and that the frame shows
// otherwise; -1 when the text inks nothing (a check that could not fail).
int textMismatches(const Frame& frame, const ExpectedText& text, const Backdrop& backdrop);
// The same for an 800 x 600 back buffer, with the back buffer as it was
// before the text was drawn.
int textMismatches(const std::vector<uint16_t>& frame, const ExpectedText& text, const std::vector<uint16_t>& backdrop);

}  // namespace ik::test
