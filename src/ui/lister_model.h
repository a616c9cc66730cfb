// The list screens' model: the one `lister` with up to three panes of rows built from a
// backpack, a cell or container, the equipment slots, the quickslots or the talents, with the
// selected amounts, prices and totals of a trade. Opened by the main commands, the dialogs and
// the loot screen; drawn by the list-screen drawing, changed by the list-screen commands.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "records/layout_item.h"

namespace dravok {

// What a pane lists.
enum lister_kind : int {
    list_none = 0,
    list_backpack = 1,
    list_ground = 2,
    list_equipment = 3,
    list_quickslots = 4,
    list_quickslotable = 5,
    list_talents = 6,
    list_level_items = 7,
};
constexpr int all_items_group = 255;
// The shopkeeper's pending line: the customer came, went, bought, or sold.
enum shop_event : int {
    shop_event_start = 1,
    shop_event_end = 2,
    shop_event_customer_bought = 3,
    shop_event_shopkeeper_bought = 4,
};
constexpr int max_page_rows = 36;

struct tlister_item {
    std::string text, header, slot_name, note;
    int group = 0, image = 0, item = 0, plan = 0, amount = 0, selected = 0, selectable = 0;
    int slot_items = 0, slot = 0, quickslot = 0, row_kind = 0, price = 0, distance = 0;
    bool grey = false, red = false, green = false, locked = false, marked = false, unaffordable = false;
    char hotkey = 0;
    bool is_header() const { return !header.empty(); }
};

struct tlister_pane {
    std::string title, filter;
    int kind = list_none, owner = 0, x = 0, y = 0;
    int top = 0, cursor = 0, first_shown = 0, last_shown = 0, rows_shown = 0;
    int selected_total = 0, coins = 0;
    std::vector<int> groups;
    bool sort_by_time = false, sort_by_distance = false, container = false, side_panel = false;
    bool last_row_shown = false, picking = false, return_to_main = false, shop = false;
    std::vector<tlister_item> rows; // from 1; entry 0 unused
    int row_count() const { return int(rows.size()) - 1; }
};

struct tlister {
    int pane_count = 0, current = 0, ground_x = 0, ground_y = 0, partner = 0, shop_event = 0;
    bool changed = false;
    bool details = true; // the item-details switch: the info panel describes the cursor's item
    bool compare = false;
    std::string message;
    std::array<tlister_pane, 4> panes; // 1..3
};
extern tlister lister;

void reset_lister();
// Opens the inventory screen: panes of the two kinds (0 for none), the cursor in current_pane.
void open_inventory(int being, int partner, int kind1, int kind2, int current_pane, bool self);
void create_lister(int pane);
void set_pane_columns(int pane);
void update_lister_totals();
// The absolute row under the pane's cursor, 0 when none.
int lister_cursor_row(int pane);
// Puts the cursor on the row (a header row moves it to the next item row).
void set_lister_cursor(int pane, int row);
// How many rows a page of the list screens holds.
int lister_page_rows();
// The item of a row as a record, false when the row holds none.
bool lister_row_item(int pane, int row, titem& out);
// The pane that is not current (0 with one pane).
int other_pane();
// An action taken in a list screen: the being's action kind, its time, and the changed flag.
void lister_action_taken(int being, int action_kind, int base_cost);

} // namespace dravok
