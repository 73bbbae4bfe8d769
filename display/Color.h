// Canvas colours: red in the low byte, then green, then blue.
#pragma once

#include <cstdint>

namespace ik {

using TColor = uint32_t;

constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}
constexpr uint8_t GetRValue(TColor c) { return static_cast<uint8_t>(c); }
constexpr uint8_t GetGValue(TColor c) { return static_cast<uint8_t>(c >> 8); }
constexpr uint8_t GetBValue(TColor c) { return static_cast<uint8_t>(c >> 16); }

constexpr TColor clBlack = RGB(0, 0, 0);
constexpr TColor clWhite = RGB(255, 255, 255);
constexpr TColor clGray = RGB(128, 128, 128);
constexpr TColor clYellow = RGB(255, 255, 0);

// RGB888 to RGB565 by truncation; pictures and canvas colours use the same rule.
constexpr uint16_t toRgb565(TColor c) {
    return static_cast<uint16_t>(((GetRValue(c) >> 3) << 11) | ((GetGValue(c) >> 2) << 5) | (GetBValue(c) >> 3));
}

}  // namespace ik
