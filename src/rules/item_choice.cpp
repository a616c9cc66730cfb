#include "rules/item_choice.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <array>
#include <vector>

#include "rules/equipment.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/indicators.h"
#include "world/item_creation.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/text_database.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int silver_spoon_bonus = 10;

struct flag_limit {
    int flag;
    int most;
};
// How many items of each of these kinds a created being may get in its kit.
constexpr std::array<flag_limit, 13> kit_flag_limits = {{{if_helmet, 1},
                                                         {if_cloak, 1},
                                                         {if_belt, 1},
                                                         {if_boots, 1},
                                                         {if_bracers, 1},
                                                         {if_gauntlets, 1},
                                                         {if_amulet, 1},
                                                         {if_lenses, 1},
                                                         {if_horn, 1},
                                                         {if_figurine, 1},
                                                         {if_ring, 2},
                                                         {if_sentient, 1},
                                                         {if_wand, 2}}};
std::array<int, kit_flag_limits.size()> kit_flag_counts{};

bool plan_fits_group(int group, const titem_plan& t, int max_picks, bool restrict_kit,
                     bool depth_bound = true) {
    if (max_picks > 0 && t.picked >= max_picks) return false;
    if (t.game_limit != 0 && t.created_in_game >= t.game_limit) return false;
    if (t.level_limit != 0 && t.created_on_level >= t.level_limit) return false;
    if (depth_bound && t.min_depth != 0 && t.min_depth > level.index) return false;
    if (depth_bound && t.max_depth != 0 && t.max_depth < level.index) return false;
    if (restrict_kit) {
        if (t.flags[if_ignore]) return false;
        for (std::size_t k = 0; k < kit_flag_limits.size(); ++k) {
            if (t.flags[kit_flag_limits[k].flag] && kit_flag_counts[k] >= kit_flag_limits[k].most)
                return false;
        }
    }
    for (uint16_t id : t.groups) {
        if (id == 0) break;
        if (id == group) return true;
    }
    return false;
}

void count_kit_flags(const titem& item) {
    for (std::size_t k = 0; k < kit_flag_limits.size(); ++k) {
        if (has_item_flag(item, kit_flag_limits[k].flag)) ++kit_flag_counts[k];
    }
}

// Draws k templates of the group, renumbering after each pick so a used-up template drops out.
void add_group_items(int being, int group, bool all, const tdice& count_dice, bool count_flags, int depth) {
    depth = trace_enter(depth, trace_add_group_items);
    int n = choose_random_item_plans(group, true, 1, true);
    if (n <= 0) return;
    const int k = all ? n : roll_dice(count_dice);
    for (int i = 0; i < k; ++i) {
        const int plan = pick_random_item_plan(n);
        if (plan > 0) {
            const int added = add_item_to_being(being, blank_item, plan, depth, item_plans[plan].amount);
            if (added > 0 && count_flags) count_kit_flags(being_items[being][added]);
        }
        n = choose_random_item_plans(group, false, 1, true);
    }
}

int find_tag(std::string_view name) {
    for (std::size_t i = 1; i < text_tags.size(); ++i) {
        if (text_tags[i] == name) return int(i);
    }
    return 0;
}

// The wishes a worn item fulfils.
void trim_wishes_by_worn(int being) {
    tbeing& b = beings[being];
    const std::vector<titem>& list = being_items[being];
    auto worn = [&](int slot) -> const titem* {
        const int i = b.equipment_of(slot);
        return i >= 1 && i < int(list.size()) && list[i].plan != 0 ? &list[i] : nullptr;
    };
    if (worn(slot_head)) b.wish_of(if_helmet) = 0;
    if (const titem* body = worn(slot_body)) {
        b.wish_of(if_robe) = 0;
        if (!has_item_flag(*body, if_robe)) {
            const bool heavy = has_item_flag(*body, if_armor_heavy);
            const bool medium = heavy || has_item_flag(*body, if_armor_medium);
            const bool light = medium || has_item_flag(*body, if_armor_light);
            if (light) b.wish_of(if_armor_light) = 0;
            if (medium) b.wish_of(if_armor_medium) = 0;
            if (heavy) b.wish_of(if_armor_heavy) = 0;
        }
    }
    if (worn(slot_light)) b.wish_of(if_lantern) = 0;
    for (int hand : {set_1_main_hand, set_2_main_hand}) {
        const titem* item = worn(hand);
        if (item == nullptr) continue;
        if (has_item_flag(*item, if_melee)) b.wish_of(if_melee) = 0;
        if (!has_item_flag(*item, if_ranged)) continue;
        for (int flag : {if_ranged, if_ammunition, if_arrow, if_bullet, if_bolt})
            b.wish_of(flag) = 0;
        const titem* quiver = worn(slot_quiver);
        if (being == player || quiver == nullptr || quiver->amount < arrows_wanted_below) {
            const int ammunition = launcher_ammunition_flag(*item);
            if (ammunition != 0) b.wish_of(ammunition) = 1;
        }
    }
}

std::string lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Item lines sort by their names without a leading count, in lower case.
std::string sort_key(const std::string& line) {
    const std::size_t x = line.find(" x ");
    const bool counted =
        x != std::string::npos && x > 0 &&
        std::all_of(line.begin(), line.begin() + long(x), [](char c) { return std::isdigit(c); });
    return lower(counted ? line.substr(x + 3) : line);
}

} // namespace

namespace {

int number_item_plans(int group, bool reset, int max_picks, bool restrict_kit, bool depth_bound) {
    int n = 0;
    for (std::size_t t = 1; t < item_plans.size(); ++t) {
        titem_plan& plan = item_plans[t];
        plan.choice = 0;
        if (reset) plan.picked = 0;
        if (plan_fits_group(group, plan, max_picks, restrict_kit, depth_bound)) plan.choice = uint16_t(++n);
    }
    return n;
}

} // namespace

int choose_random_item_plans(int group, bool reset, int max_picks, bool restrict_kit) {
    return number_item_plans(group, reset, max_picks, restrict_kit, true);
}

int choose_random_item_plans_at_any_depth(int group, bool reset, int max_picks) {
    return number_item_plans(group, reset, max_picks, false, false);
}

int pick_random_item_plan(int count) {
    if (count <= 0) return 0;
    const int r = random(count) + 1;
    for (std::size_t t = 1; t < item_plans.size(); ++t) {
        if (item_plans[t].choice == r) {
            ++item_plans[t].picked;
            return int(t);
        }
    }
    return 0;
}

void add_equipment_to_being(int being, int depth) {
    depth = trace_enter(depth, trace_add_equipment_to_being);
    if (!is_being_ok(being, depth)) return;
    const tbeing& b = beings[being];
    if (b.plan < 1 || b.plan >= being_plans.size()) return;
    const tbeing_plan& plan = being_plans[b.plan];
    const bool silver_spoon = being_status(b, st_silver_spoon) != 0;
    owner_enchant_bonus =
        plan.kit_enchantment + (silver_spoon ? silver_spoon_bonus : 0) + content_creature_bonus;
    kit_flag_counts.fill(0);
    for (int i = 0; i < kit_entry_count; ++i) {
        if (plan.kit_class[i] == 0) continue;
        add_group_items(being, plan.kit_class[i], plan.kit_count[i].all_flag != 0, plan.kit_count[i], true,
                        depth);
    }
    if (silver_spoon) {
        const int group = find_tag("lo_silver_spoon");
        if (group > 0) {
            int n = choose_random_item_plans(group, true, 1, true);
            for (int k = n; k > 0; --k) {
                const int t = pick_random_item_plan(n);
                if (t > 0) add_item_to_being(being, blank_item, t, depth, item_plans[t].amount);
                n = choose_random_item_plans(group, false, 1, true);
            }
        }
    }
    for (int i = 0; i < kit_entry_count; ++i) {
        if (plan.kit_plan[i] > 0)
            add_item_to_being(being, blank_item, plan.kit_plan[i], depth, plan.kit_amount[i]);
    }
    if (silver_spoon) {
        tdice coins{};
        parse_dice("10d10+100", coins);
        const int coin = find_item_plan_by_name("it_coin");
        if (coin > 0) add_item_to_being(being, blank_item, coin, depth, coins);
    }
    owner_enchant_bonus = 0;
}

void update_item_interests(int being, int depth) {
    depth = trace_enter(depth, trace_update_item_interests);
    if (!is_being_ok(being, depth) || !has_type_flag(beings[being], tf_can_use_items)) return;
    if (being >= int(being_items.size())) return;
    tbeing& b = beings[being];
    if (b.encumbrance > 0) {
        b.uses_items = 0;
        std::fill(std::begin(b.wish), std::end(b.wish), uint8_t(0));
        return;
    }
    if (b.uses_items == 0 && b.plan >= 1 && b.plan < being_plans.size())
        std::copy(std::begin(being_plans[b.plan].wish), std::end(being_plans[b.plan].wish),
                  std::begin(b.wish));
    b.uses_items = 0;
    trim_wishes_by_worn(being);
    b.uses_items =
        std::any_of(std::begin(b.wish), std::end(b.wish), [](uint8_t w) { return w != 0; }) ? 1 : 0;
    if (being != player && b.uses_items == 0)
        std::fill(std::begin(b.noted_items), std::end(b.noted_items), tnoted_item{});
}

constexpr uint32_t picked_name_colour = 0xFFFFFF; // the name of each auto-picked item rises in white

void autopick_items(int being, int x, int y, std::string& out, int depth) {
    depth = trace_enter(depth, trace_autopick_items);
    out.clear();
    if (!is_being_ok(being, depth) || !on_map(x, y) || being != player) return;
    if (beings[being].seen_awake_hostiles > 0 || beings[being].encumbrance > 0) return;
    update_item_interests(being, depth);
    const tcell& c = cell_at(x, y);
    const bool from_container = c.loose_items == 0;
    if (from_container && level.trading != 0) return;
    std::vector<std::string> names;
    for (std::size_t i = 1; i < level_items.size(); ++i) {
        const titem& it = level_items[i];
        if (it.plan == 0 || it.amount == 0 || it.x != x || it.y != y) continue;
        if ((it.holder != 0) != from_container) continue;
        bool wanted = false;
        for (int f = 1; f <= last_item_flag && !wanted; ++f)
            wanted = beings[being].wish_of(f) != 0 && has_item_flag(it, f);
        if (!wanted) continue;
        const titem copy = it;
        add_item_to_being(being, copy, 0, depth, one_dice);
        remove_item_from_level(int(i), depth);
        const std::string name = item_name(copy.name.view(), copy.amount, copy.stackable, being, 1);
        add_floating_text(x, y, name, picked_name_colour);
        names.push_back(name);
    }
    if (names.empty()) return;
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return sort_key(a) < sort_key(b); });
    std::string joined, lines;
    for (const std::string& n : names) {
        joined += (joined.empty() ? "$N" : "$B, $N") + n;
        lines += n + "\r\n";
    }
    add_message("$BAutopicked" + std::string(from_container ? " from container" : "") + ": " + joined);
    out = "$BAutopicked from container:\r\n\r\n$N" + lines;
}

int get_being_item_index_with_effect(int being, int kind, std::initializer_list<int> flags, int depth) {
    depth = trace_enter(depth, trace_get_being_item_index_with_effect);
    if (!is_being_ok(being, depth) || being >= int(being_items.size())) return 0;
    const std::vector<titem>& list = being_items[being];
    int best = 0;
    for (std::size_t i = 1; i < list.size(); ++i) {
        const titem& it = list[i];
        if (it.plan == 0 || it.activation_effect.kind != kind) continue;
        if (flags.size() != 0 && !item_type_matches(it, flags, 0)) continue;
        // A worthless item still qualifies when it is the only one.
        if (best == 0 || it.value > list[best].value) best = int(i);
    }
    return best;
}

bool drop_unneeded_items(int being, bool destroy, int depth) {
    depth = trace_enter(depth, trace_drop_unneeded_items);
    if (!is_being_ok(being, depth) || being >= int(being_items.size())) return false;
    tbeing& b = beings[being];
    std::string names;
    bool dropped = false;
    for (std::size_t i = 1; i < being_items[being].size(); ++i) {
        const titem it = being_items[being][i];
        if (it.plan == 0 || it.slot != 0 || it.quickslot != 0 || it.enchantment != 0) continue;
        if (!has_item_flag(it, if_armor) && !has_item_flag(it, if_shield) && !has_item_flag(it, if_weapon))
            continue;
        remove_item_from_being(being, int(i), depth);
        dropped = true;
        if (item_plans[it.plan].game_limit != 0 || !destroy) {
            add_item_to_level(b.x, b.y, it, depth, one_dice, 0);
            if (!names.empty()) names += ", ";
            names += item_name(it.name.view(), it.amount, it.stackable, being, 1);
        }
    }
    if (!state.busy && !names.empty()) {
        std::string sentence;
        action_sentence(being, 0, "%s %s: $N" + names + "$B.", sentence, "drops", "drop");
        if (!sentence.empty()) add_message("$B" + sentence);
    }
    return dropped;
}

} // namespace dravok
