// The list screens (inventory, talents, quickslots, level loot) as the rules see them.
// Called by the key dispatch, the main commands and the scheduler.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dravok {

// The list kinds of a pane.
constexpr int list_kind_talents = 6;

// One row of a pane: a header row has a header text; the others a text, an image and the item
// or talent they stand for, and their colour flags.
struct tlister_item {
    std::string text, header;
    int32_t image = 0, index = 0;
    uint8_t grey = 0, red = 0, green = 0;
    char hotkey = 0;
};

struct tlister_settings {
    std::string title;
    int32_t kind = 0, owner = 0;
    int32_t row_count = 0, rows_shown = 0, top_row = 0, cursor = 0; // cursor: within the page, 1-based
};

// The list screens' record: up to three panes side by side and their rows (1-based).
struct tlister {
    int32_t rows_per_page = 0, pane_count = 0, current_pane = 0;
    std::array<tlister_settings, 4> panes{};
    std::array<std::vector<tlister_item>, 4> rows{};
};
extern tlister lister;

// Rebuilds the rows of the pane by its list kind.
void create_lister(int pane);
// The row under the pane's cursor, 0 when none (or a header).
int lister_cursor_row(int pane);

// Kinds of the inventory screen's first pane.
constexpr int inventory_backpack = 1, inventory_ground = 2;

void handle_lister_commands(int being, int command, int key, int modifier);
void reset_lister();
void initialize_talents(int being, int depth);
void initialize_inventory(int being, int partner, int kind, int depth, int panes, int focus);
void initialize_quickslots(int being, int slot, int unused, int depth);
void use_quickslot(int being, int slot, int depth);
bool quickslot_assigned(int being, int slot);
// The level-loot list; its row count.
int build_level_loot_list(int being);
// The inventory screen (every list screen) on screen.
void draw_inventory_screen();
// Releases the list screens' three lists and the menu entries.
void free_interface_records();

} // namespace dravok
