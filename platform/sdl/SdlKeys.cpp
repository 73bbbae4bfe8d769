#include "platform/sdl/SdlKeys.h"

#include "platform/VirtualKeys.h"

namespace ik {

namespace {

struct PlaceKey {
    SDL_Scancode scancode;
    uint16_t virtualKey;
};

constexpr PlaceKey kKeysByPlace[] = {
    {SDL_SCANCODE_RETURN, vk::Return},
    {SDL_SCANCODE_KP_ENTER, vk::Return},
    {SDL_SCANCODE_ESCAPE, vk::Escape},
    {SDL_SCANCODE_BACKSPACE, vk::Back},
    {SDL_SCANCODE_TAB, vk::Tab},
    {SDL_SCANCODE_SPACE, vk::Space},
    {SDL_SCANCODE_LEFT, vk::Left},
    {SDL_SCANCODE_RIGHT, vk::Right},
    {SDL_SCANCODE_UP, vk::Up},
    {SDL_SCANCODE_DOWN, vk::Down},
    {SDL_SCANCODE_HOME, vk::Home},
    {SDL_SCANCODE_END, vk::End},
    {SDL_SCANCODE_PAGEUP, vk::Prior},
    {SDL_SCANCODE_PAGEDOWN, vk::Next},
    {SDL_SCANCODE_INSERT, vk::Insert},
    {SDL_SCANCODE_DELETE, vk::Delete},
    {SDL_SCANCODE_LSHIFT, vk::Shift},
    {SDL_SCANCODE_RSHIFT, vk::Shift},
    {SDL_SCANCODE_LCTRL, vk::Control},
    {SDL_SCANCODE_RCTRL, vk::Control},
    {SDL_SCANCODE_LALT, vk::Menu},
    {SDL_SCANCODE_RALT, vk::Menu},
    {SDL_SCANCODE_PAUSE, vk::Pause},
    {SDL_SCANCODE_EQUALS, vk::OemPlus},
    {SDL_SCANCODE_MINUS, vk::OemMinus},
    {SDL_SCANCODE_KP_PLUS, vk::Add},
    {SDL_SCANCODE_KP_MINUS, vk::Subtract},
    {SDL_SCANCODE_KP_MULTIPLY, vk::Multiply},
    {SDL_SCANCODE_KP_DIVIDE, vk::Divide},
    {SDL_SCANCODE_KP_PERIOD, vk::Decimal},
};

// SDL numbers 1..9 before 0, both on the main row and on the keypad.
uint16_t digitKey(SDL_Scancode scancode, SDL_Scancode one, SDL_Scancode zero, uint16_t (*code)(int)) {
    if (scancode == zero) return code(0);
    if (scancode >= one && scancode < zero) return code(scancode - one + 1);
    return 0;
}

uint16_t mainRowDigit(int d) { return vk::digit(d); }
uint16_t keypadDigit(int d) { return vk::numpad(d); }

}  // namespace

uint16_t virtualKeyFor(SDL_Scancode scancode, SDL_Keycode keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) {
        return vk::letter(static_cast<char>('A' + (keycode - SDLK_a)));
    }
    // Layouts without Latin letters still give the letter of the key's place.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return vk::letter(static_cast<char>('A' + (scancode - SDL_SCANCODE_A)));
    }
    if (uint16_t d = digitKey(scancode, SDL_SCANCODE_1, SDL_SCANCODE_0, mainRowDigit)) return d;
    if (uint16_t d = digitKey(scancode, SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_0, keypadDigit)) return d;
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
        return vk::function(scancode - SDL_SCANCODE_F1 + 1);
    }
    for (const PlaceKey& key : kKeysByPlace) {
        if (key.scancode == scancode) return key.virtualKey;
    }
    return 0;
}

char32_t controlCharacterFor(uint16_t virtualKey) {
    switch (virtualKey) {
        case vk::Return:
        case vk::Escape:
        case vk::Back:
        case vk::Tab:
            return virtualKey;
        default:
            return 0;
    }
}

}  // namespace ik
