#include "platform/keys.h"

#include <SDL.h>

#include <array>

namespace dravok {

namespace {

struct ScanEntry {
    SDL_Scancode scancode;
    uint8_t code;
};

// Position-based codes: a US keyboard's keys and the keypad.
constexpr ScanEntry scan_table[] = {
    {SDL_SCANCODE_BACKSPACE, vk::back},
    {SDL_SCANCODE_TAB, vk::tab},
    {SDL_SCANCODE_RETURN, vk::enter},
    {SDL_SCANCODE_RETURN2, vk::enter},
    {SDL_SCANCODE_KP_ENTER, vk::enter},
    {SDL_SCANCODE_LSHIFT, vk::shift},
    {SDL_SCANCODE_RSHIFT, vk::shift},
    {SDL_SCANCODE_LCTRL, vk::control},
    {SDL_SCANCODE_RCTRL, vk::control},
    {SDL_SCANCODE_LALT, vk::alt},
    {SDL_SCANCODE_RALT, vk::alt},
    {SDL_SCANCODE_MODE, vk::alt},
    {SDL_SCANCODE_PAUSE, vk::pause},
    {SDL_SCANCODE_CAPSLOCK, vk::capital},
    {SDL_SCANCODE_ESCAPE, vk::escape},
    {SDL_SCANCODE_SPACE, vk::space},
    {SDL_SCANCODE_PAGEUP, vk::prior},
    {SDL_SCANCODE_PAGEDOWN, vk::next},
    {SDL_SCANCODE_END, vk::end},
    {SDL_SCANCODE_HOME, vk::home},
    {SDL_SCANCODE_LEFT, vk::left},
    {SDL_SCANCODE_UP, vk::up},
    {SDL_SCANCODE_RIGHT, vk::right},
    {SDL_SCANCODE_DOWN, vk::down},
    {SDL_SCANCODE_PRINTSCREEN, vk::snapshot},
    {SDL_SCANCODE_INSERT, vk::insert},
    {SDL_SCANCODE_DELETE, vk::del},
    {SDL_SCANCODE_LGUI, vk::lwin},
    {SDL_SCANCODE_RGUI, vk::rwin},
    {SDL_SCANCODE_APPLICATION, vk::apps},
    {SDL_SCANCODE_KP_0, vk::numpad(0)},
    {SDL_SCANCODE_KP_1, vk::numpad(1)},
    {SDL_SCANCODE_KP_2, vk::numpad(2)},
    {SDL_SCANCODE_KP_3, vk::numpad(3)},
    {SDL_SCANCODE_KP_4, vk::numpad(4)},
    {SDL_SCANCODE_KP_5, vk::numpad(5)},
    {SDL_SCANCODE_KP_6, vk::numpad(6)},
    {SDL_SCANCODE_KP_7, vk::numpad(7)},
    {SDL_SCANCODE_KP_8, vk::numpad(8)},
    {SDL_SCANCODE_KP_9, vk::numpad(9)},
    {SDL_SCANCODE_KP_MULTIPLY, vk::multiply},
    {SDL_SCANCODE_KP_PLUS, vk::add},
    {SDL_SCANCODE_KP_MINUS, vk::subtract},
    {SDL_SCANCODE_KP_PERIOD, vk::decimal},
    {SDL_SCANCODE_KP_COMMA, vk::decimal},
    {SDL_SCANCODE_KP_DIVIDE, vk::divide},
    {SDL_SCANCODE_NUMLOCKCLEAR, vk::numlock},
    {SDL_SCANCODE_SCROLLLOCK, vk::scroll},
    {SDL_SCANCODE_SEMICOLON, vk::oem_1},
    {SDL_SCANCODE_EQUALS, vk::oem_plus},
    {SDL_SCANCODE_COMMA, vk::oem_comma},
    {SDL_SCANCODE_MINUS, vk::oem_minus},
    {SDL_SCANCODE_PERIOD, vk::oem_period},
    {SDL_SCANCODE_SLASH, vk::oem_2},
    // The top-left key carries the code the game names TILDE, as on most European layouts.
    {SDL_SCANCODE_GRAVE, vk::oem_5},
    {SDL_SCANCODE_LEFTBRACKET, vk::oem_4},
    {SDL_SCANCODE_BACKSLASH, vk::oem_5},
    {SDL_SCANCODE_NONUSHASH, vk::oem_5},
    {SDL_SCANCODE_RIGHTBRACKET, vk::oem_6},
    {SDL_SCANCODE_APOSTROPHE, vk::oem_7},
    {SDL_SCANCODE_NONUSBACKSLASH, vk::oem_102},
};

struct Tables {
    std::array<uint8_t, SDL_NUM_SCANCODES> by_scancode{};
    Tables() {
        for (const ScanEntry& e : scan_table)
            by_scancode[e.scancode] = e.code;
        for (int i = 0; i < 26; ++i)
            by_scancode[SDL_SCANCODE_A + i] = static_cast<uint8_t>(vk::a + i);
        // SDL numbers the digit row 1..9 then 0.
        for (int i = 0; i < 9; ++i)
            by_scancode[SDL_SCANCODE_1 + i] = vk::digit(i + 1);
        by_scancode[SDL_SCANCODE_0] = vk::digit(0);
        for (int i = 0; i < 12; ++i)
            by_scancode[SDL_SCANCODE_F1 + i] = vk::fn(i + 1);
        for (int i = 0; i < 12; ++i)
            by_scancode[SDL_SCANCODE_F13 + i] = vk::fn(i + 13);
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

} // namespace

uint8_t modifier_of(const KeyEvent& e) {
    if (e.shift) return vk::shift;
    if (e.ctrl) return vk::control;
    if (e.alt) return vk::alt;
    return 0;
}

uint8_t virtual_key_of(int sdl_scancode, int sdl_keycode) {
    if (sdl_keycode >= 'a' && sdl_keycode <= 'z') return vk::letter(static_cast<char>(sdl_keycode));
    // The keypad keeps its own codes, whatever character the layout gives it.
    const bool keypad = sdl_scancode >= SDL_SCANCODE_KP_DIVIDE && sdl_scancode <= SDL_SCANCODE_KP_PERIOD;
    if (!keypad) {
        switch (sdl_keycode) {
        case '+':
            return vk::oem_plus;
        case ',':
            return vk::oem_comma;
        case '-':
            return vk::oem_minus;
        case '.':
            return vk::oem_period;
        default:
            break;
        }
    }
    if (sdl_scancode <= 0 || sdl_scancode >= SDL_NUM_SCANCODES) return 0;
    return tables().by_scancode[sdl_scancode];
}

} // namespace dravok
