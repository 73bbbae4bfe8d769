#include "tests/support/TextCheck.h"

#include <algorithm>

#include "display/Canvas.h"
#include "display/Surface.h"

namespace ik::test {

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

// backdrop: the RGB565 pixels under the text, width x height, top row first.
int mismatches(const Frame& frame, const ExpectedText& text, const std::vector<uint16_t>& backdrop) {
    TDirectDrawSurface expected;
    expected.SetSize(frame.width, frame.height);
    std::copy(backdrop.begin(), backdrop.end(), expected.Pixels());
    TDirectDrawSurfaceCanvas& canvas = expected.Canvas();
    canvas.Brush.Style = bsClear;
    canvas.Font.Name = text.font;
    canvas.Font.Size = text.size;
    canvas.Font.Style = text.bold ? fsBold : 0;
    canvas.Font.Color = text.colour;
    canvas.TextOut(text.x, text.y, text.text);
    const int right = std::min(frame.width, text.x + canvas.TextWidth(text.text));
    const int bottom = std::min(frame.height, text.y + canvas.TextHeight());
    canvas.Release();
    int found = 0;
    int inked = 0;
    for (int y = std::max(0, text.y); y < bottom; ++y)
        for (int x = std::max(0, text.x); x < right; ++x) {
            // Only the text's own pixels count: a neighbouring text may reach
            // into the cell (accents rise above theirs).
            if (expected.Pixel(x, y) ==
                backdrop[static_cast<size_t>(y) * static_cast<size_t>(frame.width) + static_cast<size_t>(x)])
                continue;
            ++inked;
            if (expected.Pixel(x, y) != frame.at(x, y)) ++found;
        }
    // A text that draws nothing would match anything.
    return inked == 0 ? -1 : found;
}

}  // namespace

int textMismatches(const Frame& frame, const ExpectedText& text, const Backdrop& backdrop) {
    std::vector<uint16_t> under;
    under.reserve(frame.pixels.size());
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) under.push_back(toRgb565(backdrop(x, y)));
    return mismatches(frame, text, under);
}

int textMismatches(const std::vector<uint16_t>& frame, const ExpectedText& text,
                   const std::vector<uint16_t>& backdrop) {
    return mismatches(Frame{kScreenWidth, kScreenHeight, frame}, text, backdrop);
}

}  // namespace ik::test
