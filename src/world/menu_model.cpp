// The current menu, its rows and the cursor moves; see menu_model.h.
#include "world/menu_model.h"

#include <algorithm>
#include <cassert>

#include "world/error_log.h"

namespace dravok {

tmenu menu;
std::vector<tmenu_item> menu_items(1);

namespace {

constexpr int initial_rows = 100, row_growth = 50;

tmenu_item make_separator() {
    tmenu_item row;
    row.alignment = 0;
    row.separator = 1;
    return row;
}

int last_row_on_page() {
    return std::min(menu.count, menu.top + menu.visible_rows - 1);
}

// The cursor onto row r, moving the page the least that shows it.
void show_row(int r) {
    if (r < menu.top) menu.top = r;
    if (r > menu.top + menu.visible_rows - 1) menu.top = r - menu.visible_rows + 1;
    menu.top = std::max(1, menu.top);
    menu.cursor = r - menu.top + 1;
}

// The nearest selectable row from r in the direction, 0 when none; never leaves the rows.
int next_selectable(int r, int direction) {
    for (r += direction; r >= 1 && r <= menu.count; r += direction)
        if (menu_row_selectable(r)) return r;
    return 0;
}

} // namespace

const tmenu_item blank_menu_item{};
const tmenu_item separator_menu_item = make_separator();

void begin_menu(int id) {
    menu = tmenu{};
    menu.id = id;
    menu.top = 1;
    menu_items.assign(initial_rows + 1, blank_menu_item);
}

int add_menu_item(const tmenu_item& row) {
    ++menu.count;
    if (menu.count >= int(menu_items.size()))
        menu_items.resize(menu_items.size() + row_growth, blank_menu_item);
    menu_items[menu.count] = row;
    return menu.count;
}

bool finish_menu(int depth) {
    depth = trace_enter(depth, trace_finish_menu);
    if (menu.count == 0) {
        error_log(depth, "No items in menu!", true);
        return false;
    }
    menu_items.resize(menu.count + 1);
    // The shape the cursor moves expect: at most one row to skip before the first selectable row,
    // and a selectable last row.
    assert(menu_row_selectable(1) || menu_row_selectable(2) || menu.count < 2);
    assert(menu_row_selectable(menu.count));
    if (menu.page_size <= 0) menu.page_size = menu.count;
    menu.visible_rows = std::min(menu.page_size, menu.count);
    menu.scrollable = menu.count > menu.visible_rows;
    menu.icon_column = 0;
    menu.binding_columns = 0;
    for (int r = 1; r <= menu.count; ++r) {
        if (menu_items[r].icon > 0 || menu_items[r].sprite > 0) menu.icon_column = 1;
        menu.binding_columns = std::max(menu.binding_columns, menu_items[r].binding_columns);
    }
    return true;
}

int find_menu_item_by_id(int id) {
    for (int r = 1; r <= menu.count; ++r)
        if (menu_items[r].id == id) return r;
    return 0;
}

int find_menu_item_by_action(int action) {
    for (int r = 1; r <= menu.count; ++r)
        if (menu_items[r].action == action) return r;
    return 0;
}

int first_row_with_id() {
    for (int r = 1; r <= menu.count; ++r)
        if (menu_items[r].id >= 1) return r;
    return 0;
}

bool menu_row_selectable(int row) {
    return row >= 1 && row <= menu.count && !menu_items[row].separator && menu_items[row].heading.empty();
}

int selected_menu_row() {
    const int r = menu.top + menu.cursor - 1;
    return r >= 1 && r <= menu.count ? r : 0;
}

void set_menu_cursor(int row) {
    if (row < 1 || row > menu.count) row = 1;
    if (!menu_row_selectable(row)) {
        const int next = next_selectable(row, 1);
        if (next != 0) row = next;
    }
    menu.top = 1;
    while (row > menu.top + menu.visible_rows - 1)
        ++menu.top;
    menu.cursor = row - menu.top + 1;
}

void menu_cursor_up() {
    const int r0 = selected_menu_row();
    const int target = next_selectable(r0, -1);
    if (target == 0) {
        // At the first selectable row: a heading above it comes into view.
        if (menu.top > 1 && r0 >= 1 && r0 <= menu.visible_rows) {
            menu.top = 1;
            menu.cursor = r0;
        }
        return;
    }
    if (target < menu.top) menu.top = std::max(1, menu.top - menu.page_size);
    show_row(target);
}

void menu_cursor_down() {
    const int r0 = selected_menu_row();
    const int target = next_selectable(r0, 1);
    if (target == 0) return;
    if (target > last_row_on_page())
        menu.top = std::max(1, std::min(menu.top + menu.visible_rows, menu.count - menu.visible_rows + 1));
    show_row(target);
}

void menu_page_up() {
    const int r0 = selected_menu_row();
    const int first = next_selectable(menu.top - 1, 1);
    if (first != 0 && first != r0 && first <= last_row_on_page() && first < r0)
        show_row(first);
    else if (menu.top > 1)
        menu_cursor_up();
}

void menu_page_down() {
    const int r0 = selected_menu_row();
    const int last = next_selectable(last_row_on_page() + 1, -1);
    if (last != 0 && last > r0 && last >= menu.top) {
        show_row(last);
        return;
    }
    if (last_row_on_page() >= menu.count) return;
    menu.top = std::max(1, std::min(menu.top + menu.visible_rows, menu.count - menu.visible_rows + 1));
    const int target = next_selectable(r0, 1);
    if (target != 0) show_row(target);
}

void menu_home() {
    menu.top = 1;
    menu.cursor = 1;
    const int first = menu_row_selectable(1) ? 1 : next_selectable(1, 1);
    if (first != 0) show_row(first);
}

void menu_end() {
    if (menu.count < 1) return;
    menu.top = std::max(1, menu.count - menu.visible_rows + 1);
    menu.cursor = menu.count - menu.top + 1;
}

void menu_jump_group() {
    const int r0 = selected_menu_row();
    int target = 0;
    for (int r = r0 + 1; r <= menu.count && target == 0; ++r)
        if (menu_items[r].separator || !menu_items[r].heading.empty()) target = r;
    if (target == 0) target = r0 == menu.count ? 1 : menu.count;
    menu.top = target;
    menu.cursor = 1;
    while (menu.top > 1 && menu.top + menu.visible_rows - 1 > menu.count) {
        --menu.top;
        ++menu.cursor;
    }
    const int r = menu.top + menu.cursor - 1;
    const int row = menu_row_selectable(r) ? r : next_selectable(r, 1);
    if (row != 0) show_row(row);
}

} // namespace dravok
