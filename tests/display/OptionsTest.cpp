#include <gtest/gtest.h>

#include "display/DXDrawOptions.h"

namespace ik {
namespace {

struct OptionCase {
    const char* name;
    TDXDrawOptions requested;
    TDXDrawOptions effective;
};

TDXDrawOptions gameWith(std::initializer_list<TDXDrawOption> extra) {
    TDXDrawOptions o = kGameDrawOptions;
    for (TDXDrawOption e : extra) o.Include(e);
    return o;
}
TDXDrawOptions gameWithout(std::initializer_list<TDXDrawOption> removed) {
    TDXDrawOptions o = kGameDrawOptions;
    for (TDXDrawOption r : removed) o.Exclude(r);
    return o;
}

const OptionCase kCases[] = {
    {"game",
     kGameDrawOptions,
     {doFullScreen, doNoWindowChange, doAllowReboot, doWaitVBlank, doAllowPalette256, doStretch, doCenter, doFlip, do3D,
      doDirectX7Mode, doSelectDriver, doZBuffer}},
    {"windowed",
     gameWithout({doFullScreen}),
     {doWaitVBlank, doStretch, doCenter, do3D, doDirectX7Mode, doSelectDriver, doZBuffer}},
    {"no3D",
     gameWithout({do3D}),
     {doFullScreen, doNoWindowChange, doAllowReboot, doWaitVBlank, doAllowPalette256, doStretch, doCenter, doFlip}},
    {"systemMemory",
     gameWith({doSystemMemory}),
     {doFullScreen, doNoWindowChange, doAllowReboot, doWaitVBlank, doAllowPalette256, doSystemMemory, doStretch,
      doCenter, do3D, doDirectX7Mode, doSelectDriver, doZBuffer}},
    {"retainedWithoutVersion7", {do3D, doRetainedMode, doHardware}, {do3D, doRetainedMode}},
    {"hardwareAlone", {doHardware, doZBuffer}, {}},
    {"nothing", {}, {}},
};

class EffectiveOptionsTable : public ::testing::TestWithParam<OptionCase> {};

TEST_P(EffectiveOptionsTable, DerivedFromTheRequestedSet) {
    const OptionCase& c = GetParam();
    EXPECT_EQ(effectiveOptions(c.requested).Bits(), c.effective.Bits()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, EffectiveOptionsTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ik
