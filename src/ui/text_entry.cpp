// The text-entry dialog; see text_entry.h.
#include "ui/text_entry.h"

#include <algorithm>

#include "rules/character_creation.h"
#include "ui/dialogs.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "world/game_modes.h"
#include "world/menu_model.h"

namespace dravok {

tstring_dialog string_dialog;

namespace {

constexpr int text_max_length = 20;
constexpr int name_row_action = 36;
constexpr int name_length = 30;
constexpr int key_minus = 189;

std::string trimmed(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && uint8_t(text[first]) <= ' ')
        ++first;
    while (last > first && uint8_t(text[last - 1]) <= ' ')
        --last;
    return text.substr(first, last - first);
}

// The character a key types, 0 for a key that types nothing.
char typed_character(int key, int modifier) {
    if (key == key_space || (key >= '0' && key <= '9')) return char(key);
    if (key >= 'A' && key <= 'Z') return modifier == key_shift ? char(key) : char(key - 'A' + 'a');
    if (key == key_minus) return '-';
    return 0;
}

} // namespace

void start_text_entry(int row) {
    if (row < 1 || row > menu.count || !menu_items[row].editable) return;
    const tmenu_item& item = menu_items[row];
    menu.last_action = item.action;
    menu.last_row = row;
    string_dialog = tstring_dialog{};
    string_dialog.text = item.text;
    string_dialog.x = item.text_x;
    string_dialog.y = item.text_y;
    string_dialog.font = side_panel.font();
    string_dialog.return_mode = mode_menu;
    string_dialog.menu_id = menu.id;
    string_dialog.menu_row = row;
    string_dialog.max_length = text_max_length;
    string_dialog.empty_allowed = 0;
    game_mode = mode_string;
    menu.changed = 1;
}

void handle_string_commands(int, int, int key, int modifier) {
    std::string& text = string_dialog.text;
    if (key == key_escape) {
        game_mode = string_dialog.return_mode;
    } else if (key == key_enter) {
        if (!trimmed(text).empty() || string_dialog.empty_allowed) close_text_entry();
    } else if (key == key_backspace) {
        if (!text.empty()) text.pop_back();
    } else if (int(text.size()) < string_dialog.max_length) {
        if (const char c = typed_character(key, modifier)) text += c;
    }
    if (game_mode == 0) game_mode = mode_main;
}

void draw_string_dialog() {
    Bitmap& screen = screen_bitmap;
    const FontSpec old = screen.font();
    FontSpec font = string_dialog.font;
    font.colour = 0xEEEEEE;
    screen.set_font(font);
    // Room for the longest text the field takes, over the row's old text.
    const Size box = screen.text_extent("Aj" + std::string(std::max(0, string_dialog.max_length), 'M'));
    screen.fill_rect(Rect::from_size(string_dialog.x, string_dialog.y, box.width, box.height),
                     colours::black);
    screen.set_brush_clear();
    screen.text_out(string_dialog.x, string_dialog.y, string_dialog.text + "_");
    screen.set_font(old);
}

void close_text_entry() {
    const std::string text = trimmed(string_dialog.text);
    const int row = string_dialog.menu_row;
    if (string_dialog.return_mode == mode_menu && menu.id == string_dialog.menu_id && row >= 1 &&
        row <= menu.count) {
        menu_items[row].text = text;
        if (menu_items[row].action == name_row_action)
            edited_character.name = std::string_view(text).substr(0, name_length);
    }
    game_mode = string_dialog.return_mode;
    string_dialog = tstring_dialog{};
}

} // namespace dravok
