// The list screens' model; see lister_model.h.
#include "ui/lister_model.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "records/being_flags.h"
#include "records/map_vocab.h"
#include "records/vocabulary.h"
#include "rules/action_time.h"
#include "rules/effect_tables.h"
#include "rules/equipment.h"
#include "rules/followers.h"
#include "rules/lasting_effects.h"
#include "rules/quickslots.h"
#include "rules/talents.h"
#include "ui/layout.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/coins.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/rounding.h"
#include "world/sprite_lookup.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {

tlister lister;

namespace {

constexpr int first_armour_slot = 1, last_armour_slot = 7, first_hand_slot = 13, last_hand_slot = 16;
constexpr int off_hand_1 = 14, off_hand_2 = 16;
constexpr int mind = 3;
constexpr int cheapest_ammunition = 1, cheapest_ware = 100;
constexpr int enchanted_ware = 3, precious_ware = 2000;

std::string lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string capitalised(std::string s) {
    if (!s.empty()) s[0] = char(std::toupper(static_cast<unsigned char>(s[0])));
    return s;
}

bool valid_being(int b) {
    return b >= 1 && b < int(beings.size()) && beings[b].serial > 0;
}

bool sees_hostiles(int being) {
    return valid_being(being) && beings[being].seen_hostiles > 0;
}

// The equipment slot under the other pane's cursor, 0 when it is no equipment pane.
int slot_under_other_cursor(int pane) {
    const int other = pane == 1 ? 2 : 1;
    if (other > lister.pane_count || lister.panes[other].kind != list_equipment) return 0;
    const int r = lister_cursor_row(other);
    return r >= 1 ? lister.panes[other].rows[r].slot : 0;
}

std::vector<titem>* source_list(const tlister_pane& p) {
    if (p.kind == list_backpack) return valid_being(p.owner) ? &being_items[p.owner] : nullptr;
    return &level_items;
}

// The spirit's hold on prices: buying cheaper and selling dearer, within 0.7 .. 1.3.
double price_factor(bool selling) {
    const int m = valid_being(player) ? beings[player].ability_modifier[ability_count - 1] : 0;
    const double f = selling ? 1.0 + m / 10.0 : 1.0 - m / 10.0;
    return std::clamp(f, 0.7, 1.3);
}

int rounded_price(int price) {
    if (price >= 1000) return round_half_even(price / 100.0) * 100;
    if (price >= 100) return round_half_even(price / 10.0) * 10;
    return price;
}

bool partner_buys(const titem& it) {
    return has_item_flag(it, if_device) || item_enchantment_total(it) >= enchanted_ware ||
           it.value >= uint32_t(precious_ware);
}

// The price of a row's item in a trade, 0 when the item is not traded.
int trade_price(const tlister_pane& p, const titem& it) {
    if (p.owner == lister.partner) return rounded_price(round_half_even(it.value * price_factor(false)));
    const double base = it.value * (has_item_flag(it, if_device) ? 0.5 : 0.2);
    int price = rounded_price(round_half_even(round_half_even(base) * price_factor(true)));
    const int coins = being_coins(lister.partner);
    if (coins >= 1) price = std::min(price, coins); // rounded first, then capped
    return price;
}

bool item_fits(const tlister_pane& p, int pane, const titem& it, int group) {
    if (it.plan == 0 || it.serial == 0) return false;
    if (p.kind == list_backpack && it.slot != 0) return false;
    if (group != all_items_group && !has_item_flag(it, group)) return false;
    if (p.kind == list_ground && (it.x != p.x || it.y != p.y)) return false;
    if (p.kind == list_level_items) {
        if (!on_map(it.x, it.y) || !map_cells(it.x, it.y).explored) return false;
        const int f = map_cells(it.x, it.y).furniture;
        if (it.holder != 0 && (is_shop_furniture(f) || !map_cells(it.x, it.y).looted)) return false;
        if (has_item_flag(it, if_ignore) || has_item_flag(it, if_trap)) return false;
    }
    const int slot = slot_under_other_cursor(pane);
    if (slot >= first_hand_slot && slot <= last_hand_slot && !weapon_set_hand_ok(p.owner, slot, it))
        return false;
    if (slot >= 1 && valid_being(p.owner) && !meets_ability_requirements(p.owner, it)) return false;
    if (lister.partner) {
        if (has_item_flag(it, if_coin)) return false;
        const uint32_t least = has_item_flag(it, if_ammunition) ? cheapest_ammunition : cheapest_ware;
        if (it.value < least) return false;
        if (p.owner != lister.partner && p.kind == list_backpack && !partner_buys(it)) return false;
    }
    if (!p.filter.empty() && lower(it.name.str()).find(lower(p.filter)) == std::string::npos) return false;
    return true;
}

void build_item_list(int pane) {
    tlister_pane& p = lister.panes[pane];
    std::vector<titem>* list = source_list(p);
    if (!list) return;
    if (!p.filter.empty()) {
        tlister_item h;
        h.header = "Filtered by \"" + p.filter + "\"";
        p.rows.push_back(h);
    }
    const bool hostiles = sees_hostiles(p.owner);
    for (int group : p.groups) {
        const std::size_t first = p.rows.size();
        for (std::size_t i = 1; i < list->size(); ++i) {
            const titem& it = (*list)[i];
            if (!item_fits(p, pane, it, group)) continue;
            if (p.rows.size() == first) {
                tlister_item h;
                if (group == all_items_group)
                    h.header = p.sort_by_distance ? "Sorted by distance" : "Sorted by time acquired";
                else
                    h.header = capitalised(std::string(item_flag_names[group]));
                h.group = group <= last_item_category ? group : 0;
                p.rows.push_back(h);
            }
            tlister_item r;
            r.text = item_name(it.name.str(), 1, 0, p.owner, 1);
            r.item = int(i);
            r.plan = it.plan;
            r.amount = it.amount;
            r.image = it.icon;
            if (lister.partner) r.price = trade_price(p, it);
            if (p.kind == list_backpack) {
                r.slot = get_equipment_slot(p.owner, int(i), 0);
                if (r.slot >= first_armour_slot && r.slot <= last_armour_slot && hostiles) {
                    r.slot = 0;
                    r.locked = true;
                }
                r.marked = hostiles && (has_item_flag(it, if_book) || has_item_flag(it, if_scroll));
            }
            if (p.kind == list_level_items && valid_being(player))
                r.distance = std::max(std::abs(it.x - beings[player].x), std::abs(it.y - beings[player].y));
            p.rows.push_back(r);
        }
        // Newest first, nearest first, else by name without case.
        if (p.rows.size() <= first + 1) continue;
        const auto begin = p.rows.begin() + std::ptrdiff_t(first) + 1;
        std::stable_sort(begin, p.rows.end(), [&](const tlister_item& a, const tlister_item& b) {
            if (p.sort_by_time) {
                const uint32_t ta = (*list)[a.item].time_received, tb = (*list)[b.item].time_received;
                if (ta != tb) return ta > tb;
            } else if (p.sort_by_distance && a.distance != b.distance) {
                return a.distance < b.distance;
            }
            return lower(a.text) < lower(b.text);
        });
    }
}

void build_equipment_list(int pane) {
    tlister_pane& p = lister.panes[pane];
    const bool hostiles = sees_hostiles(p.owner);
    for (int s = 1; s <= equipment_slot_count; ++s) {
        tlister_item r;
        r.slot = s;
        r.slot_name = std::string(equipment_slots[s].name);
        const int item = valid_being(p.owner) ? beings[p.owner].equipment_of(s) : 0;
        if (item >= 1 && is_item_ok(item, p.owner, 0)) {
            const titem& it = item_at(p.owner, item);
            r.text = item_name(it.name.str(), 1, 0, p.owner, 1);
            r.item = item;
            r.plan = it.plan;
            r.amount = it.amount;
            r.image = it.icon;
            r.note = r.slot_name;
        } else {
            r.text = r.slot_name;
            r.note = std::string(equipment_slots[s].description);
            r.grey = true;
        }
        if (s >= first_armour_slot && s <= last_armour_slot && hostiles) {
            r.red = true;
            r.locked = true;
        }
        r.slot_items = valid_being(p.owner) ? count_items_for_slot(p.owner, s) : 0;
        p.rows.push_back(r);
    }
}

void build_quickslot_list(int pane) {
    tlister_pane& p = lister.panes[pane];
    if (!valid_being(p.owner)) return;
    tbeing& b = beings[p.owner];
    const bool hostiles = sees_hostiles(p.owner);
    for (int slot = 1; slot <= quickslot_count; ++slot) {
        const tquickslot& q = b.quickslot(slot);
        tlister_item r;
        r.quickslot = slot;
        r.row_kind = q.kind;
        if (q.kind == quickslot_equipment || q.kind == quickslot_usable_item) {
            if (!is_item_ok(q.index, p.owner, 0)) continue;
            const titem& it = item_at(p.owner, q.index);
            r.text = item_name(it.name.str(), 1, 0, p.owner, 1);
            // Only a mind that understands the device sees how many charges it holds; things
            // that never hold charges show none.
            const bool charged = it.charges > 0 || has_item_flag(it, if_wand) || has_item_flag(it, if_horn) ||
                                 has_item_flag(it, if_figurine);
            if (charged && b.ability_of(mind) >= it.ability_minimum[mind - 1])
                r.text += " (" + std::to_string(it.charges) + ")";
            r.item = q.index;
            r.plan = it.plan;
            r.amount = it.amount;
            r.image = it.icon;
            if (it.slot >= 1 && it.slot <= equipment_slot_count)
                r.note = std::string(equipment_slots[it.slot].name);
            if (p.side_panel && q.kind == quickslot_equipment) {
                r.grey = it.slot == 0;
                r.red =
                    q.equipment_slot >= first_armour_slot && q.equipment_slot <= last_armour_slot && hostiles;
            }
        } else if (q.kind == quickslot_talent) {
            r.text = q.talent_name.str();
            r.image = q.icon;
            r.item = q.index;
            if (p.side_panel)
                r.red =
                    !has_stamina_for_talent(p.owner, q.index, false) || !can_use_talent_now(p.owner, q.index);
        } else {
            if (p.side_panel) continue;
            r.text = "empty quickslot";
            r.grey = true;
        }
        p.rows.push_back(r);
    }
}

// What may go into a quickslot: worn items and usable items in none yet.
void build_quickslotable_list(int pane) {
    tlister_pane& p = lister.panes[pane];
    if (!valid_being(p.owner)) return;
    tbeing& b = beings[p.owner];
    int free_slot = 0;
    for (int slot = 1; slot <= quickslot_count && free_slot == 0; ++slot)
        if (b.quickslot(slot).kind == 0) free_slot = slot;
    auto header = [&](const char* text) {
        tlister_item h;
        h.header = text;
        p.rows.push_back(h);
    };
    auto item_row = [&](int item, int kind) {
        const titem& it = item_at(p.owner, item);
        tlister_item r;
        r.text = item_name(it.name.str(), 1, 0, p.owner, 1);
        r.item = item;
        r.plan = it.plan;
        r.amount = it.amount;
        r.image = it.icon;
        r.row_kind = kind;
        r.quickslot = free_slot;
        if (it.slot >= 1 && it.slot <= equipment_slot_count) {
            r.slot = it.slot;
            r.note = std::string(equipment_slots[it.slot].name);
        }
        p.rows.push_back(r);
    };
    bool first = true;
    for (tquickslot worn{}; next_unslotted_equipment(p.owner, worn.equipment_slot + 1, worn);) {
        if (first) header("Equipment");
        first = false;
        item_row(worn.index, quickslot_equipment);
    }
    first = true;
    for (std::size_t i = 1; i < being_items[p.owner].size(); ++i) {
        const titem& it = being_items[p.owner][i];
        if (it.plan == 0 || it.serial == 0 || it.slot != 0 || it.quickslot != 0) continue;
        if (!is_quickslot_usable(it)) continue;
        if (first) header("Usable items");
        first = false;
        item_row(int(i), quickslot_usable_item);
    }
    first = true;
    for (int t = 1; t <= talent_count && t < int(talents.size()); ++t) {
        if (b.talent_of(t) == 0 || !is_quickslot_talent(t)) continue;
        bool slotted = false;
        for (int slot = 1; slot <= quickslot_count; ++slot)
            slotted = slotted || (b.quickslot(slot).kind == quickslot_talent && b.quickslot(slot).index == t);
        if (slotted) continue;
        if (first) header("Talents");
        first = false;
        tlister_item r;
        r.text = talents[t].name.str();
        r.item = t;
        r.image = sprite_info(sprites_talent, t).first_image;
        r.row_kind = quickslot_talent;
        r.quickslot = free_slot;
        p.rows.push_back(r);
    }
}

// The talents held, active ones first and then the automatic ones, each run of one type under
// a header with the type's name.
void build_talent_list(int pane) {
    tlister_pane& p = lister.panes[pane];
    if (!valid_being(p.owner)) return;
    const tbeing& b = beings[p.owner];
    for (const bool passive_pass : {false, true}) {
        int previous_type = -1;
        for (int t = 1; t <= talent_count && t < int(talents.size()); ++t) {
            const ttalent& talent = talents[t];
            if (b.talent_of(t) == 0 || (talent.kind == talent_kind_passive) != passive_pass) continue;
            if (talent.type != previous_type) {
                tlister_item header;
                header.header = talent.type < vocab::talent_types.size()
                                    ? capitalised(std::string(vocab::talent_types[talent.type]))
                                    : "-";
                if (passive_pass) header.header += ", automatic";
                p.rows.push_back(header);
                previous_type = talent.type;
            }
            tlister_item row;
            row.text = talent.name.str();
            row.image = sprite_info(sprites_talent, t).first_image;
            row.item = t;
            row.row_kind = quickslot_talent;
            if (passive_pass) {
                row.grey = row.red = true;
            } else {
                row.red = !has_stamina_for_talent(p.owner, t, false) || !can_use_talent_now(p.owner, t);
                row.green = find_duration_effect(1, p.owner, p.owner, 0, action_talent_use, t) != 0;
            }
            p.rows.push_back(row);
        }
    }
}

} // namespace

void reset_lister() {
    lister.ground_x = lister.ground_y = 0;
    lister.partner = 0;
    lister.shop_event = 0;
    lister.changed = false;
    lister.current = 0;
    lister.message.clear();
    state.lister_time_passing = false;
}

int lister_page_rows() {
    return std::clamp(screen_layout.list_rows, 1, max_page_rows);
}

int other_pane() {
    if (lister.pane_count < 2) return 0;
    return lister.current == 1 ? 2 : 1;
}

int lister_cursor_row(int pane) {
    if (pane < 1 || pane > 3) return 0;
    const tlister_pane& p = lister.panes[pane];
    const int r = p.top + p.cursor - 1;
    if (p.cursor < 1 || r < 1 || r > p.row_count() || p.rows[r].is_header()) return 0;
    return r;
}

void set_lister_cursor(int pane, int row) {
    tlister_pane& p = lister.panes[pane];
    const int n = p.row_count();
    while (row >= 1 && row <= n && p.rows[row].is_header())
        ++row;
    if (row < 1 || row > n) {
        p.cursor = 0;
        if (p.top < 1 && n >= 1) p.top = 1;
        return;
    }
    const int page = lister_page_rows();
    if (p.top < 1 || row < p.top) p.top = row;
    if (row >= p.top + page) p.top = row - page + 1;
    // Keep the header above the first item in sight when the page allows it.
    if (p.top == row && row > 1 && p.rows[row - 1].is_header()) p.top = row - 1;
    p.cursor = row - p.top + 1;
}

void set_pane_columns(int pane) {
    tlister_pane& p = lister.panes[pane];
    if (p.kind != list_backpack && p.kind != list_ground && p.kind != list_level_items) return;
    p.groups.clear();
    const int slot = slot_under_other_cursor(pane);
    if (slot >= 1 && slot <= equipment_slot_count) {
        if (slot == off_hand_1 || slot == off_hand_2) {
            if (valid_being(player) && beings[player].status_of(st_dualwield)) p.groups.push_back(if_melee);
            p.groups.push_back(if_shield);
        } else {
            for (int f : equipment_slots[slot].accepts)
                if (f > 0) p.groups.push_back(f);
        }
        return;
    }
    for (int g = first_item_category; g <= last_item_category; ++g)
        p.groups.push_back(g);
}

void create_lister(int pane) {
    tlister_pane& p = lister.panes[pane];
    p.top = p.cursor = 0;
    p.picking = false;
    p.rows.assign(1, tlister_item{});
    switch (p.kind) {
    case list_backpack:
    case list_ground:
    case list_level_items:
        build_item_list(pane);
        break;
    case list_equipment:
        build_equipment_list(pane);
        break;
    case list_quickslots:
        build_quickslot_list(pane);
        break;
    case list_quickslotable:
        build_quickslotable_list(pane);
        break;
    case list_talents:
        build_talent_list(pane);
        break;
    default:
        break;
    }
    if (p.row_count() >= 1) {
        p.top = 1;
        p.rows_shown = std::min(lister_page_rows(), p.row_count());
    }
}

void open_inventory(int being, int partner, int kind1, int kind2, int current_pane, bool self) {
    for (int p = 1; p <= 2; ++p)
        lister.panes[p] = tlister_pane{};
    lister.pane_count = 0;
    const int gx = lister.ground_x, gy = lister.ground_y;
    if (partner == 0 && on_map(gx, gy) && is_shop_furniture(map_cells(gx, gy).furniture)) {
        partner = find_shopkeeper(gx, gy, 0);
        if (partner != 0) lister.shop_event = shop_event_start;
    }
    if (partner == 0 && self) partner = being;
    if (!valid_being(being) || (partner != 0 && !valid_being(partner))) return;
    lister.partner = partner;
    const int kinds[3] = {0, kind1, kind2};
    for (int p = 1; p <= 2; ++p) {
        const int k = kinds[p];
        if (k == list_none) continue;
        tlister_pane& pane = lister.panes[p];
        pane.kind = k;
        pane.owner = p == 2 && partner ? partner : being;
        pane.x = beings[pane.owner].x;
        pane.y = beings[pane.owner].y;
        if (k == list_backpack) {
            pane.title = partner && partner != being ? being_name(pane.owner, 0) : "Backpack";
            if (pane.title.empty()) pane.title = "Backpack";
        } else if (k == list_ground) {
            if (on_map(gx, gy) && is_furniture_container(gx, gy)) {
                pane.title = capitalised(std::string(furniture_display_name(map_cells(gx, gy).furniture)));
                pane.container = true;
                pane.x = gx;
                pane.y = gy;
                map_cells(gx, gy).looted = 1;
            } else {
                pane.title = "Ground";
                pane.x = beings[being].x;
                pane.y = beings[being].y;
            }
        } else if (k == list_equipment) {
            pane.title = "Equipment";
            pane.owner = being;
        }
        pane.shop = partner != 0 && partner != being;
        ++lister.pane_count;
    }
    // Built in order: a backpack beside the equipment looks at the slot under its cursor.
    for (int p = 1; p <= 2; ++p) {
        if (lister.panes[p].kind == list_none) continue;
        set_pane_columns(p);
        create_lister(p);
    }
    if (lister.pane_count == 0) return;
    lister.current = std::clamp(current_pane, 1, 2);
    if (lister.panes[lister.current].kind == list_none) lister.current = 1;
    // Only the current pane starts with a cursor: a cursor in the equipment pane would narrow
    // the backpack beside it to one slot's items.
    set_lister_cursor(lister.current, 1);
    game_mode = mode_inventory;
    update_lister_totals();
}

void update_lister_totals() {
    for (int p = 1; p <= lister.pane_count; ++p) {
        tlister_pane& pane = lister.panes[p];
        pane.selected_total = 0;
        for (int r = 1; r <= pane.row_count(); ++r)
            pane.selected_total += pane.rows[r].selected * pane.rows[r].price;
        pane.coins = valid_being(pane.owner) ? being_coins(pane.owner) : 0;
    }
    for (int p = 1; p <= lister.pane_count; ++p) {
        tlister_pane& pane = lister.panes[p];
        const int other = p == 1 ? 2 : 1;
        const int coins = other <= lister.pane_count ? lister.panes[other].coins : 0;
        for (int r = 1; r <= pane.row_count(); ++r) {
            tlister_item& row = pane.rows[r];
            if (row.price <= 0)
                row.selectable = row.amount;
            else
                row.selectable = std::min(
                    row.amount, (coins - pane.selected_total + row.selected * row.price) / row.price);
            row.selectable = std::max(0, row.selectable);
        }
    }
}

bool lister_row_item(int pane, int row, titem& out) {
    out = blank_item;
    if (pane < 1 || pane > 3) return false;
    const tlister_pane& p = lister.panes[pane];
    if (row < 1 || row > p.row_count() || p.rows[row].item < 1) return false;
    const int item = p.rows[row].item;
    if (p.kind == list_backpack || p.kind == list_equipment) {
        if (!valid_being(p.owner) || !is_item_ok(item, p.owner, 0)) return false;
        out = item_at(p.owner, item);
        return true;
    }
    if (p.kind == list_ground || p.kind == list_level_items) {
        if (!is_item_ok(item, 0, 0)) return false;
        out = level_items[item];
        return true;
    }
    const int kind = p.rows[row].row_kind;
    const bool item_row = kind == quickslot_equipment || kind == quickslot_usable_item;
    if ((p.kind == list_quickslots || p.kind == list_quickslotable) && item_row) {
        if (!valid_being(p.owner) || !is_item_ok(item, p.owner, 0)) return false;
        out = item_at(p.owner, item);
        return true;
    }
    return false;
}

void lister_action_taken(int being, int action_kind, int base_cost) {
    if (!valid_being(being)) return;
    beings[being].last_action_kind = uint8_t(action_kind);
    if (base_cost > 0) {
        beings[being].next_action_time = game.game_clock + uint32_t(action_time(being, base_cost, true));
        state.lister_time_passing = true;
    }
    lister.changed = true;
}

} // namespace dravok
