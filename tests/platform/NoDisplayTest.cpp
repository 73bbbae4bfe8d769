// Without a display SDL falls back to a video driver that shows nothing; the
// window backend must refuse with one clear line instead of running unseen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/PlatformError.h"
#include "platform/sdl/DisplayDriver.h"
#include "platform/sdl/SdlPlatform.h"

namespace ik {
namespace {

struct DriverCase {
    const char* name;
    bool showsPicture;
};

class VideoDrivers : public testing::TestWithParam<DriverCase> {};

TEST_P(VideoDrivers, OnlyRealDisplaysCount) { EXPECT_EQ(showsPicture(GetParam().name), GetParam().showsPicture); }

INSTANTIATE_TEST_SUITE_P(Drivers, VideoDrivers,
                         testing::Values(DriverCase{"x11", true}, DriverCase{"wayland", true},
                                         DriverCase{"KMSDRM", true}, DriverCase{"offscreen", false},
                                         DriverCase{"dummy", false}, DriverCase{"", false}, DriverCase{nullptr, false}),
                         [](const testing::TestParamInfo<DriverCase>& info) {
                             const char* name = info.param.name;
                             return name == nullptr ? std::string("Null")
                                    : *name == 0    ? std::string("Empty")
                                                    : std::string(name);
                         });

struct EnvironmentCase {
    std::string name;
    DisplayEnvironment environment;
    VideoChoice expected;
};

class DriverChoice : public testing::TestWithParam<EnvironmentCase> {};

TEST_P(DriverChoice, SkipsWaylandOnlyWhereItCannotBeReached) {
    EXPECT_EQ(chooseVideoDriver(GetParam().environment), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, DriverChoice,
    testing::Values(
        EnvironmentCase{"DesktopSession", {"", ":0", "wayland-0", "/run/user/1000"}, VideoChoice::LetSdlChoose},
        EnvironmentCase{"X11Session", {"", ":0", "", "/run/user/1000"}, VideoChoice::LetSdlChoose},
        EnvironmentCase{"X11WithoutRuntimeFolder", {"", ":99", "", ""}, VideoChoice::AskForX11},
        EnvironmentCase{"WaylandByAbsolutePath", {"", "", "/tmp/wl-0", ""}, VideoChoice::LetSdlChoose},
        EnvironmentCase{"UsersOwnDriver", {"kmsdrm", "", "", ""}, VideoChoice::LetSdlChoose},
        EnvironmentCase{"NothingAtAll", {"", "", "", ""}, VideoChoice::NoDisplay},
        EnvironmentCase{"WaylandNameWithoutRuntimeFolder", {"", "", "wayland-0", ""}, VideoChoice::NoDisplay}),
    [](const testing::TestParamInfo<EnvironmentCase>& info) { return info.param.name; });

class InvisibleDriver : public testing::TestWithParam<const char*> {};

TEST_P(InvisibleDriver, WindowBackendRefusesWithOneLine) {
    setenv("SDL_VIDEODRIVER", GetParam(), 1);
    std::string message;
    try {
        SdlPlatform platform(SdlOptions{});
        ADD_FAILURE() << "the window backend started on the " << GetParam() << " driver";
    } catch (const PlatformError& error) {
        message = error.what();
    }
    unsetenv("SDL_VIDEODRIVER");
    EXPECT_EQ(message, noDisplayMessage(GetParam()));
    EXPECT_NE(message.find(std::string("SDL video driver: ") + GetParam()), std::string::npos);
    EXPECT_EQ(message.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Drivers, InvisibleDriver, testing::Values("offscreen", "dummy"),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
}  // namespace ik
