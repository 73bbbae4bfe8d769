// A "general.dat" of plain-coloured test pictures, so that a screenshot of
// the menu or a page tells exactly what was drawn where.
#pragma once

#include <filesystem>

#include "display/Color.h"

namespace ik::test {

// The colours of the test pictures.
constexpr TColor kMenuBackground = RGB(0, 0, 96);  // "main_menu" right of x = 100
constexpr TColor kMenuStrip = RGB(0, 96, 0);       // "main_menu" left of x = 100
constexpr TColor kButtonNormal = RGB(176, 176, 176);
constexpr TColor kButtonLit = RGB(248, 200, 0);
constexpr TColor kDot = RGB(248, 0, 0);
constexpr TColor kArrow = RGB(248, 0, 248);
constexpr TColor kLoadingScreen = RGB(32, 32, 32);

// The "main_menu" picture as drawn at (0, 0).
inline TColor menuPicture(int x, int) { return x < 100 ? kMenuStrip : kMenuBackground; }

// Packs the test pictures with ironkeel-dat into `folder`/general.dat, using
// `folder`/general-source for the pictures; fails the test when it cannot.
void packTestPictures(const std::filesystem::path& folder);

}  // namespace ik::test
