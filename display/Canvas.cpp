#include "display/Canvas.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "display/CopyCore.h"
#include "display/Exception.h"
#include "display/Fonts.h"
#include "display/Surface.h"
#include "display/Utf8.h"

namespace ik {

namespace {
TextObserver& textObserver() {
    static TextObserver observer;
    return observer;
}
}  // namespace

void TDirectDrawSurfaceCanvas::ObserveTexts(TextObserver observer) { textObserver() = std::move(observer); }

void TDirectDrawSurfaceCanvas::acquire() {
    if (!surface_.Usable()) {
        throw Exception("Canvas does not allow drawing");
    }
    holdsContext_ = true;
}

SizedFont* TDirectDrawSurfaceCanvas::font() {
    FontRequest request{Font.Name, (Font.Style & fsBold) != 0, (Font.Style & fsItalic) != 0, emPixels(Font.Size)};
    if (!fontFound_ || !(request == fontRequest_)) {
        fontRequest_ = std::move(request);
        font_ = findFont(fontRequest_);
        fontFound_ = true;
    }
    return font_;
}

int TDirectDrawSurfaceCanvas::TextWidth(std::string_view utf8) {
    SizedFont* sized = font();
    if (!sized) return 0;
    int width = 0;
    for (char32_t c : decodeUtf8(utf8)) width += sized->GlyphFor(c).advance;
    return width;
}

TRect TDirectDrawSurfaceCanvas::TextInk(int x, int y, std::string_view utf8) {
    SizedFont* sized = font();
    if (!sized) return {};
    TRect ink{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    const int baseline = y + sized->Ascent();
    int penX = x;
    for (char32_t c : decodeUtf8(utf8)) {
        const Glyph& glyph = sized->GlyphFor(c);
        for (int row = 0; row < glyph.rows; ++row) {
            for (int column = 0; column < glyph.width; ++column) {
                if (glyph.coverage[static_cast<size_t>(row) * static_cast<size_t>(glyph.width) +
                                   static_cast<size_t>(column)] < 4)
                    continue;  // too faint for TextOut to change the pixel
                const int px = penX + glyph.left + column, py = baseline - glyph.top + row;
                ink = {std::min(ink.Left, px), std::min(ink.Top, py), std::max(ink.Right, px + 1),
                       std::max(ink.Bottom, py + 1)};
            }
        }
        penX += glyph.advance;
    }
    return ink.Left == INT_MAX ? TRect{} : ink;
}

int TDirectDrawSurfaceCanvas::TextHeight() {
    SizedFont* sized = font();
    return sized ? sized->CellHeight() : 0;
}

void TDirectDrawSurfaceCanvas::TextOut(int x, int y, std::string_view utf8) {
    acquire();
    if (textObserver()) textObserver()(*this, x, y, utf8);
    SizedFont* sized = font();
    if (!sized) {
        penPos_ = {x, y};
        return;
    }
    glyphs_.clear();
    int64_t width = 0;
    for (char32_t c : decodeUtf8(utf8)) {
        glyphs_.push_back(&sized->GlyphFor(c));
        width += glyphs_.back()->advance;
    }
    if (Brush.Style == bsSolid) {
        fill(x, y, x + width, int64_t{y} + sized->CellHeight(), Brush.Color);
    }
    const uint16_t color = toRgb565(Font.Color);
    const int64_t baseline = int64_t{y} + sized->Ascent();
    int64_t penX = x;
    for (const Glyph* glyph : glyphs_) {
        drawGlyph(*glyph, penX + glyph->left, baseline - glyph->top, color);
        penX += glyph->advance;
    }
    penPos_ = {static_cast<int>(std::clamp<int64_t>(x + width, INT_MIN, INT_MAX)), y};
}

void TDirectDrawSurfaceCanvas::drawGlyph(const Glyph& glyph, int64_t left, int64_t top, uint16_t color) {
    const TRect visible = visiblePart(left, top, left + glyph.width, top + glyph.rows, surface_);
    // The three channels spread apart in one word (green high, red and blue
    // low) so that one multiply blends them all; coverage in 1/32 steps.
    auto spread = [](uint16_t p) { return (p | (static_cast<uint32_t>(p) << 16)) & 0x07E0F81Fu; };
    const uint32_t ink = spread(color);
    for (int py = visible.Top; py < visible.Bottom; ++py) {
        const uint8_t* cover = glyph.coverage.data() + static_cast<size_t>(py - top) * static_cast<size_t>(glyph.width);
        uint16_t* row = surface_.Row(py);
        for (int px = visible.Left; px < visible.Right; ++px) {
            const uint32_t weight = (cover[px - left] + 4u) >> 3;
            if (weight == 0) continue;
            if (weight == 32) {
                row[px] = color;
                continue;
            }
            const uint32_t mixed = ((ink * weight + spread(row[px]) * (32 - weight)) >> 5) & 0x07E0F81Fu;
            row[px] = static_cast<uint16_t>(mixed | (mixed >> 16));
        }
    }
}

void TDirectDrawSurfaceCanvas::fill(int64_t left, int64_t top, int64_t right, int64_t bottom, TColor color) {
    const TRect visible = visiblePart(left, top, right, bottom, surface_);
    if (visible.Empty()) return;
    const uint16_t value = toRgb565(color);
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        std::fill(surface_.Row(y) + visible.Left, surface_.Row(y) + visible.Right, value);
    }
}

void TDirectDrawSurfaceCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    acquire();
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 == x1 || y2 == y1) return;
    const int64_t left = x1, top = y1, right = x2, bottom = y2;
    if (Brush.Style == bsSolid) fill(left + 1, top + 1, right - 1, bottom - 1, Brush.Color);
    fill(left, top, right, top + 1, Pen.Color);
    fill(left, bottom - 1, right, bottom, Pen.Color);
    fill(left, top, left + 1, bottom, Pen.Color);
    fill(right - 1, top, right, bottom, Pen.Color);
}

void TDirectDrawSurfaceCanvas::LineTo(int x, int y) {
    acquire();
    const int64_t x0 = penPos_.x, y0 = penPos_.y;
    penPos_ = {x, y};
    const int64_t dx = x - x0, dy = y - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t major0 = xMajor ? x0 : y0, minor0 = xMajor ? y0 : x0;
    const int64_t majorLength = std::llabs(xMajor ? dx : dy), minorLength = std::llabs(xMajor ? dy : dx);
    const int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1, minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t majorSize = xMajor ? surface_.Width() : surface_.Height();
    if (majorLength == 0) return;
    // Only the steps whose major coordinate lies on the surface are walked,
    // so a line to a far-away point costs no more than one across the surface.
    int64_t first = majorStep > 0 ? -major0 : major0 - (majorSize - 1);
    int64_t last = majorStep > 0 ? majorSize - 1 - major0 : major0;
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, majorLength - 1);
    const uint16_t value = toRgb565(Pen.Color);
    for (int64_t i = first; i <= last; ++i) {
        const int64_t major = major0 + majorStep * i;
        // 128 bits: i x minorLength may exceed 63 bits for far-away points.
        const auto offset = static_cast<int64_t>((static_cast<__int128>(2) * i * minorLength + majorLength) /
                                                 (static_cast<__int128>(2) * majorLength));
        const int64_t minor = minor0 + minorStep * offset;
        const int64_t px = xMajor ? major : minor, py = xMajor ? minor : major;
        if (px >= 0 && py >= 0 && px < surface_.Width() && py < surface_.Height()) {
            surface_.SetPixel(static_cast<int>(px), static_cast<int>(py), value);
        }
    }
}

}  // namespace ik
