#include "rules/item_use.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/colour.h"
#include "rules/action_time.h"
#include "rules/being_checks.h"
#include "rules/books.h"
#include "rules/effect_areas.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/interactions.h"
#include "rules/pantheon.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/history_file.h"
#include "world/indicators.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/lasting_effects.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/services.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int mind = 3;
constexpr int use_failure_time = 30;
constexpr int destroyed_margin = -10; // a use failing this badly destroys the item
constexpr int mind_shortfall_factor = 3;
constexpr int god_count = 8;
constexpr uint32_t failure_red = 0xFF3030;
constexpr uint32_t use_white = 0xFFFFFF;

// The refusals speak to the player; a creature refused just does not use the item.
bool refuse(const tbeing& user, std::string_view message) {
    if (user.commanded == 0) return false;
    add_message(message);
    game_mode = mode_main;
    return false;
}

// The word a failure names the item by, and the floating text over the user.
std::string_view device_noun(const titem& item) {
    if (has_item_flag(item, if_scroll)) return "scroll";
    if (has_item_flag(item, if_wand)) return "wand";
    return "item";
}

std::string_view use_text(const titem& item) {
    if (has_item_flag(item, if_potion)) return "gulp";
    if (has_item_flag(item, if_scroll)) return "reads scroll";
    if (has_item_flag(item, if_wand)) return "waves wand";
    if (has_item_flag(item, if_horn)) return "blows horn";
    if (has_item_flag(item, if_figurine)) return "uses figurine";
    return {};
}

// The mind check of an item with a mind minimum; false when the use failed (and was paid for).
bool passes_mind_check(int being, int item, int depth) {
    depth = trace_enter(depth, trace_passes_mind_check);
    tbeing& b = beings[being];
    titem& it = being_items[being][item];
    const int minimum = at1(it.ability_minimum, mind);
    if (minimum <= 0) return true;
    int difficulty = it.device_difficulty;
    const int missing = minimum - b.ability_of(mind);
    if (missing > 0) difficulty += mind_shortfall_factor * missing;
    const int margin = ability_check_roll(being, mind, difficulty, false);
    if (margin >= 0) return true;
    const std::string noun(device_noun(it));
    const bool wand = has_item_flag(it, if_wand);
    if (has_item_flag(it, if_scroll) || wand) {
        add_floating_text(being, noun + " failure", failure_red);
        if (wand && it.charges > 0) --it.charges;
    }
    const std::string name = item_name(it.name.view(), 1, it.stackable, being, 2);
    std::string sentence;
    action_sentence(being, 0, "%s %s to use " + name + " properly!", sentence, "fails", "fail");
    if (margin <= destroyed_margin || (wand && it.charges == 0)) {
        adjust_item_amount(being, item, -1, depth);
        sentence += " The " + noun + " is destroyed!";
    }
    if (!sentence.empty()) add_message((b.commanded ? "$F" : "") + sentence);
    b.next_action_time = game.game_clock + uint32_t(action_time(being, use_failure_time));
    game_mode = mode_main;
    return false;
}

void after_use(int being, int item, int depth) {
    depth = trace_enter(depth, trace_after_use);
    if (!is_item_ok(item, being, 0)) return; // used up by the pipeline
    titem& it = being_items[being][item];
    tbeing& b = beings[being];
    if (has_item_flag(it, if_potion) || has_item_flag(it, if_scroll)) {
        adjust_item_amount(being, item, -1, depth);
    } else if ((has_item_flag(it, if_horn) || has_item_flag(it, if_figurine)) && it.charges >= 2) {
        --it.charges;
    } else if (has_item_flag(it, if_divine_essence)) {
        if (it.god_number >= 1 && it.god_number <= god_count) {
            add_floating_text(being, "uses essence", use_white);
            add_message("$EYou consume the divine essence!");
            b.divine_god = uint8_t(it.god_number);
        }
        adjust_item_amount(being, item, -1, depth);
        beings[being].type_flags[tf_divine_essence] = 1;
        add_history("Consumed a divine essence.");
    }
}

// The player who consumes it becomes the Overgod and the game ends; the gods of this world
// go with the pantheon file, and the next game makes a new pantheon.
void consume_cosmic_essence(int being) {
    tbeing& b = beings[being];
    const bool ending = being == player_character;
    if (ending) {
        state.overgod_left = 1;
        save_avatars();
    }
    b.type_flags[tf_demigod] = b.type_flags[tf_god] = 0;
    b.type_flags[tf_overgod] = 1;
    add_history("Consumed the cosmic essence.");
    if (ending) ascend_player();
}

} // namespace

bool use_item(int being, int item, int depth, bool from_dialog) {
    depth = trace_enter(depth, trace_use_item);
    if (!is_item_ok(item, being, depth)) return false;
    tbeing& b = beings[being];
    titem& it = being_items[being][item];
    const bool hostiles_seen = b.seen_hostiles > 0;
    if (has_item_flag(it, if_usable_only_from_dialog) && !from_dialog)
        return refuse(b, "$FThis item is only usable from dialogs.");
    if (has_item_flag(it, if_trapkit)) {
        if (hostiles_seen) return refuse(b, "$FYou can not use trap kits when hostile beings are seen!");
        use_trapkit(being, item, depth);
        return true;
    }
    if (has_item_flag(it, if_book) && it.activation_effect.kind == 0) {
        if (hostiles_seen) return refuse(b, "$FYou can not read books when hostile beings are seen!");
        book_identifier = it.identifier.str();
        book_name = it.name.str();
        show_item_lore();
        return true;
    }
    if (has_item_flag(it, if_scroll) && hostiles_seen)
        return refuse(b, "$FYou can not read scrolls when hostile beings are seen!");
    if (has_item_flag(it, if_cosmic_essence)) {
        consume_cosmic_essence(being);
        return false; // the essence stays
    }
    const bool divine = has_item_flag(it, if_divine_essence);
    if (!divine && it.activation_effect.kind == 0) return false;
    if (!divine && it.plan < item_plans.size()) ++item_plans[it.plan].uses;
    if (!passes_mind_check(being, item, depth)) return false;

    const std::string_view shown = use_text(it);
    if (!shown.empty() && (b.commanded || (services.can_see(player, being, 0, 0) && is_in_view(b.x, b.y))))
        add_floating_text(being, shown, use_white);
    teffect effect = it.activation_effect;
    if (!b.commanded && shape_is(aimed_shapes, effect.shape)) effect = target_effect;
    effect.used_item = uint16_t(item);
    if (effect.kind != 0) handle_effect(being, effect, depth);
    after_use(being, item, depth);
    return true;
}

void use_trapkit(int being, int item, int depth) {
    depth = trace_enter(depth, trace_use_trapkit);
    if (!is_item_ok(item, being, depth)) return;
    titem& it = being_items[being][item];
    std::string id = it.identifier.str();
    const std::string kit_prefix = "it_trapkit_";
    if (id.rfind(kit_prefix, 0) == 0) id.erase(0, kit_prefix.size());
    const int trap = find_item_plan_by_name("tr_" + id);
    if (trap == 0) {
        error_log(depth, "Can not find trap item_plan for item \"" + it.identifier.str() + "\"!", false);
        return;
    }
    teffect effect = it.activation_effect;
    effect.item_type = uint16_t(trap);
    effect.used_item = uint16_t(item);
    it.activation_effect.item_type = uint16_t(trap);
    it.activation_effect.used_item = uint16_t(item);
    handle_effect(being, effect, depth);
}

void go_to_level_loot(int being, int item, int depth) {
    depth = trace_enter(depth, trace_go_to_level_loot);
    game_mode = mode_main;
    if (!is_being_ok(being, depth)) return;
    beings[being].path = tpath{};
    loot_target_item = 0;
    if (!is_item_ok(item, 0, depth)) return;
    const titem& it = level_items[item];
    if (it.x == beings[being].x && it.y == beings[being].y) {
        get_item(being, item, depth);
        return;
    }
    const int walker = player;
    level.target_x = it.x;
    level.target_y = it.y;
    if (is_being_ok(walker) &&
        services.find_path(walker, it.x, it.y, autopilot_purpose, beings[walker].path)) {
        loot_target_item = item;
    } else {
        add_message("$FCould not find path to the item!");
    }
}

namespace {

constexpr int shape_none = 0, shape_special = 1, shape_self = 2, shape_bolt = 4, shape_ball = 7,
              shape_seen_hostiles = 9, shape_cloud = 10;

// The effect aimed at (x, y); false when it cannot be used there.
bool aim_device(int being, const titem& item, int x, int y, int target, teffect& out) {
    out = calculate_effect_coordinates(being, 0, 0, x, y, item.activation_effect, 0);
    if (effect_target_invalid) return false;
    if (!kind_is(harmful_kinds, item.activation_effect.kind)) return true;
    if (item.activation_effect.shape == shape_bolt && int(effect_first_being) != target) return false;
    return effect_friendly_hit_count == 0;
}

} // namespace

int get_usable_device(int being, int target, std::initializer_list<int> kinds, int depth) {
    depth = trace_enter(depth, trace_get_usable_device);
    if (!is_being_ok(being, depth) || !is_being_ok(target) || being >= int(being_items.size())) return 0;
    std::vector<titem>& list = being_items[being];
    const tbeing& t = beings[target];
    int kept = 0;
    for (std::size_t i = 1; i < list.size(); ++i) {
        titem& it = list[i];
        it.tag = 0;
        if (it.serial == 0 || it.plan == 0) continue;
        if (std::find(kinds.begin(), kinds.end(), int(it.activation_effect.kind)) == kinds.end()) continue;
        const int shape = it.activation_effect.shape;
        int aim_x = t.x, aim_y = t.y;
        bool usable = true;
        if (shape != shape_none && shape != shape_special && shape != shape_self &&
            shape != shape_seen_hostiles) {
            teffect aimed;
            usable = aim_device(being, it, aim_x, aim_y, target, aimed);
            // A cloud or ball may be thrown beside the target to spare friends.
            const bool spread = shape == shape_ball || shape == shape_cloud;
            if (!usable && spread && kind_is(harmful_kinds, it.activation_effect.kind)) {
                for (int d = 1; d <= 8 && !usable; ++d) {
                    const int x = t.x + direction_steps[d].dx, y = t.y + direction_steps[d].dy;
                    if (!on_map(x, y) || map_effect_grid(x, y).kind == it.activation_effect.kind) continue;
                    usable = aim_device(being, it, x, y, target, aimed);
                    if (usable) aim_x = x, aim_y = y;
                }
            }
        }
        if (!usable) continue;
        it.tag = uint32_t(++kept);
        it.x = uint8_t(aim_x);
        it.y = uint8_t(aim_y);
    }
    if (kept == 0) return 0;
    const int chosen = random(kept) + 1;
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (list[i].tag == uint32_t(chosen)) return int(i);
    }
    return 0;
}

} // namespace dravok
