// Text, rectangles and lines on a surface, with font, brush and pen settings
// that stay with the surface from one use to the next.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "display/Color.h"
#include "display/Fonts.h"
#include "display/Rect.h"
#include "platform/Platform.h"

namespace ik {

class TDirectDrawSurface;

constexpr uint8_t fsBold = 1;
constexpr uint8_t fsItalic = 2;

enum TBrushStyle { bsSolid = 0, bsClear = 1 };

struct TFont {
    std::string Name = "Arial";
    int Size = 8;       // points
    uint8_t Style = 0;  // fsBold, fsItalic
    TColor Color = clBlack;
};

struct TBrush {
    TBrushStyle Style = bsSolid;
    TColor Color = clWhite;
};

struct TPen {
    TColor Color = clBlack;
};

class TDirectDrawSurfaceCanvas;
// Told of every text that TextOut draws on any canvas, before it is drawn:
// how the checks that every text fits its place see the game's texts.
using TextObserver = std::function<void(TDirectDrawSurfaceCanvas& canvas, int x, int y, std::string_view utf8)>;

class TDirectDrawSurfaceCanvas {
public:
    // Replaces the observer; an empty one observes nothing (the default).
    static void ObserveTexts(TextObserver observer);

    explicit TDirectDrawSurfaceCanvas(TDirectDrawSurface& surface) : surface_(surface) {}
    TDirectDrawSurfaceCanvas(const TDirectDrawSurfaceCanvas&) = delete;
    TDirectDrawSurfaceCanvas& operator=(const TDirectDrawSurfaceCanvas&) = delete;

    TFont Font;
    TBrush Brush;
    TPen Pen;

    // Text with its cells' top-left corner at (x, y); a solid brush fills the
    // cells first. The pen moves to (x + width, y).
    void TextOut(int x, int y, std::string_view utf8);
    int TextWidth(std::string_view utf8);
    // Where TextOut(x, y, utf8) would leave ink: the box of its glyphs'
    // pixels that it changes; empty (all zero) for a text without ink.
    TRect TextInk(int x, int y, std::string_view utf8);
    // The height of the text cell of the current font.
    int TextHeight();
    // Outline in the pen colour over x1..x2-1, y1..y2-1; the inside in the
    // brush colour when the brush is solid.
    void Rectangle(int x1, int y1, int x2, int y2);
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    // A line from the pen position; the end point is not drawn.
    void LineTo(int x, int y);
    Point PenPos() const { return penPos_; }

    // Ends a sequence of drawing; the surface may be blitted or flipped again.
    void Release() { holdsContext_ = false; }
    bool HoldsContext() const { return holdsContext_; }

private:
    // The first drawing call takes hold of the surface; fails with "Canvas
    // does not allow drawing" while the surface is missing or lost.
    void acquire();
    SizedFont* font();
    void fill(int64_t left, int64_t top, int64_t right, int64_t bottom, TColor color);
    void drawGlyph(const Glyph& glyph, int64_t left, int64_t top, uint16_t color);

    TDirectDrawSurface& surface_;
    Point penPos_{};
    bool holdsContext_ = false;
    // The face of the last request, kept while the font settings stay the same.
    FontRequest fontRequest_;
    SizedFont* font_ = nullptr;
    bool fontFound_ = false;
    std::vector<const Glyph*> glyphs_;
};

}  // namespace ik
