// The list screens' commands; see lister.h.
#include "ui/lister.h"
#include "records/layout_being.h"

#include <algorithm>

#include "platform/keys.h"
#include "records/being_flags.h"
#include "rules/being_update.h"
#include "rules/books.h"
#include "rules/chatter.h"
#include "rules/equipment.h"
#include "rules/item_use.h"
#include "rules/quickslots.h"
#include "rules/sound.h"
#include "rules/talents.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/lister_drawing.h"
#include "ui/lister_model.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/coins.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/tables.h"

namespace dravok {
namespace {

constexpr int item_sound = 8;
constexpr int action_loot = 3, action_drop = 4, action_unequip = 5, action_trade = 6;
constexpr int list_action_cost = 20, unequip_cost = 30;
constexpr int modifier_shift = 16, modifier_ctrl = 17;

bool valid_being(int b) {
    return b >= 1 && b < int(beings.size()) && beings[b].serial > 0;
}

tlister_pane& pane(int p) {
    return lister.panes[p];
}

// Rebuilds a pane keeping its top and cursor where the rows allow.
void rebuild_keeping_cursor(int p) {
    const int top = pane(p).top, cursor = pane(p).cursor;
    const bool picking = pane(p).picking;
    set_pane_columns(p);
    create_lister(p);
    pane(p).picking = picking;
    const int n = pane(p).row_count();
    // A pane the cursor never entered stays without one: an equipment pane's cursor would
    // narrow the backpack beside it to the items of that slot.
    if (n < 1 || cursor < 1) return;
    const int row = std::min(n, top + std::max(cursor, 1) - 1);
    pane(p).top = std::clamp(top, 1, n);
    set_lister_cursor(p, row);
    if (lister_cursor_row(p) == 0) {
        // The row was the last: go back to the last item row.
        for (int r = n; r >= 1; --r)
            if (!pane(p).rows[r].is_header()) {
                set_lister_cursor(p, r);
                break;
            }
    }
}

void rebuild_all() {
    for (int p = 1; p <= lister.pane_count; ++p)
        rebuild_keeping_cursor(p);
}

void move_cursor(int p, int delta) {
    tlister_pane& q = pane(p);
    const int n = q.row_count();
    int r = lister_cursor_row(p);
    if (r == 0) r = delta > 0 ? 0 : n + 1;
    for (int next = r + delta; next >= 1 && next <= n; next += delta > 0 ? 1 : -1)
        if (!q.rows[next].is_header()) {
            set_lister_cursor(p, next);
            return;
        }
    // At the top the page still scrolls up to show the first header.
    if (delta < 0 && q.top > 1) q.top = 1, q.cursor = r;
}

void page(int p, int direction) {
    for (int i = 0; i < lister_page_rows() - 1; ++i)
        move_cursor(p, direction);
}

void back_to_main() {
    game_mode = mode_main;
}

// After the screen closes: the being's figures, the loose items of the listed cells combined.
void closing(int being) {
    if (!valid_being(being)) return;
    update_being(being, 0);
    check_ammunition(being, 0);
    for (int p = 1; p <= lister.pane_count; ++p)
        if (pane(p).kind == list_ground) combine_similar_level_items(pane(p).x, pane(p).y, 0);
    lister.pane_count = 0;
    const int keeper = lister.partner;
    if (keeper != 0 && keeper != being && is_being_ok(keeper))
        add_oneliner(keeper, being, 0, 0, "", beings[keeper].identifier.str() + "_shop_end");
}

int selected_amount_or_all(tlister_item& row) {
    return row.selected > 0 ? row.selected : row.amount;
}

bool any_selected(int p) {
    for (int r = 1; r <= pane(p).row_count(); ++r)
        if (pane(p).rows[r].selected > 0) return true;
    return false;
}

void select_cursor_row_if_none(int p) {
    const int r = lister_cursor_row(p);
    if (r && !any_selected(p)) pane(p).rows[r].selected = pane(p).rows[r].selectable;
}

bool stop_for_hostiles(int being) {
    return valid_being(being) && beings[being].seen_awake_hostiles > 0;
}

// The level item of the row goes by its selected amount to the target pane's owner.
void loot_item(int p, int row, int target) {
    tlister_item& r = pane(p).rows[row];
    const int owner = pane(target).owner;
    if (!is_item_ok(r.item, 0, 0) || !valid_being(owner)) return;
    const int n = std::min(selected_amount_or_all(r), level_items[r.item].amount);
    titem copy = level_items[r.item];
    copy.amount = n;
    copy.x = copy.y = 0;
    copy.holder = 0;
    if (add_item_to_being(owner, copy, 0, 0, dice_template) == 0) return;
    adjust_item_amount(0, r.item, -n, 0);
    update_carried_weight(owner);
    check_sounds(owner, 0, 0, 0, item_sound);
}

// The owner's item goes by its selected amount onto the target pane's cell.
void drop_item(int p, int row, int target) {
    tlister_item& r = pane(p).rows[row];
    const int owner = pane(p).owner;
    if (!valid_being(owner) || !is_item_ok(r.item, owner, 0)) return;
    titem& it = item_at(owner, r.item);
    if (it.slot != 0) return;
    const int n = std::min(selected_amount_or_all(r), it.amount);
    titem copy = it;
    copy.amount = n;
    copy.quickslot = 0;
    const int x = target ? pane(target).x : beings[owner].x, y = target ? pane(target).y : beings[owner].y;
    if (add_item_to_level(x, y, copy, 0, dice_template, 0) == 0) return;
    adjust_item_amount(owner, r.item, -n, 0);
    update_carried_weight(owner);
    check_sounds(owner, 0, 0, 0, item_sound);
}

// Every selected row in order; a hostile coming into sight stops the rest.
template <typename Move> void move_selected(int p, int target, Move move) {
    for (int r = 1; r <= pane(p).row_count(); ++r) {
        if (pane(p).rows[r].selected <= 0) continue;
        move(p, r, target);
        if (stop_for_hostiles(player)) break;
    }
    rebuild_all();
}

void trade_selected(int p, int other) {
    update_lister_totals();
    const int total = pane(p).selected_total;
    if (total <= 0) return;
    const bool selling = pane(p).owner != lister.partner;
    const int buyer = selling ? lister.partner : pane(other).owner, seller = pane(p).owner;
    if (being_coins(buyer) < total) return;
    lister.shop_event = selling ? shop_event_shopkeeper_bought : shop_event_customer_bought;
    adjust_wealth(buyer, -total, 0);
    adjust_wealth(seller, total, 0);
    for (int r = 1; r <= pane(p).row_count(); ++r) {
        tlister_item& row = pane(p).rows[r];
        if (row.selected <= 0) continue;
        const bool from_level = pane(p).kind == list_ground;
        titem& it = from_level ? level_items[row.item] : item_at(seller, row.item);
        titem copy = it;
        copy.amount = std::min(row.selected, it.amount);
        copy.holder = 0;
        if (pane(other).container)
            add_item_to_level(pane(other).x, pane(other).y, copy, 0, dice_template, 0);
        else
            add_item_to_being(buyer, copy, 0, 0, dice_template);
        adjust_item_amount(from_level ? 0 : seller, row.item, -copy.amount, 0);
    }
    update_carried_weight(buyer);
    update_carried_weight(seller);
    rebuild_all();
}

// The row's item into the equipment slot or quickslot under the target pane's cursor.
void slot_item(int p, int row, int target, int target_row) {
    const int owner = pane(target).owner;
    const tlister_item& r = pane(p).rows[row];
    if (pane(target).kind == list_quickslots) {
        const int slot = pane(target).rows[target_row].quickslot;
        if (slot < 1 || !valid_being(owner)) return;
        tquickslot& q = beings[owner].quickslot(slot);
        if (r.row_kind == quickslot_talent) {
            q = tquickslot{};
            q.talent_name = r.text;
            q.icon = uint16_t(r.image);
        } else {
            if (!is_item_ok(r.item, owner, 0)) return;
            titem& it = item_at(owner, r.item);
            q = tquickslot{};
            it.quickslot = uint8_t(slot);
            if (r.row_kind == quickslot_equipment) q.equipment_slot = it.slot;
        }
        q.index = uint16_t(r.item);
        q.kind = uint8_t(r.row_kind);
        rebuild_all();
        if (pane(1).return_to_main) back_to_main();
        return;
    }
    const int slot = pane(target).rows[target_row].slot;
    equip_item(owner, r.item, slot, 0, false);
    update_being(owner, 0);
    lister.changed = true;
}

// Empties the quickslot of the row; false when it was empty.
bool empty_quickslot(int p, int row) {
    const int owner = pane(p).owner, slot = pane(p).rows[row].quickslot;
    tquickslot& q = beings[owner].quickslot(slot);
    if (q.kind == 0) return false;
    if ((q.kind == quickslot_equipment || q.kind == quickslot_usable_item) && is_item_ok(q.index, owner, 0))
        item_at(owner, q.index).quickslot = 0;
    q = tquickslot{};
    rebuild_all();
    return true;
}

// Empties the equipment slot of the row; false when it was empty.
bool empty_slot(int p, int row) {
    tlister_item& r = pane(p).rows[row];
    const int owner = pane(p).owner;
    if (!valid_being(owner) || beings[owner].equipment_of(r.slot) == 0) return false;
    equip_item(owner, 0, r.slot, 0, true);
    lister_action_taken(owner, action_unequip, r.slot == slot_quiver ? 0 : unequip_cost);
    update_being(owner, 0);
    rebuild_all();
    return true;
}

void go_picking(int p) {
    const int other = p == 1 ? 2 : 1;
    if (other > lister.pane_count || pane(other).row_count() < 1) return;
    lister.current = other;
    pane(other).picking = true;
    set_lister_cursor(other, 1);
}

void use_talent_row(int being, int p, int row);

// Enter on a row: what the row and the panes beside it call for.
void enter(int being) {
    const int c = lister.current, o = other_pane();
    const int kc = pane(c).kind, ko = o ? pane(o).kind : list_none;
    const int row = lister_cursor_row(c);
    const bool partner = lister.partner != 0 && lister.partner != being;
    if (pane(c).picking) {
        if (row && o && (ko == list_equipment || ko == list_quickslots)) {
            const int target_row = lister_cursor_row(o);
            if (target_row) slot_item(c, row, o, target_row);
        }
        lister.current = 1;
        pane(1).picking = false;
        pane(c).picking = false; // the choice is made: the pane's title no longer asks for one
        rebuild_all();
        return;
    }
    if (kc == list_backpack && ko == list_equipment && !partner) {
        if (!row) return;
        tlister_item& r = pane(c).rows[row];
        if (r.slot >= 1 && !r.locked) {
            equip_item(being, r.item, r.slot, 0, true);
            update_being(being, 0);
            rebuild_all();
            lister.changed = true;
        } else if (!r.marked && use_item(being, r.item, 0)) {
            // A book read opens its own screen: only a use that left the list ends it.
            if (game_mode == mode_inventory) back_to_main();
        } else {
            rebuild_all();
        }
        return;
    }
    if (partner && (kc == list_backpack || kc == list_ground) && (ko == list_backpack || ko == list_ground)) {
        if (!row) return;
        if (!any_selected(c) || pane(c).rows[row].selected == 0) {
            select_cursor_row_if_none(c);
            if (pane(c).rows[row].selected == 0) pane(c).rows[row].selected = pane(c).rows[row].selectable;
            return;
        }
        trade_selected(c, o);
        lister_action_taken(being, action_trade, list_action_cost);
        return;
    }
    if (kc == list_backpack && ko == list_ground) {
        select_cursor_row_if_none(c);
        move_selected(c, o, drop_item);
        lister_action_taken(being, action_drop, list_action_cost);
        return;
    }
    if (kc == list_ground) {
        select_cursor_row_if_none(c);
        move_selected(c, o ? o : c, loot_item);
        lister_action_taken(being, action_loot, list_action_cost);
        return;
    }
    if (kc == list_equipment && row) {
        const tlister_item& r = pane(c).rows[row];
        if (r.red) return;
        if (!empty_slot(c, row) && r.slot_items > 0) go_picking(c);
        return;
    }
    if (kc == list_quickslots && row) {
        if (!empty_quickslot(c, row)) go_picking(c);
        return;
    }
    if (kc == list_quickslotable && ko == list_quickslots && row) {
        const int slot = pane(c).rows[row].quickslot;
        for (int r = 1; r <= pane(o).row_count(); ++r)
            if (slot >= 1 && pane(o).rows[r].quickslot == slot) {
                slot_item(c, row, o, r);
                return;
            }
        return;
    }
    if (kc == list_talents && row) use_talent_row(being, c, row);
    if (kc == list_level_items && row) go_to_level_loot(being, pane(c).rows[row].item, 0);
}

void delete_key(int being) {
    const int c = lister.current, row = lister_cursor_row(c);
    if (!row || pane(c).picking) return;
    if (pane(c).kind == list_backpack && !pane(c).shop) {
        select_cursor_row_if_none(c);
        const int o = other_pane();
        move_selected(c, o && pane(o).kind == list_ground ? o : 0, drop_item);
        lister_action_taken(being, action_drop, list_action_cost);
    } else if (pane(c).kind == list_equipment && !pane(c).rows[row].red) {
        empty_slot(c, row);
    } else if (pane(c).kind == list_quickslots) {
        empty_quickslot(c, row);
    }
}

// Uses the talent of the row; the map takes over when that took the being's time.
void use_talent_row(int being, int p, int row) {
    const int depth = trace_enter(0, trace_use_talent_row);
    if (pane(p).rows[row].red || !is_being_ok(being)) return;
    const uint32_t before = beings[being].next_action_time;
    use_talent(being, pane(p).rows[row].item, teffect{}, depth);
    if (is_being_ok(being) && beings[being].next_action_time != before)
        back_to_main();
    else
        rebuild_keeping_cursor(p);
}

bool item_pane(int kind) {
    return kind == list_backpack || kind == list_ground || kind == list_level_items;
}

void filter_group(int p, int group) {
    tlister_pane& q = pane(p);
    if (q.groups.size() == 1 && q.groups[0] == group) {
        set_pane_columns(p);
    } else {
        q.groups.assign(1, group);
        q.sort_by_time = q.sort_by_distance = false;
    }
    create_lister(p);
}

void toggle_sort(int p) {
    tlister_pane& q = pane(p);
    bool& flag = q.kind == list_level_items ? q.sort_by_distance : q.sort_by_time;
    flag = !flag;
    if (flag)
        q.groups.assign(1, all_items_group);
    else
        set_pane_columns(p);
    create_lister(p);
}

// A book on the ground, or one of the level under the being's feet, is read where it lies.
void read_book_of_row(int being, int p, int row) {
    if (!row || !valid_being(being)) return;
    const tlister_pane& q = pane(p);
    if (q.kind != list_ground && q.kind != list_level_items) return;
    const int item = q.rows[row].item;
    if (!is_item_ok(item, 0, 0)) return;
    const titem& it = level_items[item];
    if (q.kind == list_level_items && (it.x != beings[being].x || it.y != beings[being].y)) return;
    if (!has_item_flag(it, if_book)) return;
    book_identifier = it.identifier.str();
    book_name = it.name.str();
    show_item_lore();
}

void hotkey(int being, char letter) {
    const int c = lister.current;
    tlister_pane& q = pane(c);
    for (int r = 1; r <= q.row_count(); ++r) {
        if (q.rows[r].hotkey != letter) continue;
        set_lister_cursor(c, r);
        if (q.kind == list_equipment || q.kind == list_quickslotable || q.kind == list_talents || q.picking) {
            enter(being);
        } else if (q.kind == list_level_items) {
            go_to_level_loot(being, q.rows[r].item, 0);
        } else {
            q.rows[r].selected = q.rows[r].selected ? 0 : q.rows[r].selectable;
        }
        return;
    }
}

} // namespace

void handle_lister_commands(int being, int command, int key, int modifier) {
    const int c = lister.current;
    if (c < 1 || c > lister.pane_count) {
        back_to_main();
        return;
    }
    tlister_pane& q = pane(c);
    const bool picking = q.picking;
    lister.changed = false;
    const int row = lister_cursor_row(c);
    const bool shift = modifier == modifier_shift, ctrl = modifier == modifier_ctrl;
    if (key == vk::escape || key == vk::f12 || (key == vk::enter && !row && !any_selected(c))) {
        if (picking) {
            lister.current = 1;
            q.picking = false;
        } else {
            back_to_main();
        }
    } else if (key == vk::enter && !shift && !ctrl) {
        enter(being);
    } else if (key == vk::enter && ctrl) {
        read_book_of_row(being, c, row);
    } else if (key == vk::tab && !picking) {
        if (lister.pane_count == 2) lister.current = other_pane();
    } else if (key == vk::del && !picking && q.kind != list_level_items) {
        delete_key(being);
    } else if (key == vk::up || command == MOVE_N) {
        move_cursor(c, -1);
    } else if (key == vk::down || command == MOVE_S) {
        move_cursor(c, 1);
    } else if (key == vk::prior) {
        page(c, -1);
    } else if (key == vk::next) {
        page(c, 1);
    } else if (key == vk::home) {
        set_lister_cursor(c, 1);
        q.top = 1;
    } else if (key == vk::end) {
        for (int r = q.row_count(); r >= 1; --r)
            if (!q.rows[r].is_header()) {
                set_lister_cursor(c, r);
                break;
            }
    } else if (key == vk::space && !picking) {
        if (!row && !any_selected(c))
            back_to_main();
        else if (q.kind == list_level_items && row)
            go_to_level_loot(being, q.rows[row].item, 0);
        else if (row && q.kind != list_equipment)
            q.rows[row].selected = q.rows[row].selected ? 0 : q.rows[row].selectable;
    } else if ((key == vk::left || command == MOVE_W) && !picking && q.kind != list_level_items) {
        const int o = other_pane();
        if (o && (pane(o).kind == list_equipment) && !row)
            lister.current = 1;
        else if (row)
            q.rows[row].selected = std::max(0, q.rows[row].selected - 1);
    } else if (key == vk::right || command == MOVE_E) {
        if (q.kind == list_equipment || q.kind == list_quickslots || q.kind == list_quickslotable) {
            if (lister.pane_count == 2) lister.current = 2;
        } else if (row) {
            q.rows[row].selected = std::min(q.rows[row].selectable, q.rows[row].selected + 1);
        }
    } else if (ctrl && key == vk::letter('a') && !picking && (item_pane(q.kind) || q.kind == list_talents)) {
        for (int r = 1; r <= q.row_count(); ++r)
            q.rows[r].selected = q.rows[r].selectable;
    } else if (ctrl && key == vk::letter('c') && !picking &&
               (q.kind == list_quickslots || q.kind == list_quickslotable)) {
        clear_quickslots(q.owner);
        initialize_quickslots(q.owner, 0, 0, 0);
    } else if (ctrl && key == vk::letter('c') && !picking && (item_pane(q.kind) || q.kind == list_talents)) {
        for (int r = 1; r <= q.row_count(); ++r)
            q.rows[r].selected = 0;
    } else if (key >= vk::f1 && key < vk::f1 + last_item_category && !picking && item_pane(q.kind)) {
        filter_group(c, key - vk::f1 + 1);
    } else if (key == vk::fn(10) && (q.kind == list_backpack || q.kind == list_level_items)) {
        toggle_sort(c);
    } else if (key == vk::fn(11) && q.kind != list_level_items) {
        lister.compare = !lister.compare;
    } else if (shift && key >= vk::a && key <= vk::z && !picking && c <= 2) {
        q.filter += char('a' + key - vk::a);
        set_pane_columns(c);
        create_lister(c);
    } else if (key == vk::back && !picking && !q.filter.empty()) {
        q.filter.pop_back();
        set_pane_columns(c);
        create_lister(c);
    } else if (command >= QUICKSLOT_01 && command < QUICKSLOT_01 + quickslot_count &&
               q.kind == list_quickslots && !picking) {
        // A quickslot's own key: to its row; on an empty slot or the row already chosen, its action.
        const int slot = command - QUICKSLOT_01 + 1;
        set_lister_cursor(c, slot);
        const bool holds = beings[q.owner].quickslot(slot).kind != 0;
        if (slot == row && holds)
            empty_quickslot(c, slot);
        else if (!holds)
            go_picking(c);
    } else if (!shift && !ctrl &&
               ((key >= vk::a && key <= vk::z) || (key >= vk::key_0 && key <= vk::key_9))) {
        hotkey(being, key >= vk::a ? char('a' + key - vk::a) : char('0' + key - vk::key_0));
    }
    // The other pane follows the slot under the equipment pane's cursor.
    const bool moved = key == vk::up || key == vk::down || key == vk::prior || key == vk::next ||
                       key == vk::home || key == vk::end || command == MOVE_N || command == MOVE_S;
    if (moved && game_mode == mode_inventory && lister.current == 1 && pane(1).kind == list_equipment &&
        lister.pane_count == 2) {
        set_pane_columns(2);
        create_lister(2);
    }
    update_lister_totals();
    if (game_mode == mode_main) closing(being);
}

void initialize_inventory(int being, int partner, int kind1, int kind2, int current_pane, bool self) {
    open_inventory(being, partner, kind1, kind2, current_pane, self);
}

void initialize_talents(int being, int) {
    if (!is_being_ok(being)) return;
    for (tlister_pane& p : lister.panes)
        p = tlister_pane{};
    lister.panes[1].title = "Talents";
    lister.panes[1].kind = list_talents;
    lister.panes[1].owner = being;
    create_lister(1);
    lister.pane_count = 1;
    lister.current = 1;
    set_lister_cursor(1, 1);
    game_mode = mode_talent;
}
void initialize_quickslots(int being, int slot, int side_panel_only, int) {
    if (being < 1 || being >= int(beings.size())) return;
    (void)side_panel_only; // the side panel builds its own list
    for (int p = 1; p <= 2; ++p)
        lister.panes[p] = tlister_pane{};
    lister.panes[1].title = "Quickslots";
    lister.panes[1].kind = list_quickslots;
    lister.panes[2].title = "Equipment, usable items, talents";
    lister.panes[2].kind = list_quickslotable;
    for (int p = 1; p <= 2; ++p) {
        lister.panes[p].owner = being;
        create_lister(p);
    }
    lister.pane_count = 2;
    if (slot >= 1) {
        if (lister.panes[2].row_count() < 1) return;
        set_lister_cursor(1, slot);
        lister.panes[1].return_to_main = true;
        lister.current = 2;
        lister.panes[2].picking = true;
        lister.panes[2].return_to_main = true;
        set_lister_cursor(2, 1);
    } else {
        lister.current = 1;
        set_lister_cursor(1, 1);
    }
    game_mode = mode_inventory;
    update_lister_totals();
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
int build_level_loot_list(int being) {
    reset_lister();
    lister.pane_count = 1;
    lister.panes[1] = tlister_pane{};
    lister.panes[1].kind = list_level_items;
    lister.panes[1].owner = being;
    lister.panes[1].title = "Items lying around";
    set_pane_columns(1);
    create_lister(1);
    lister.current = 1;
    set_lister_cursor(1, 1);
    update_lister_totals();
    int items = 0;
    for (int r = 1; r <= lister.panes[1].row_count(); ++r)
        items += !lister.panes[1].rows[r].is_header();
    return items;
}

void free_interface_records() {
    for (tlister_pane& p : lister.panes)
        p = tlister_pane{};
    lister.pane_count = 0;
}

} // namespace dravok
