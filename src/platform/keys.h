// Keys: the game's key codes are Windows virtual-key numbers 1..255 (the key-bindings file stores
// them). This unit holds their names as constants and the one table that maps SDL's scancodes
// and keycodes to them. Called by the event loop; tests call the mapping directly.
//
// Letters follow the keyboard layout (the key that types "a" is vk::a), as do the four OEM keys
// that name a character (+ , - .). Everything else goes by position on a US keyboard, except
// that the key left of "1" gives 220 (the key the game calls TILDE, where most European layouts
// have it). The numeric keypad always gives the NUMPAD codes, whatever the Num Lock state, and
// AltGr counts as Alt.
#pragma once
#include <cstdint>

namespace dravok {

namespace vk {
constexpr uint8_t back = 8, tab = 9, clear = 12, enter = 13, shift = 16, control = 17, alt = 18, pause = 19,
                  capital = 20, escape = 27, space = 32, prior = 33, next = 34, end = 35, home = 36,
                  left = 37, up = 38, right = 39, down = 40, snapshot = 44, insert = 45, del = 46;
constexpr uint8_t key_0 = 48, key_9 = 57, a = 65, z = 90;
constexpr uint8_t lwin = 91, rwin = 92, apps = 93;
constexpr uint8_t numpad0 = 96, numpad9 = 105, multiply = 106, add = 107, subtract = 109, decimal = 110,
                  divide = 111;
constexpr uint8_t f1 = 112, f12 = 123, f24 = 135;
constexpr uint8_t numlock = 144, scroll = 145;
constexpr uint8_t oem_1 = 186, oem_plus = 187, oem_comma = 188, oem_minus = 189, oem_period = 190,
                  oem_2 = 191, oem_3 = 192, oem_4 = 219, oem_5 = 220, oem_6 = 221, oem_7 = 222, oem_102 = 226;
constexpr uint8_t fn(int n) {
    return static_cast<uint8_t>(f1 + n - 1);
} // F1..F24
constexpr uint8_t digit(int d) {
    return static_cast<uint8_t>(key_0 + d);
}
constexpr uint8_t letter(char c) {
    return static_cast<uint8_t>(c >= 'a' ? c - 'a' + a : c - 'A' + a);
}
constexpr uint8_t numpad(int d) {
    return static_cast<uint8_t>(numpad0 + d);
}
} // namespace vk

// One key press as the game sees it: the virtual-key code and the modifier state at the time.
struct KeyEvent {
    uint8_t key = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool repeat = false; // an auto-repeated press
};

// The one modifier the game reports: 16 Shift, else 17 Ctrl, else 18 Alt, else 0.
uint8_t modifier_of(const KeyEvent& e);

// The virtual-key code of an SDL key (scancode and keycode as SDL reports them); 0 when the
// key has no code in the game.
uint8_t virtual_key_of(int sdl_scancode, int sdl_keycode);

} // namespace dravok
