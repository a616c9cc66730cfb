#include "world/item_placement.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "world/history_file.h"
#include "world/tables.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "records/map_vocab.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/item_creation.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/random.h"
#include "world/services.h"
#include "world/settings_record.h"

namespace dravok {

int loot_target_item = 0;

namespace {

constexpr int level_list_growth = 100;
constexpr int being_list_growth = 50;

bool is_corpse_or_bones(const titem& item) {
    return has_item_flag(item, if_corpse) || has_item_flag(item, if_bones);
}

// Forgets the notes beings keep of the item on its cell.
void forget_noted_items(int x, int y, int item) {
    for (std::size_t b = 1; b < beings.size(); ++b) {
        if (!is_being_ok(int(b), 0)) continue;
        for (tnoted_item& n : beings[b].noted_items) {
            if (n.x == x && n.y == y && n.item == item) n = tnoted_item{};
        }
    }
}

void report_found_item(const titem& item) {
    std::string name = item.name.str();
    for (char& c : name)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    const std::string class_name(item.item_class ? item_flag_names[item.item_class] : std::string_view());
    if (!class_name.empty() && name.find(class_name) == std::string::npos &&
        name.find("elixir ") == std::string::npos && name.find("robe ") == std::string::npos) {
        name = class_name + " " + name;
    }
    std::string article;
    if (item.plan >= 1 && item.plan < item_plans.size() && item_plans[item.plan].game_limit == 1)
        article = "the ";
    else
        article =
            !name.empty() && std::string_view("aeiou").find(name[0]) != std::string_view::npos ? "an " : "a ";
    add_history("Found " + article + name + ".");
}

} // namespace

int first_free_slot(std::vector<titem>& list, int growth) {
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (list[i].plan == 0) return int(i);
    }
    const std::size_t old = std::max<std::size_t>(list.size(), 1);
    list.resize(old + growth, blank_item);
    return int(old);
}

int add_item_to_level(int x, int y, const titem& given, int depth, const tdice& amount_dice, int plan) {
    depth = trace_enter(depth, trace_add_item_to_level);
    if (!on_map(x, y, depth)) return 0;
    titem r = given;
    if (r.plan == 0) create_item(plan, amount_dice, depth, r);
    if (r.plan == 0) return 0;
    if (level_items.size() > 1 && r.stackable && game_mode != mode_inventory) {
        for (std::size_t i = 1; i < level_items.size(); ++i) {
            titem& it = level_items[i];
            if (it.plan == 0 || it.x != x || it.y != y || !same_item_kind(it, r)) continue;
            it.amount += r.amount;
            update_cell_item_shown(x, y, int(i));
            recount_cell_items(x, y);
            return int(i);
        }
    }
    const int slot = first_free_slot(level_items, level_list_growth);
    r.x = uint8_t(x);
    r.y = uint8_t(y);
    r.slot = 0;
    r.quickslot = 0;
    if (has_item_flag(r, if_corpse) && r.corpse_time == 0) r.corpse_time = game.game_clock;
    level_items[slot] = r;
    update_cell_item_shown(x, y, slot);
    recount_cell_items(x, y);
    update_furniture_state(x, y, 0);
    return slot;
}

void remove_item_from_level(int item, int depth) {
    depth = trace_enter(depth, trace_remove_item_from_level);
    if (!is_item_ok(item, 0, depth)) return;
    const int x = level_items[item].x, y = level_items[item].y;
    forget_noted_items(x, y, item);
    level_items[item] = blank_item;
    if (loot_target_item == item) loot_target_item = 0;
    if (cell_at(x, y).top_item == item) cell_at(x, y).top_item = 0;
    update_cell_item_shown(x, y, 0);
    recount_cell_items(x, y);
    update_furniture_state(x, y, 0);
}

void get_level_item(int item, int depth, titem& out) {
    depth = trace_enter(depth, trace_get_level_item);
    out = is_item_ok(item, 0, depth) ? level_items[item] : blank_item;
}

int add_item_to_being(int being, const titem& given, int plan, int depth, const tdice& amount_dice) {
    depth = trace_enter(depth, trace_add_item_to_being);
    if (!is_being_ok(being, depth)) return 0;
    titem r = given;
    if (r.plan == 0) create_item(plan, amount_dice, depth, r);
    if (r.plan == 0) return 0;
    if (being >= int(being_items.size())) being_items.resize(being + 1);
    std::vector<titem>& list = being_items[being];
    if (list.size() > 1 && r.stackable && game_mode != mode_inventory) {
        for (std::size_t i = 1; i < list.size(); ++i) {
            if (list[i].plan == 0 || !same_item_kind(list[i], r)) continue;
            list[i].amount += r.amount;
            return int(i);
        }
    }
    const int slot = first_free_slot(list, being_list_growth);
    tbeing& b = beings[being];
    const bool is_player = has_type_flag(b, tf_player);
    if (is_player && r.time_received == 0) {
        r.time_received = game.game_clock;
        r.depth_received = level.index;
        if (has_item_flag(r, if_sentient)) {
            b.sentient_countdown = 2;
            b.sentient_get = 2;
            b.carried_sentient = uint16_t(slot);
        }
    }
    std::string name = r.name.str();
    const std::size_t owner_at = name.find("%owner%");
    if (owner_at != std::string::npos) {
        const std::string title = b.title.str();
        const std::string owner = !title.empty() && title.back() == 's' ? title + "'" : title + "'s";
        name.replace(owner_at, 7, owner);
        r.name = name;
    }
    list[slot] = r;
    if (services.auto_equip_like_item(being, 0, slot)) services.update_being(being, depth);
    list[slot].owner_serial = uint32_t(b.serial);
    if (is_player && has_item_flag(list[slot], if_report)) report_found_item(list[slot]);
    return slot;
}

void remove_item_from_being(int being, int item, int depth) {
    depth = trace_enter(depth, trace_remove_item_from_being);
    if (!is_item_ok(item, being, depth)) return;
    tbeing& b = beings[being];
    titem& it = being_items[being][item];
    if (it.slot >= 1 && it.slot <= equipment_slot_count) {
        b.equipment_of(it.slot) = 0;
        at1(b.slot_companion, it.slot) = 0;
    }
    for (int s = 1; s <= equipment_slot_count; ++s) {
        if (b.equipment_of(s) == item) {
            b.equipment_of(s) = 0;
            at1(b.slot_companion, s) = 0;
        }
    }
    if (it.quickslot >= 1 && it.quickslot <= quickslot_count) b.quickslot(it.quickslot) = tquickslot{};
    it = blank_item;
}

void get_being_item(int being, int item, int depth, titem& out) {
    depth = trace_enter(depth, trace_get_being_item);
    out = is_item_ok(item, being, depth) ? being_items[being][item] : blank_item;
}

void drop_all_items(int being, int depth) {
    depth = trace_enter(depth, trace_drop_all_items);
    if (!is_being_ok(being, depth) || being >= int(being_items.size())) return;
    const int x = beings[being].x, y = beings[being].y;
    for (std::size_t i = 1; i < being_items[being].size(); ++i) {
        if (being_items[being][i].amount == 0 || being_items[being][i].plan == 0) continue;
        const titem copy = being_items[being][i];
        remove_item_from_being(being, int(i), depth);
        add_item_to_level(x, y, copy, depth, one_dice, 0);
    }
    recount_cell_items(x, y);
}

void update_item_count(int being) {
    if (being < 1 || being >= int(being_items.size()) || being >= int(beings.size())) return;
    int high = 0;
    for (std::size_t i = 1; i < being_items[being].size(); ++i) {
        if (being_items[being][i].serial != 0) high = int(i);
    }
    beings[being].highest_item = uint16_t(high);
}

void update_carried_weight(int being) {
    if (being < 1 || being >= int(being_items.size()) || being >= int(beings.size())) return;
    uint32_t total = 0;
    for (std::size_t i = 1; i < being_items[being].size(); ++i) {
        const titem& it = being_items[being][i];
        if (it.amount != 0) total += uint32_t(it.amount) * it.weight;
    }
    beings[being].carried_weight = total;
}

int get_being_item_index(int being, int plan, int god_number, int depth) {
    depth = trace_enter(depth, trace_get_being_item_index);
    if (!is_being_ok(being, depth) || being >= int(being_items.size())) return 0;
    for (std::size_t i = 1; i < being_items[being].size(); ++i) {
        const titem& it = being_items[being][i];
        if (it.plan != 0 && it.plan == plan && it.god_number == god_number) return int(i);
    }
    return 0;
}

int get_amount_of_items(int being, int plan, int god_number, int depth) {
    depth = trace_enter(depth, trace_get_amount_of_items);
    const int i = get_being_item_index(being, plan, god_number, depth);
    return i == 0 ? 0 : being_items[being][i].amount;
}

bool adjust_item_amount(int being, int item, int delta, int depth) {
    depth = trace_enter(depth, trace_adjust_item_amount);
    if (!is_item_ok(item, being, depth)) return false;
    titem& it = item_at(being, item);
    if (delta > 0) {
        it.amount += delta;
        return false;
    }
    if (-int64_t(delta) > std::abs(int64_t(it.amount))) {
        char text[300];
        if (being == 0) {
            std::snprintf(text, sizeof text, "Tried to decrease level-item %d (%s) amount (%d) by %d!", item,
                          it.identifier.str().c_str(), it.amount, -delta);
        } else {
            std::snprintf(
                text, sizeof text, "Tried to decrease being %d (%s) item %d (%s) amount (%d) by %d!", being,
                beings[being].identifier.str().c_str(), item, it.identifier.str().c_str(), it.amount, -delta);
        }
        error_log(depth > 0 ? depth : 1, text, false);
        return false;
    }
    it.amount += delta;
    if (it.amount != 0) return false;
    if (being == 0)
        remove_item_from_level(item, depth);
    else
        remove_item_from_being(being, item, depth);
    return true;
}

bool adjust_wealth(int being, int delta, int depth) {
    depth = trace_enter(depth, trace_adjust_wealth);
    const int coin_plan = settings.coin_plan;
    const int coins = get_being_item_index(being, coin_plan, 0, depth);
    if (coins != 0) {
        const int before = being_items[being][coins].amount;
        if (adjust_item_amount(being, coins, delta, depth)) return true;
        return being_items[being][coins].amount != before;
    }
    if (delta >= 0) {
        tdice amount;
        make_fixed_dice(delta, amount);
        return add_item_to_being(being, blank_item, coin_plan, depth, amount) != 0;
    }
    char text[300];
    const std::string id =
        coin_plan >= 1 && coin_plan < int(item_plans.size()) ? item_plans[coin_plan].identifier.str() : "";
    std::snprintf(text, sizeof text,
                  "Could not find item-type %s from being %d (%s) items! Tried to adjust the amount by %d.",
                  id.c_str(), being, is_being_ok(being, 0) ? beings[being].identifier.str().c_str() : "",
                  delta);
    error_log(depth > 0 ? depth : 1, text, false);
    return false;
}

void combine_similar_being_items(int being, int depth) {
    depth = trace_enter(depth, trace_combine_similar_being_items);
    if (!is_being_ok(being, depth) || being >= int(being_items.size())) return;
    std::vector<titem>& list = being_items[being];
    const tbeing& b = beings[being];
    auto equipped = [&](int j) {
        if (list[j].slot != 0) return true;
        for (int s = 1; s <= equipment_slot_count; ++s) {
            if (b.equipment_of(s) == j) return true;
        }
        return false;
    };
    for (std::size_t i = 1; i + 1 < list.size(); ++i) {
        if (list[i].amount == 0 || !list[i].stackable || list[i].plan == 0) continue;
        for (std::size_t j = i + 1; j < list.size(); ++j) {
            if (list[j].amount == 0 || list[j].plan == 0 || !same_item_kind(list[i], list[j])) continue;
            // A stack a quickslot or an equipment slot names is kept, so the slot never names a blank.
            if (list[j].quickslot != 0 || equipped(int(j))) continue;
            list[i].amount += list[j].amount;
            list[j] = blank_item;
        }
    }
}

void combine_similar_level_items(int x, int y, int depth) {
    depth = trace_enter(depth, trace_combine_similar_level_items);
    for (std::size_t i = 1; i + 1 < level_items.size(); ++i) {
        titem& a = level_items[i];
        if (a.plan == 0 || a.amount == 0 || !a.stackable || a.x != x || a.y != y) continue;
        for (std::size_t j = i + 1; j < level_items.size(); ++j) {
            const titem& b = level_items[j];
            if (b.plan == 0 || b.amount == 0 || b.x != x || b.y != y || !same_item_kind(a, b)) continue;
            a.amount += b.amount;
            remove_item_from_level(int(j), depth);
        }
    }
}

void recount_cell_items(int x, int y) {
    if (!on_map(x, y, 0)) return;
    uint16_t loose = 0, held = 0;
    for (std::size_t i = 1; i < level_items.size(); ++i) {
        const titem& item = level_items[i];
        if (item.plan == 0 || item.x != x || item.y != y) continue;
        if (item.holder != 0)
            ++held;
        else
            ++loose;
    }
    tcell& c = cell_at(x, y);
    c.loose_items = loose;
    c.held_items = held;
}

void update_cell_item_shown(int x, int y, int item) {
    if (!on_map(x, y, 0)) return;
    const bool valid = item >= 1 && item < int(level_items.size()) && level_items[item].plan != 0;
    const int furniture = is_furniture_container(x, y, 0);
    if (furniture == 0) {
        if (valid) level_items[item].holder = 0;
        int choice = 0;
        if (valid && !is_corpse_or_bones(level_items[item])) {
            choice = item;
        } else {
            int last_corpse = 0;
            for (std::size_t i = 1; i < level_items.size() && choice == 0; ++i) {
                const titem& it = level_items[i];
                if (it.plan == 0 || it.x != x || it.y != y) continue;
                if (is_corpse_or_bones(it))
                    last_corpse = int(i);
                else
                    choice = int(i);
            }
            if (choice == 0) choice = last_corpse;
        }
        if (choice >= 1 && choice < int(level_items.size())) cell_at(x, y).top_item = uint16_t(choice);
        return;
    }
    if (!valid) return;
    titem& it = level_items[item];
    it.holder = uint8_t(furniture);
    if (level.trading != 0 &&
        std::string_view(furniture_names[furniture]).find("_shop") != std::string_view::npos &&
        is_dice_set(it.damage.of(13))) {
        it.damage.of(12) = it.damage.of(13);
        it.damage.of(13) = dice_template;
        std::string name;
        build_item_full_name(it, name);
        it.name = name;
    }
}

void move_level_items(int x1, int y1, int x2, int y2) {
    if (!on_map(x1, y1, 0) || !on_map(x2, y2, 0)) return;
    for (std::size_t i = 1; i < level_items.size(); ++i) {
        titem& it = level_items[i];
        if (it.plan == 0 || it.serial == 0 || it.holder != 0 || it.x != x1 || it.y != y1) continue;
        it.x = uint8_t(x2);
        it.y = uint8_t(y2);
        if (cell_at(x1, y1).top_item == i) cell_at(x1, y1).top_item = 0;
    }
    recount_cell_items(x1, y1);
    recount_cell_items(x2, y2);
    update_cell_item_shown(x1, y1, 0);
    update_cell_item_shown(x2, y2, 0);
}

void place_bones() {
    const int plan = find_item_plan_by_name("it_bones_humanoid");
    if (plan == 0) return;
    const std::size_t n = level_items.size();
    for (std::size_t i = 1; i < n; ++i) {
        if (!is_item_ok(int(i), 0, 0)) continue;
        const titem it = level_items[i];
        if (!has_item_flag(it, if_armor) || it.holder != 0) continue;
        bool bones = false;
        for (std::size_t j = 1; j < level_items.size() && !bones; ++j) {
            const titem& o = level_items[j];
            bones = o.plan != 0 && o.x == it.x && o.y == it.y && has_item_flag(o, if_bones);
        }
        if (!bones) add_item_to_level(it.x, it.y, blank_item, 0, one_dice, plan);
    }
}

void place_level_item_splashes() {
    for (std::size_t i = 1; i < level_items.size(); ++i) {
        if (!is_item_ok(int(i), 0, 0)) continue;
        const titem& it = level_items[i];
        if (it.holder != 0 || !is_corpse_or_bones(it)) continue;
        const int roll = d100();
        if (roll < 91 && cell_at(it.x, it.y).splash == 0) add_splash(it.x, it.y, 0, 0, 0, 0);
    }
}

void decay_corpses(int depth) {
    depth = trace_enter(depth, trace_decay_corpses);
    for (std::size_t i = 1; i < level_items.size(); ++i) {
        if (!is_item_ok(int(i), 0, 0)) continue;
        const titem corpse = level_items[i];
        if (!has_item_flag(corpse, if_corpse) || uint64_t(corpse.corpse_time) + 7500 > game.game_clock)
            continue;
        const int category = corpse.corpse_category <= 12 ? corpse.corpse_category : 0;
        const int plan = find_item_plan_by_name("it_bones_" + std::string(creature_category_names[category]));
        if (plan == 0) continue;
        remove_item_from_level(int(i), depth);
        add_item_to_level(corpse.x, corpse.y, blank_item, depth, one_dice, plan);
    }
}

namespace {
void move_aligned_damage(int being, int from, int to) {
    if (being < 1 || being >= int(being_items.size())) return;
    for (std::size_t i = 1; i < being_items[being].size(); ++i) {
        titem& it = being_items[being][i];
        if (it.plan == 0 || !is_dice_set(it.damage.of(from))) continue;
        it.damage.of(to) = it.damage.of(from);
        it.damage.of(from) = dice_template;
        std::string name;
        build_item_full_name(it, name);
        it.name = name;
    }
}
} // namespace

void holy_to_necrotic_items(int being) {
    move_aligned_damage(being, 12, 13);
}
void necrotic_to_holy_items(int being) {
    move_aligned_damage(being, 13, 12);
}

void clear_item_animation_marks() {
    for (std::size_t i = 1; i < level_items.size(); ++i) {
        level_items[i].tag = 0;
        level_items[i].tag2 = 0;
    }
}

int find_item_by_marks(uint32_t low1, uint32_t high1, uint32_t low2, uint32_t high2) {
    for (std::size_t i = 1; i < level_items.size(); ++i) {
        const titem& it = level_items[i];
        if (it.plan == 0) continue;
        if (it.tag >= low1 && it.tag <= high1 && it.tag2 >= low2 && it.tag2 <= high2) return int(i);
    }
    return 0;
}

} // namespace dravok
