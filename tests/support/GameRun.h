// Runs the real game in its headless mode on a working folder of its own,
// with a "general.dat" of plain-coloured test pictures, so that a screenshot
// tells exactly what was drawn where.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "display/Color.h"
#include "tests/hub/PngFiles.h"
#include "tests/hub/TempFolder.h"

namespace ik::test {

// The colours of the test pictures.
constexpr TColor kMenuBackground = RGB(0, 0, 96);  // "main_menu" right of x = 100
constexpr TColor kMenuStrip = RGB(0, 96, 0);       // "main_menu" left of x = 100
constexpr TColor kButtonNormal = RGB(176, 176, 176);
constexpr TColor kButtonLit = RGB(248, 200, 0);
constexpr TColor kDot = RGB(248, 0, 0);
constexpr TColor kArrow = RGB(248, 0, 248);
constexpr TColor kLoadingScreen = RGB(32, 32, 32);

// What lies under a text: the colour of each pixel before the text was drawn.
using Backdrop = std::function<TColor(int x, int y)>;
inline Backdrop plainBackdrop(TColor colour) {
    return [colour](int, int) { return colour; };
}
// The "main_menu" picture as drawn at (0, 0).
inline TColor menuPicture(int x, int) { return x < 100 ? kMenuStrip : kMenuBackground; }

// A text as the game should have drawn it.
struct ExpectedText {
    int x;
    int y;
    const char* font;
    int size;
    bool bold;
    TColor colour;
    std::string text;
};

class HubGame : public ::testing::Test {
protected:
    void SetUp() override;

    void storeScores(const std::string& content);
    std::string storedScores() const;

    struct Outcome {
        int status = -1;
        std::string errors;  // what the game wrote on stderr
    };
    // Runs the script with seed 1 and any further `options`; the shots and
    // states it names land in the working folder.
    Outcome play(const std::string& script, const std::string& options = "");

    nlohmann::json state(const std::string& name) const;
    Frame shot(const std::string& name) const;

    // Pixels of the text, as the canvas draws it on that backdrop, that the
    // frame shows otherwise; -1 when the text draws nothing at all.
    static int textMismatches(const Frame& frame, const ExpectedText& text, const Backdrop& backdrop);
    // Pixels of exactly that colour inside the rectangle.
    static int count(const Frame& frame, int left, int top, int right, int bottom, TColor colour);

    TempFolder work;
    TempFolder scores;
};

}  // namespace ik::test
