// List screens: the talent screen's pane, its keys and the quickslots of the main mode. The
// inventory and quickslot screens, until they land, show their mode and return to the map.
#include "ui/lister.h"

#include <algorithm>
#include <cctype>

#include "records/vocabulary.h"
#include "rules/effect_tables.h"
#include "rules/lasting_effects.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/layout.h"
#include "world/sprite_lookup.h"

#include "records/being_flags.h"
#include "rules/being_update.h"
#include "rules/equipment.h"
#include "rules/item_use.h"
#include "rules/talents.h"
#include "world/being.h"
#include "world/error_log.h"
#include "world/globals.h"
#include "world/item_record.h"
#include "world/message_log.h"

namespace dravok {

tlister lister;

namespace {

constexpr int key_f12 = 123;
constexpr int largest_page = 36;

bool is_row(int pane, int row) {
    return pane >= 1 && pane <= 3 && row >= 1 && row <= lister.panes[pane].row_count &&
           row < int(lister.rows[pane].size());
}
bool is_item_row(int pane, int row) {
    return is_row(pane, row) && lister.rows[pane][row].header.empty();
}

// Places the cursor on the row, scrolling the page so that it is shown.
void move_cursor_to(int pane, int row) {
    tlister_settings& p = lister.panes[pane];
    const int page = std::max(1, lister.rows_per_page);
    if (row < p.top_row) p.top_row = row;
    if (row >= p.top_row + page) p.top_row = row - page + 1;
    p.cursor = row - p.top_row + 1;
    p.rows_shown = std::min(page, p.row_count - p.top_row + 1);
}

// The next item row from the cursor in the direction; the cursor stays at either end.
void step_cursor(int pane, int direction) {
    const int from = lister_cursor_row(pane);
    for (int r = from + direction; is_row(pane, r); r += direction)
        if (is_item_row(pane, r)) {
            move_cursor_to(pane, r);
            return;
        }
}

// The talents held, active ones first and then the automatic ones, each run of one type under
// a header with the type's name.
void build_talent_rows(int pane) {
    const int owner = lister.panes[pane].owner;
    if (!is_being_ok(owner)) return;
    const tbeing& b = beings[owner];
    std::vector<tlister_item>& rows = lister.rows[pane];
    for (const bool passive_pass : {false, true}) {
        int previous_type = -1;
        for (int t = 1; t <= talent_count && t < int(talents.size()); ++t) {
            const ttalent& talent = talents[t];
            if (b.talent_of(t) == 0 || (talent.kind == talent_kind_passive) != passive_pass) continue;
            if (talent.type != previous_type) {
                tlister_item header;
                header.header =
                    talent.type < vocab::talent_types.size() ? vocab::talent_types[talent.type] : "-";
                header.header[0] = char(std::toupper(static_cast<unsigned char>(header.header[0])));
                if (passive_pass) header.header += ", automatic";
                rows.push_back(header);
                previous_type = talent.type;
            }
            tlister_item row;
            row.text = talent.name.str();
            row.image = sprite_info(sprites_talent, t).first_image;
            row.index = t;
            if (passive_pass) {
                row.grey = row.red = 1;
            } else {
                row.red = !has_stamina_for_talent(owner, t, false) || !can_use_talent_now(owner, t);
                row.green = find_duration_effect(1, owner, owner, 0, action_talent_use, t) != 0;
            }
            rows.push_back(row);
        }
    }
}

// Uses the talent of the row; true when that took the being's time.
bool use_talent_row(int being, int pane, int row, int depth) {
    depth = trace_enter(depth, trace_use_talent_row);
    if (!is_item_row(pane, row) || lister.rows[pane][row].red) return false;
    const uint32_t before = is_being_ok(being) ? beings[being].next_action_time : 0;
    use_talent(being, lister.rows[pane][row].index, teffect{}, depth);
    return is_being_ok(being) && beings[being].next_action_time != before;
}

void handle_talent_commands(int being, int command, int key, int modifier) {
    constexpr int pane = 1;
    const int depth = 0;
    const int row = lister_cursor_row(pane);
    if (key == key_escape || key == key_f12 || (key == key_enter && row == 0)) {
        game_mode = mode_main;
        return;
    }
    if (key == key_enter && modifier == 0) {
        // The list shows the being's figures before the use: the map takes over when time passed.
        if (use_talent_row(being, pane, row, depth)) game_mode = mode_main;
        if (game_mode == mode_talent) create_lister(pane);
        return;
    }
    if (key == key_up || command == MOVE_N) {
        step_cursor(pane, -1);
        return;
    }
    if (key == key_down || command == MOVE_S) {
        step_cursor(pane, 1);
        return;
    }
    if (modifier != 0 || key < '0' || key > 'Z') return;
    const char letter = char(std::tolower(key));
    for (int r = 1; is_row(pane, r); ++r) {
        if (lister.rows[pane][r].hotkey != letter) continue;
        move_cursor_to(pane, r);
        if (use_talent_row(being, pane, r, depth)) game_mode = mode_main;
        if (game_mode == mode_talent) create_lister(pane);
        return;
    }
}

} // namespace

int lister_cursor_row(int pane) {
    if (pane < 1 || pane > 3) return 0;
    const tlister_settings& p = lister.panes[pane];
    if (p.cursor < 1 || p.top_row < 1) return 0;
    const int row = p.top_row + p.cursor - 1;
    return is_item_row(pane, row) ? row : 0;
}

void create_lister(int pane) {
    if (pane < 1 || pane > 3) return;
    tlister_settings& p = lister.panes[pane];
    const int kept = lister_cursor_row(pane);
    p.row_count = p.rows_shown = p.top_row = p.cursor = 0;
    lister.rows[pane].assign(1, tlister_item{});
    switch (p.kind) {
    case list_kind_talents:
        build_talent_rows(pane);
        break;
    default:
        // not built yet: the item, equipment and quickslot lists of the list screens
        break;
    }
    p.row_count = int(lister.rows[pane].size()) - 1;
    if (p.row_count == 0) return;
    p.top_row = 1;
    p.rows_shown = std::min(std::max(1, lister.rows_per_page), p.row_count);
    // The cursor stays on its row through a rebuild, else it starts on the first item row.
    if (is_item_row(pane, kept)) {
        move_cursor_to(pane, kept);
        return;
    }
    for (int r = 1; r <= p.row_count; ++r)
        if (is_item_row(pane, r)) {
            move_cursor_to(pane, r);
            return;
        }
}

void handle_lister_commands(int being, int command, int key, int modifier) {
    if (game_mode == mode_talent) {
        handle_talent_commands(being, command, key, modifier);
        return;
    }
    // not built yet: the inventory and quickslot screens' commands; any key returns to the map
    game_mode = mode_main;
}
void reset_lister() {
    state.lister_time_passing = false;
    lister.current_pane = 0;
}
void initialize_talents(int being, int) {
    if (!is_being_ok(being)) return;
    const Bitmap& panel = list_pane_bitmaps[0];
    const int row_height = std::max(1, settings.icon_size);
    lister.rows_per_page = std::clamp(
        (panel.height() - row_height - 2 * screen_layout.panel_margin) / row_height, 1, largest_page);
    lister.panes = {};
    lister.panes[1].title = "Talents";
    lister.panes[1].kind = list_kind_talents;
    lister.panes[1].owner = being;
    create_lister(1);
    lister.pane_count = 1;
    lister.current_pane = 1;
    game_mode = mode_talent;
}
void initialize_inventory(int, int, int, int, int, int) {
    game_mode = 7;
}
void initialize_quickslots(int, int, int, int) {
    game_mode = 7;
}
namespace {

constexpr int last_armour_slot = 7; // slots 1..7 are not changed in sight of hostiles

// The slot of the active set that a weapon-set slot recorded in a quickslot stands for.
int slot_in_active_set(int recorded, int active) {
    if (recorded < set_1_main_hand || recorded > slot_set2_off) return recorded;
    const int hand = (recorded - set_1_main_hand) % 2;
    return active + hand;
}

void use_equipment_quickslot(int being, const tquickslot& q, int depth) {
    depth = trace_enter(depth, trace_use_equipment_quickslot);
    tbeing& b = beings[being];
    const int item = q.index;
    if (!is_item_ok(item, being, depth)) return;
    if (q.equipment_slot >= 1 && q.equipment_slot <= last_armour_slot && b.seen_hostiles > 0) return;
    const int active = b.active_set, other = active == set_1_main_hand ? set_2_main_hand : set_1_main_hand;
    const int worn = being_items[being][item].slot;
    if (worn >= 1 && worn <= equipment_slot_count && worn != other && worn != other + 1) {
        equip_item(being, 0, worn, depth, false);
    } else {
        const int target = slot_in_active_set(q.equipment_slot, active);
        const titem& it = being_items[being][item];
        if (weapon_set_hand_ok(being, target, it)) {
            equip_item(being, item, target, depth, false);
        } else if (target >= set_1_main_hand && target <= slot_set2_off &&
                   (has_item_flag(it, if_two_handed) || being_status(b, st_dualwield) != 0)) {
            equip_item(being, 0, active, depth, true);
            equip_item(being, 0, active + 1, depth, true);
            equip_item(being, item, target, depth, false);
        }
    }
    update_being(being, depth);
    check_ammunition(being, depth);
}

} // namespace

void use_quickslot(int being, int slot, int depth) {
    depth = trace_enter(depth, trace_use_quickslot);
    if (!is_being_ok(being, depth) || slot < 1 || slot > quickslot_count) return;
    const tquickslot q = beings[being].quickslot(slot);
    switch (q.kind) {
    case quickslot_equipment:
        use_equipment_quickslot(being, q, depth);
        break;
    case quickslot_usable_item:
        use_item(being, q.index, depth);
        break;
    case quickslot_talent:
        if (has_stamina_for_talent(being, q.index, true)) use_talent(being, q.index, teffect{}, depth);
        break;
    default:
        break;
    }
}
bool quickslot_assigned(int being, int slot) {
    return beings[being].quickslot(slot).kind != 0;
}
int build_level_loot_list(int) {
    return 0;
}

void draw_inventory_screen() {
    // not built yet: the list screens' panes, rows and commands
    clear_bitmap(screen_bitmap);
}

void free_interface_records() {
    // not built yet: the list screens' lists
    lister = tlister{};
}

} // namespace dravok
