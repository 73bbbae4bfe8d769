// Windows virtual-key codes: the key tables of the game are written in them,
// whichever backend delivers the keys.
#pragma once

#include <cstdint>

namespace ik::vk {

constexpr uint16_t Back = 0x08;
constexpr uint16_t Tab = 0x09;
constexpr uint16_t Return = 0x0D;
constexpr uint16_t Shift = 0x10;
constexpr uint16_t Control = 0x11;
constexpr uint16_t Menu = 0x12;  // Alt
constexpr uint16_t Pause = 0x13;
constexpr uint16_t Escape = 0x1B;
constexpr uint16_t Space = 0x20;
constexpr uint16_t Prior = 0x21;  // Page Up
constexpr uint16_t Next = 0x22;   // Page Down
constexpr uint16_t End = 0x23;
constexpr uint16_t Home = 0x24;
constexpr uint16_t Left = 0x25;
constexpr uint16_t Up = 0x26;
constexpr uint16_t Right = 0x27;
constexpr uint16_t Down = 0x28;
constexpr uint16_t Insert = 0x2D;
constexpr uint16_t Delete = 0x2E;
// '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A.
constexpr uint16_t digit(int d) { return static_cast<uint16_t>(0x30 + d); }
constexpr uint16_t letter(char upper) { return static_cast<uint16_t>(upper); }
constexpr uint16_t Numpad0 = 0x60;  // Numpad0..Numpad9 are 0x60..0x69
constexpr uint16_t numpad(int d) { return static_cast<uint16_t>(Numpad0 + d); }
constexpr uint16_t Multiply = 0x6A;
constexpr uint16_t Add = 0x6B;
constexpr uint16_t Subtract = 0x6D;
constexpr uint16_t Decimal = 0x6E;
constexpr uint16_t Divide = 0x6F;
constexpr uint16_t F1 = 0x70;  // F1..F12 are 0x70..0x7B
constexpr uint16_t function(int n) { return static_cast<uint16_t>(F1 + n - 1); }
constexpr uint16_t OemPlus = 0xBB;
constexpr uint16_t OemMinus = 0xBD;

}  // namespace ik::vk
