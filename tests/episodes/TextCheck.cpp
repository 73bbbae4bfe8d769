#include "tests/episodes12/TextCheck.h"

#include <algorithm>

#include "display/Canvas.h"
#include "display/Surface.h"

namespace ik::test {

namespace {
constexpr int kWidth = 800;
constexpr int kHeight = 600;
}  // namespace

int TextMismatches(const std::vector<uint16_t>& frame, const std::vector<uint16_t>& backdrop,
                   const ExpectedText& text) {
    TDirectDrawSurface expected;
    expected.SetSize(kWidth, kHeight);
    std::copy(backdrop.begin(), backdrop.end(), expected.Pixels());
    TDirectDrawSurfaceCanvas& canvas = expected.Canvas();
    canvas.Brush.Style = bsClear;
    canvas.Font.Name = text.font;
    canvas.Font.Size = text.size;
    canvas.Font.Style = fsBold;
    canvas.Font.Color = text.colour;
    canvas.TextOut(text.x, text.y, text.text);
    const int right = std::min(kWidth, text.x + canvas.TextWidth(text.text));
    const int bottom = std::min(kHeight, text.y + canvas.TextHeight());
    canvas.Release();
    int mismatches = 0;
    int inked = 0;
    for (int y = std::max(0, text.y); y < bottom; ++y) {
        for (int x = std::max(0, text.x); x < right; ++x) {
            const size_t at = static_cast<size_t>(y) * kWidth + static_cast<size_t>(x);
            // Only the text's own pixels count: accents of the line below
            // rise into this cell.
            if (expected.Pixel(x, y) == backdrop[at]) continue;
            ++inked;
            if (expected.Pixel(x, y) != frame[at]) ++mismatches;
        }
    }
    return inked == 0 ? -1 : mismatches;
}

}  // namespace ik::test
