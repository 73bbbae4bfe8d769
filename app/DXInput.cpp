#include "app/DXInput.h"

#include "platform/VirtualKeys.h"

namespace ik {

TKeyAssigns gameKeyAssigns() {
    TKeyAssigns table{};
    auto assign = [&table](TDXInputState state, std::array<uint32_t, kKeysPerState> keys) {
        table[static_cast<size_t>(state)] = keys;
    };
    assign(TDXInputState::Up, {vk::letter('W'), vk::Up, vk::numpad(8)});
    assign(TDXInputState::Down, {vk::letter('S'), vk::Down, vk::numpad(5)});
    assign(TDXInputState::Left, {vk::letter('A'), vk::Left, vk::numpad(4)});
    assign(TDXInputState::Right, {vk::letter('D'), vk::Right, vk::numpad(6)});
    assign(TDXInputState::Button1, {vk::numpad(1), vk::digit(1), vk::letter('X')});
    assign(TDXInputState::Button2, {vk::numpad(2), vk::digit(2), vk::letter('C')});
    assign(TDXInputState::Button3, {vk::numpad(3), vk::digit(3), vk::letter('V')});
    assign(TDXInputState::Button32, {vk::letter('R'), 0, 0});
    return table;
}

TDXInput::TDXInput(Platform& platform, TKeyAssigns assigns) : Assigns(assigns), platform_(platform) {}

void TDXInput::Update() {
    States.clear();
    if (!platform_.active()) return;
    for (size_t state = 0; state < Assigns.size(); ++state) {
        for (uint32_t key : Assigns[state]) {
            // Codes outside 1..255 name no key of the keyboard.
            if (key >= 1 && key <= 255 && platform_.keyHeld(static_cast<uint16_t>(key))) {
                States.include(static_cast<TDXInputState>(state));
                break;
            }
        }
    }
}

}  // namespace ik
