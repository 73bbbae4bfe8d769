// Where the 800 x 600 picture goes on common and odd screen sizes, and how
// pointer positions map between the screen and the display.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/Scaling.h"

namespace ik {
namespace {

struct FitCase {
    int width;
    int height;
    bool integerScale;
    Viewport expected;
};

std::string describe(const testing::TestParamInfo<FitCase>& info) {
    return std::to_string(info.param.width) + "x" + std::to_string(info.param.height) +
           (info.param.integerScale ? "Integer" : "Fit");
}

class FitViewport : public testing::TestWithParam<FitCase> {};

TEST_P(FitViewport, LetterboxesWithTheAspectKept) {
    const FitCase& c = GetParam();
    Viewport v = fitViewport(c.width, c.height, c.integerScale);
    EXPECT_EQ(v, c.expected) << v.x << "," << v.y << " " << v.width << "x" << v.height;
}

INSTANTIATE_TEST_SUITE_P(
    Screens, FitViewport,
    testing::Values(
        // Only factor 1 fits: stretched to the full height, bars at the sides.
        FitCase{1920, 1080, false, {240, 0, 1440, 1080}}, FitCase{1920, 1080, true, {560, 240, 800, 600}},
        FitCase{1280, 720, false, {160, 0, 960, 720}}, FitCase{1280, 720, true, {240, 60, 800, 600}},
        FitCase{1024, 768, false, {0, 0, 1024, 768}}, FitCase{1024, 768, true, {112, 84, 800, 600}},
        FitCase{800, 600, false, {0, 0, 800, 600}}, FitCase{800, 600, true, {0, 0, 800, 600}},
        // A factor of 2 or more fits: whole factors, flag or not.
        FitCase{2560, 1440, false, {480, 120, 1600, 1200}}, FitCase{2560, 1440, true, {480, 120, 1600, 1200}},
        FitCase{3840, 2160, false, {720, 180, 2400, 1800}}, FitCase{1601, 1201, false, {0, 0, 1600, 1200}},
        // Odd sizes.
        FitCase{1366, 768, false, {171, 0, 1024, 768}}, FitCase{1366, 768, true, {283, 84, 800, 600}},
        FitCase{1000, 1000, false, {0, 125, 1000, 750}}, FitCase{1599, 1199, false, {0, 0, 1598, 1199}},
        // Smaller than the display: shrunk whatever the flag says.
        FitCase{640, 480, false, {0, 0, 640, 480}}, FitCase{640, 480, true, {0, 0, 640, 480}},
        FitCase{0, 0, false, {0, 0, 0, 0}}),
    describe);

struct DesktopCase {
    int width;
    int height;
    int expectedScale;
};

class WindowScale : public testing::TestWithParam<DesktopCase> {};

TEST_P(WindowScale, LargestWholeFactorThatFits) {
    EXPECT_EQ(defaultWindowScale(GetParam().width, GetParam().height), GetParam().expectedScale);
}

INSTANTIATE_TEST_SUITE_P(Desktops, WindowScale,
                         testing::Values(DesktopCase{1920, 1080, 1}, DesktopCase{1920, 1200, 2},
                                         DesktopCase{1920, 1170, 1}, DesktopCase{2560, 1440, 2},
                                         DesktopCase{3840, 2160, 3}, DesktopCase{800, 600, 1}, DesktopCase{640, 480, 1},
                                         DesktopCase{0, 0, 1}));

struct MapCase {
    Viewport viewport;
    Point output;
    Point expected;
};

class OutputToDisplay : public testing::TestWithParam<MapCase> {};

TEST_P(OutputToDisplay, MapsAndClampsToTheDisplay) {
    Point p = outputToDisplay(GetParam().viewport, GetParam().output);
    EXPECT_EQ(p.x, GetParam().expected.x);
    EXPECT_EQ(p.y, GetParam().expected.y);
}

const Viewport kFullHd{240, 0, 1440, 1080};    // 1920 x 1080, fitted
const Viewport kDouble{480, 120, 1600, 1200};  // 2560 x 1440, factor 2

INSTANTIATE_TEST_SUITE_P(Points, OutputToDisplay,
                         testing::Values(MapCase{kFullHd, {240, 0}, {0, 0}}, MapCase{kFullHd, {1679, 1079}, {799, 599}},
                                         MapCase{kFullHd, {960, 540}, {400, 300}},
                                         // 1.8 output pixels a display pixel: the centre of 241 is still on
                                         // display pixel 0, that of 242 on pixel 1.
                                         MapCase{kFullHd, {241, 1}, {0, 0}}, MapCase{kFullHd, {242, 2}, {1, 1}},
                                         // On the bars: the nearest edge.
                                         MapCase{kFullHd, {0, 500}, {0, 278}},
                                         MapCase{kFullHd, {1919, 1079}, {799, 599}},
                                         MapCase{kDouble, {481, 121}, {0, 0}}, MapCase{kDouble, {482, 123}, {1, 1}},
                                         MapCase{kDouble, {0, 0}, {0, 0}}, MapCase{kDouble, {2559, 1439}, {799, 599}}));

// (A picture shrunk below 800 x 600 has fewer output pixels than display
// pixels, so only pictures at least as large can map back.)
TEST(DisplayToOutput, EveryDisplayPixelMapsBackToItself) {
    for (const Viewport& v : {kFullHd, kDouble, Viewport{0, 0, 800, 600}, Viewport{171, 0, 1024, 768},
                              Viewport{0, 125, 1000, 750}, Viewport{720, 180, 2400, 1800}}) {
        for (int y = 0; y < kDisplayHeight; y += 7) {
            for (int x = 0; x < kDisplayWidth; x += 3) {
                Point back = outputToDisplay(v, displayToOutput(v, {x, y}));
                ASSERT_EQ(back.x, x) << "viewport " << v.width << "x" << v.height << " at y " << y;
                ASSERT_EQ(back.y, y) << "viewport " << v.width << "x" << v.height << " at x " << x;
            }
        }
    }
}

}  // namespace
}  // namespace ik

namespace ik {
namespace {

// The picture and the pointer follow the size the window has, whatever the
// desktop's: an 800 x 600 window left over from a refused full-screen request
// on a 1920 x 1080 desktop still shows the whole picture, and its clicks land.
TEST(WindowLayout, FollowsTheWindowNotTheDesktop) {
    struct Case {
        int windowWidth, windowHeight, outputWidth, outputHeight;
        Viewport picture;
        Point window;
        Point display;
    };
    const Case cases[] = {
        {800, 600, 800, 600, {0, 0, 800, 600}, {520, 130}, {520, 130}},
        {1920, 1080, 1920, 1080, {240, 0, 1440, 1080}, {240 + 936, 234}, {520, 130}},
        {1600, 1200, 1600, 1200, {0, 0, 1600, 1200}, {1040, 260}, {520, 130}},
        // High density: window coordinates are half the drawable's pixels.
        {800, 600, 1600, 1200, {0, 0, 1600, 1200}, {520, 130}, {520, 130}},
        // A window narrower than 4:3 gets bars above and below.
        {800, 1000, 800, 1000, {0, 200, 800, 600}, {0, 199}, {0, 0}},
    };
    for (const Case& c : cases) {
        const WindowLayout layout = layOutWindow(c.windowWidth, c.windowHeight, c.outputWidth, c.outputHeight, false);
        EXPECT_EQ(layout.viewport, c.picture) << c.windowWidth << "x" << c.windowHeight;
        EXPECT_EQ(windowToDisplay(layout, c.window).x, c.display.x) << c.windowWidth << "x" << c.windowHeight;
        EXPECT_EQ(windowToDisplay(layout, c.window).y, c.display.y) << c.windowWidth << "x" << c.windowHeight;
    }
}

TEST(WindowLayout, AWarpedPointerReadsBackWhereItWasPut) {
    for (auto [w, h, ow, oh] : {std::array{800, 600, 800, 600}, std::array{1920, 1080, 1920, 1080},
                                std::array{1000, 700, 2000, 1400}, std::array{640, 480, 640, 480}}) {
        const WindowLayout layout = layOutWindow(w, h, ow, oh, false);
        for (Point p : {Point{0, 0}, Point{1, 300}, Point{400, 300}, Point{799, 599}}) {
            const Point back = windowToDisplay(layout, displayToWindow(layout, p));
            // Shrunk below 800 x 600 two display pixels share a window pixel.
            const int slack = layout.viewport.width < kDisplayWidth ? 1 : 0;
            EXPECT_NEAR(back.x, p.x, slack) << w << "x" << h << " " << p.x << "," << p.y;
            EXPECT_NEAR(back.y, p.y, slack) << w << "x" << h << " " << p.x << "," << p.y;
        }
    }
}

TEST(ScaleChoice, ARequestedFactorThatDoesNotFitIsReduced) {
    struct Case {
        int requested, desktopWidth, desktopHeight;
        ScaleChoice expected;
    };
    const Case cases[] = {
        {0, 1920, 1050, {1, false}}, {1, 1920, 1050, {1, false}}, {2, 1920, 1050, {1, true}},
        {2, 2560, 1400, {2, false}}, {3, 2560, 1400, {2, true}},  {16, 3840, 2100, {3, true}},
        {1, 640, 480, {1, false}},   {2, 640, 480, {1, true}},
    };
    for (const Case& c : cases) {
        const ScaleChoice got = chooseWindowScale(c.requested, c.desktopWidth, c.desktopHeight);
        EXPECT_EQ(got.scale, c.expected.scale) << c.requested << " on " << c.desktopWidth << "x" << c.desktopHeight;
        EXPECT_EQ(got.reduced, c.expected.reduced) << c.requested << " on " << c.desktopWidth << "x" << c.desktopHeight;
    }
}

TEST(WindowPlacement, TheWholeFrameStaysOnTheUsableArea) {
    struct Case {
        Rect usable;
        int width, height;
        Rect frame;
        Point expected;
    };
    const Case cases[] = {
        // A 1080p desktop with a 30 px panel on top; a 28 px title bar.
        {{0, 30, 1920, 1050}, 800, 600, {1, 28, 2, 29}, {559 + 1, 30 + 210 + 28}},
        // As tall as the usable area: the title bar stays on it, the bottom goes.
        {{0, 30, 1920, 1050}, 1400, 1050, {1, 28, 2, 29}, {259 + 1, 30 + 28}},
        // The second monitor of two, right of the first.
        {{1920, 0, 2560, 1440}, 1600, 1200, {0, 0, 0, 0}, {1920 + 480, 120}},
        // Too small for the window: its top-left corner stays on the display.
        {{0, 0, 640, 480}, 800, 600, {0, 20, 0, 20}, {0, 20}},
    };
    for (const Case& c : cases) {
        const Point at = placeWindow(c.usable, c.width, c.height, c.frame);
        EXPECT_EQ(at.x, c.expected.x) << c.usable.x << "," << c.usable.y << " " << c.width << "x" << c.height;
        EXPECT_EQ(at.y, c.expected.y) << c.usable.x << "," << c.usable.y << " " << c.width << "x" << c.height;
    }
}

}  // namespace
}  // namespace ik
