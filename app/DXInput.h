// The polled keyboard: a table of 36 states (Up, Down, Left, Right, Button1 to
// Button32), each held while any of its up to three keys is down. The episodes
// refresh it with Update() in their frames and read States; Timer2 reads the
// states as the last refresh left them.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include "platform/Platform.h"

namespace ik {

enum class TDXInputState : uint8_t { Up, Down, Left, Right, Button1, Button2, Button3, Button32 = 35 };
constexpr int kInputStateCount = 36;
constexpr int kKeysPerState = 3;

// Button1..Button32 by number.
constexpr TDXInputState inputButton(int n) { return static_cast<TDXInputState>(3 + n); }

class TDXInputStates {
public:
    bool contains(TDXInputState state) const { return bits_.test(static_cast<size_t>(state)); }
    void include(TDXInputState state) { bits_.set(static_cast<size_t>(state)); }
    void clear() { bits_.reset(); }
    bool empty() const { return bits_.none(); }

private:
    std::bitset<kInputStateCount> bits_;
};

// Virtual-key codes per state; 0 is no key. 36 x 3 codes of 32 bits.
using TKeyAssigns = std::array<std::array<uint32_t, kKeysPerState>, kInputStateCount>;
static_assert(sizeof(TKeyAssigns) == 432, "the table is stored as 36 x 3 codes of 32 bits");

// The game's table: WASD, arrows and keypad for the directions, 1/X, 2/C, 3/V
// (main row and keypad) for Button1..3, R for Button32.
TKeyAssigns gameKeyAssigns();

class TDXInput {
public:
    explicit TDXInput(Platform& platform, TKeyAssigns assigns = gameKeyAssigns());

    // Releases every state, then, only while the window is active, reads the
    // keyboard once and holds each state one of whose keys is down.
    void Update();
    bool held(TDXInputState state) const { return States.contains(state); }

    TKeyAssigns Assigns;
    TDXInputStates States;

private:
    Platform& platform_;
};

}  // namespace ik
