// SDL keys reach the game as the Windows virtual keys its tables use: letters
// by the layout, digits, keypad and +/- by their place on the keyboard.
#include <gtest/gtest.h>

#include <string>

#include "platform/VirtualKeys.h"
#include "platform/sdl/SdlKeys.h"

namespace ik {
namespace {

struct KeyCase {
    std::string name;
    SDL_Scancode scancode;
    SDL_Keycode keycode;
    uint16_t expected;
};

class KeyMapping : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyMapping, GivesTheVirtualKey) {
    EXPECT_EQ(virtualKeyFor(GetParam().scancode, GetParam().keycode), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyMapping,
                         testing::Values(KeyCase{"LetterA", SDL_SCANCODE_A, SDLK_a, vk::letter('A')},
                                         KeyCase{"LetterR", SDL_SCANCODE_R, SDLK_r, vk::letter('R')},
                                         // A German or Czech layout swaps Y and Z: the letter typed wins.
                                         KeyCase{"LayoutLetterWins", SDL_SCANCODE_Y, SDLK_z, vk::letter('Z')},
                                         // A Cyrillic layout types no Latin letter: the key's place decides.
                                         KeyCase{"NonLatinLayoutByPlace", SDL_SCANCODE_Q, 0x439, vk::letter('Q')},
                                         // The Czech top row types "+ěščřžýáíé" but is still the digit row.
                                         KeyCase{"DigitRowByPlace", SDL_SCANCODE_1, SDLK_PLUS, vk::digit(1)},
                                         KeyCase{"DigitNine", SDL_SCANCODE_9, SDLK_9, vk::digit(9)},
                                         KeyCase{"DigitZero", SDL_SCANCODE_0, SDLK_0, vk::digit(0)},
                                         KeyCase{"KeypadZero", SDL_SCANCODE_KP_0, SDLK_KP_0, vk::numpad(0)},
                                         KeyCase{"KeypadOne", SDL_SCANCODE_KP_1, SDLK_KP_1, vk::numpad(1)},
                                         KeyCase{"KeypadFive", SDL_SCANCODE_KP_5, SDLK_KP_5, vk::numpad(5)},
                                         KeyCase{"KeypadNine", SDL_SCANCODE_KP_9, SDLK_KP_9, vk::numpad(9)},
                                         KeyCase{"KeypadPlus", SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, vk::Add},
                                         KeyCase{"KeypadMinus", SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS, vk::Subtract},
                                         KeyCase{"KeypadEnter", SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, vk::Return},
                                         KeyCase{"MainRowPlus", SDL_SCANCODE_EQUALS, SDLK_EQUALS, vk::OemPlus},
                                         KeyCase{"MainRowMinus", SDL_SCANCODE_MINUS, SDLK_MINUS, vk::OemMinus},
                                         KeyCase{"Return", SDL_SCANCODE_RETURN, SDLK_RETURN, vk::Return},
                                         KeyCase{"Escape", SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, vk::Escape},
                                         KeyCase{"Space", SDL_SCANCODE_SPACE, SDLK_SPACE, vk::Space},
                                         KeyCase{"Backspace", SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, vk::Back},
                                         KeyCase{"ArrowLeft", SDL_SCANCODE_LEFT, SDLK_LEFT, vk::Left},
                                         KeyCase{"ArrowDown", SDL_SCANCODE_DOWN, SDLK_DOWN, vk::Down},
                                         KeyCase{"F1", SDL_SCANCODE_F1, SDLK_F1, vk::F1},
                                         KeyCase{"F12", SDL_SCANCODE_F12, SDLK_F12, vk::function(12)},
                                         KeyCase{"RightShift", SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, vk::Shift},
                                         KeyCase{"CapsLockHasNoCode", SDL_SCANCODE_CAPSLOCK, SDLK_CAPSLOCK, 0}),
                         [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

struct ControlCase {
    uint16_t virtualKey;
    char32_t expected;
};

class ControlCharacters : public testing::TestWithParam<ControlCase> {};

TEST_P(ControlCharacters, TypedFromTheKeyDown) {
    EXPECT_EQ(controlCharacterFor(GetParam().virtualKey), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, ControlCharacters,
                         testing::Values(ControlCase{vk::Return, 13}, ControlCase{vk::Escape, 27},
                                         ControlCase{vk::Back, 8}, ControlCase{vk::Tab, 9}, ControlCase{vk::Space, 0},
                                         ControlCase{vk::letter('A'), 0}, ControlCase{vk::Add, 0}));

}  // namespace
}  // namespace ik
