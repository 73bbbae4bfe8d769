// The display's option flags: the set requested by the form and the
// effective set the display actually runs with.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace ik {

enum TDXDrawOption : uint8_t {
    doFullScreen = 0,
    doNoWindowChange = 1,
    doAllowReboot = 2,
    doWaitVBlank = 3,
    doAllowPalette256 = 4,
    doSystemMemory = 5,
    doStretch = 6,
    doCenter = 7,
    doFlip = 8,
    do3D = 9,
    doDirectX7Mode = 10,
    doRetainedMode = 11,
    doHardware = 12,
    doSelectDriver = 13,
    doZBuffer = 14,
};

class TDXDrawOptions {
public:
    constexpr TDXDrawOptions() = default;
    constexpr TDXDrawOptions(std::initializer_list<TDXDrawOption> options) {
        for (TDXDrawOption o : options) bits_ = static_cast<uint16_t>(bits_ | bit(o));
    }
    static constexpr TDXDrawOptions FromBits(uint16_t bits) {
        TDXDrawOptions o;
        o.bits_ = bits & 0x7FFF;
        return o;
    }

    constexpr bool Has(TDXDrawOption o) const { return (bits_ & bit(o)) != 0; }
    constexpr TDXDrawOptions& Include(TDXDrawOption o) {
        bits_ = static_cast<uint16_t>(bits_ | bit(o));
        return *this;
    }
    constexpr TDXDrawOptions& Exclude(TDXDrawOption o) {
        bits_ = static_cast<uint16_t>(bits_ & ~bit(o));
        return *this;
    }
    constexpr TDXDrawOptions& Set(TDXDrawOption o, bool on) { return on ? Include(o) : Exclude(o); }
    constexpr uint16_t Bits() const { return bits_; }
    friend constexpr bool operator==(TDXDrawOptions, TDXDrawOptions) = default;

private:
    static constexpr uint16_t bit(TDXDrawOption o) { return static_cast<uint16_t>(1u << o); }
    uint16_t bits_ = 0;
};

// What the game's form requests: everything but doSystemMemory.
inline constexpr TDXDrawOptions kGameDrawOptions{
    doFullScreen, doNoWindowChange, doAllowReboot,  doWaitVBlank, doAllowPalette256, doStretch, doCenter, doFlip,
    do3D,         doDirectX7Mode,   doRetainedMode, doHardware,   doSelectDriver,    doZBuffer};

// The effective set before initialisation. doHardware is always cleared here:
// only a device that turns out to be hardware sets it again.
TDXDrawOptions effectiveOptions(TDXDrawOptions requested);

}  // namespace ik
