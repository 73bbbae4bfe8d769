// SDL's keys in the Windows virtual-key codes that the game's key tables use.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace ik {

// Letters follow the keyboard layout (as Windows virtual keys do); digits,
// the keypad and the +/- keys go by their place on the keyboard. 0 when the
// game has no code for the key.
uint16_t virtualKeyFor(SDL_Scancode scancode, SDL_Keycode keycode);

// SDL gives no text for these keys; Windows types a control character for
// them, which the game's character handler sees. 0 for every other key.
char32_t controlCharacterFor(uint16_t virtualKey);

}  // namespace ik
