// The one current menu and its rows: the records every full-screen choice list is made of, the
// blank row and separator templates, adding and finding rows, which rows can be selected, and
// the cursor moves. The program's own menus are built by ui/menus; the character-creation
// menus by the creation rules, with the same records and operations.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace dravok {

// Menu ids.
constexpr int menu_main = 1, menu_load = 2, menu_settings = 3, menu_keybindings = 4, menu_game = 5,
              menu_character = 6, menu_race = 7, menu_abilities = 8, menu_skills = 9, menu_talents = 10,
              menu_update = 11;

// A row's value, default and creation numbers when it has none.
constexpr int32_t no_value = -9999;

struct tmenu_item {
    std::string text;
    std::string heading; // not empty: a group heading, not selectable
    std::string description;
    std::string text_key; // the key of the row's text-database entry
    std::string binding_texts[2];
    int32_t id = 0;
    int32_t icon = 0, sprite = 0;
    int32_t alignment = -1; // -1 left, 0 centred, 1 right
    int32_t value = no_value;
    int32_t default_value = no_value;
    int32_t min = 0, max = 0, step = 1;
    int32_t action = 0;
    int32_t creation_a = no_value, creation_b = no_value, creation_c = no_value;
    int32_t binding_columns = 0; // 2 on the command rows of the keybindings menu
    int32_t waiting_column = 0;  // the column waiting for a key, 0 none
    int32_t text_x = 0, text_y = 0;
    uint8_t value_hidden = 0;
    uint8_t disabled = 0;
    uint8_t inactive = 0;
    uint8_t toggle = 0;
    uint8_t state = 0;
    uint8_t editable = 0;
    uint8_t separator = 0;
    uint8_t creation_tables = 0;
    uint8_t level_up_tables = 0;
    uint8_t no_description_header = 0;
};

struct tmenu {
    std::string title;
    uint8_t framed = 0;
    uint8_t scrollable = 0;
    uint8_t description_panel = 0;
    uint8_t icon_column = 0;
    uint8_t changed = 0;
    uint8_t title_picture = 0;
    int32_t id = 0;
    int32_t count = 0;
    int32_t binding_columns = 0;
    int32_t page_size = 0;
    int32_t top = 1;
    int32_t last_shown = 0;
    int32_t rows_drawn = 0;
    int32_t visible_rows = 0;
    int32_t cursor = 1;
    int32_t binding_column = 1;
    int32_t last_action = 0;
    int32_t last_row = 0;
    int32_t description_rows = 0;
};

extern tmenu menu;
// The rows from entry 1.
extern std::vector<tmenu_item> menu_items;
extern const tmenu_item blank_menu_item;
extern const tmenu_item separator_menu_item;

// Empties the current menu for a build: the blank record with this id and top 1, 100 blank rows.
void begin_menu(int id);
// Appends a copy of the row; returns the new count.
int add_menu_item(const tmenu_item& row);
// After the rows are added: cut to count + 1, visible rows, scrolling, icon and binding columns.
// False (and the fatal "No items in menu!") when no row was added.
bool finish_menu(int depth);

int find_menu_item_by_id(int id);
int find_menu_item_by_action(int action);
// The first row whose id is at least 1; 0 when none.
int first_row_with_id();
bool menu_row_selectable(int row);
// The selected row (top + cursor - 1), 0 when outside the rows.
int selected_menu_row();
// The cursor to row r (1 when outside) or the next selectable row after it, the page following.
void set_menu_cursor(int row);

void menu_cursor_up();
void menu_cursor_down();
void menu_page_up();
void menu_page_down();
void menu_home();
void menu_end();
// To the first selectable row after the next heading or separator; wraps from the last row.
void menu_jump_group();

} // namespace dravok
