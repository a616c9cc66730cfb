#include "ai/followers.h"

#include <string>

#include "ai/decision.h"
#include "ai/emotion.h"
#include "ai/paths.h"
#include "ai/sight.h"
#include "ai/walking.h"
#include "records/layout_being.h"
#include "rules/being_checks.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/chatter.h"
#include "rules/effect_tables.h"
#include "rules/equipment.h"
#include "rules/interactions.h"
#include "rules/item_choice.h"
#include "rules/item_use.h"
#include "rules/move_checks.h"
#include "rules/noted_items.h"
#include "rules/talents.h"
#include "world/area_queries.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_record.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/tables.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int light_slot = 12;
constexpr int out_of_way_turns = 3;
constexpr int summoned_follow_range = 10, creature_master_follow_range = 15, asleep_master_near = 5;
constexpr int item_master_range = 10, item_range = 6;
constexpr int trigger_follower_picks_up_item = 27;
constexpr int ek_antidote = 26, ek_clone = 30, ek_heroism = 33, ek_regeneration = 39, ek_stoneskin = 42,
              ek_health_surge = 2;
constexpr int wise_mind = 7, far_hostile = 6, near_hostile = 3;
constexpr int free_cell_tries = 10;
constexpr int hostile_threshold = -20;
constexpr int behaviour_follow = 3;
constexpr int reserve_stoneskin = 7; // the stamina kept for the cheapest stoneskin talent

tbeing& B(int being) {
    return beings[size_t(being)];
}

bool sees_master_with_room(int being, int master) {
    for (int d = 1; d <= 8; ++d) {
        const int x = B(master).x + compass_dx[d], y = B(master).y + compass_dy[d];
        if (on_map(x, y) && can_move_to(being, x, y, 0, false, false) == target_free) return true;
    }
    return false;
}

// The follower's light follows its master's: none in the dark, its own when the master lights up.
void light_manners(int being, int master) {
    std::string sentence;
    if (B(master).light_radius == 0) {
        if (B(being).dark_vision == 0 || B(being).equipment_of(light_slot) == 0) return;
        equip_item(being, 0, light_slot, 0, false);
        B(being).light_radius = 0;
        action_sentence(being, 0, "%s %s.", sentence, "unequips %his% lightsource", "unequip lightsource");
    } else {
        if (B(being).equipment_of(light_slot) != 0 || !equip_being(being, light_slot, 0)) return;
        update_being(being, 0);
        if (B(being).light_radius == 0) return;
        action_sentence(being, 0, "%s %s.", sentence, "equips %his% lightsource", "equip lightsource");
    }
    if (!sentence.empty()) {
        std::string expanded;
        expand_text(sentence, being, 0, expanded);
        add_message(" " + expanded);
    }
}

bool walk_to_area_centre(int being, int area, int purpose) {
    int x = 0, y = 0;
    find_free_floor_for_being(areas[area].centre_x, areas[area].centre_y, B(being).width, x, y, 0,
                              B(being).height);
    return on_map(x, y) && ai_walk(being, x, y, false, purpose, 0);
}

// A self-help talent of the kind aimed at the being itself.
bool use_own_talent(int being, int kind) {
    const int talent = get_talent(being, being, {kind}, 0);
    return talent != 0 && use_talent(being, talent, teffect{}, 0);
}

} // namespace

bool ai_follower_move_out_of_way(int being) {
    if (!is_being_ok(being)) return false;
    clear_area_marks();
    const int area = cell_at(B(being).x, B(being).y).area;
    const int exits = is_area_ok(area) ? areas[area].exits : 0;
    for (int choice = 1; choice <= exits; ++choice) {
        const int n = pick_neighbour_area(being, choice, true, true, true);
        if (!is_area_ok(n)) continue;
        areas[n].search = 1;
        if (walk_to_area_centre(being, n, purpose_correct_position)) return true;
    }
    return false;
}

bool ai_follower(int being) {
    if (!is_being_ok(being)) return false;
    const int master = find_being_by_serial(B(being).master);
    if (master < 1 || !B(master).present) {
        B(being).master = 0;
        return false;
    }
    light_manners(being, master);
    if (!is_being_ok(being)) return true;
    if (B(master).blocked_by_follower_turns >= out_of_way_turns && ai_follower_move_out_of_way(being))
        return true;
    const int d = get_being_distance(being, master);
    if (d <= 2) return ai_move_from_doorway(being);
    if (has_type_flag(B(being), tf_summoned) && d > summoned_follow_range) return false;
    if (!has_type_flag(B(master), tf_player) && d > creature_master_follow_range) return false;
    if (can_see(being, master, 0, 0) != 0) {
        if (B(master).asleep_counter > 0 && d <= asleep_master_near) return false;
        if (!sees_master_with_room(being, master)) return false;
    }
    return ai_walk(being, B(master).x, B(master).y, false, purpose_follow, master);
}

bool ai_follow_teleport(int being) {
    if (!is_being_ok(being)) return false;
    tbeing& b = B(being);
    if (!on_map(b.teleporter_x, b.teleporter_y)) {
        b.teleporter_x = b.teleporter_y = b.teleporter_countdown = 0;
        return false;
    }
    if (!is_single_cell_being(being)) return false;
    const int master = find_being_by_serial(b.master);
    if (master >= 1 && can_see(being, master, 0, 0) != 0) {
        b.teleporter_x = b.teleporter_y = b.teleporter_countdown = 0;
        return false;
    }
    return ai_walk(being, b.teleporter_x, b.teleporter_y, false, purpose_teleporter_follow, 0);
}

bool ai_pick_item(int being) {
    if (!is_being_ok(being) || can_move(being, 0) < 0) return false;
    int distance = -1;
    const int entry = get_nearest_noted_item(being, 0, distance);
    if (entry == 0) return false;
    const int master = find_being_by_serial(B(being).master);
    if (B(being).behaviour == behaviour_follow && master >= 1) {
        if (B(being).seen_hostiles > 0 && !has_type_flag(B(being), tf_cloned)) return false;
        if (get_being_distance(being, master) > item_master_range || distance > item_range) return false;
    }
    tnoted_item& noted = B(being).noted_item(entry);
    if (distance > 0) {
        const bool walked = ai_walk(being, noted.x, noted.y, false, purpose_item, 0);
        if (is_being_ok(being)) B(being).noted_item(entry).skip = walked ? 0 : 1;
        return walked;
    }
    const int item = noted.item;
    const int x = noted.x, y = noted.y;
    get_item(being, item, 0);
    if (!is_being_ok(being)) return true;
    B(being).noted_item(entry) = tnoted_item{};
    set_ai_plan(being, plan_pick_item, x, 0, cell_at(x, y).area, y);
    add_oneliner(being, player, trigger_follower_picks_up_item, 0, "", "");
    if (equip_being(being, 0, 0)) {
        update_being(being, 0);
        update_item_interests(being, 0);
        drop_unneeded_items(being, false, 0);
    } else {
        update_item_interests(being, 0);
    }
    return true;
}

bool ai_use_protection_talent(int being) {
    if (!is_being_ok(being)) return false;
    tbeing& b = B(being);
    if (being_status(b, st_stoneskinned) > 0 || being_status(b, st_stoneskin) == 0) return false;
    if (b.stamina < b.stamina_reserve_of(reserve_stoneskin)) return false;
    return use_own_talent(being, ek_stoneskin);
}

bool ai_use_utility_talent(int being) {
    if (!is_being_ok(being)) return false;
    const tbeing& b = B(being);
    const bool hurt = b.health * 2 <= b.health_max || being_status(b, st_diseased) > 0;
    if (!hurt || being_status(b, st_health_surge) == 0) return false;
    if (b.stamina * 5 < b.stamina_max) return false;
    return use_own_talent(being, ek_health_surge);
}

int ai_find_free_adjacent_cell(int being) {
    if (!is_being_ok(being)) return 0;
    auto free_of_threat = [being](int d) {
        const int x = B(being).x + compass_dx[d], y = B(being).y + compass_dy[d];
        return on_map(x, y) && can_move_to(being, x, y, 0, false, false) == target_free &&
               hostile_grid(x, y) == 0;
    };
    for (int i = 0; i < free_cell_tries; ++i) {
        const int first = random(8) + 1;
        if (free_of_threat(first)) return first;
        const int second = random(8) + 1;
        if (free_of_threat(second)) return second;
        const bool backwards = d100() > 50;
        for (int k = 1; k <= 8; ++k) {
            const int d = backwards ? 9 - k : k;
            if (free_of_threat(d)) return d;
        }
    }
    return 0;
}

bool ai_use_item(int being) {
    if (!is_being_ok(being)) return false;
    const tbeing& b = B(being);
    const bool sees_commanded = player >= 1 && can_see(being, player, 0, 0) != 0;
    const bool threatening = sees_commanded && !is_friendly(being, player, 0, true);
    const bool exposed = player >= 1 && can_see(player, being, 0, 0) != 0 && is_in_view(b.x, b.y);
    auto with = [being](int status, int kind) {
        return being_status(B(being), status) > 0 ? get_being_item_index_with_effect(being, kind, {}, 0) : 0;
    };
    int item = 0;
    if (being_status(b, st_poisoned) > 0) item = with(st_device_antidote, ek_antidote);
    if (item == 0 && (b.health * 2 <= b.health_max || being_status(b, st_diseased) > 0))
        item = with(st_device_heal, ek_restore_health);
    if (item == 0 && threatening && exposed) item = with(st_device_clone, ek_clone);
    if (item == 0 && b.knows_talents != 0 && b.stamina * 2 <= b.stamina_max &&
        (b.seen_hostiles == 0 || b.nearest_hostile >= far_hostile))
        item = with(st_device_restore, ek_restore_stamina);
    if (item == 0 && b.ability_of(3) >= wise_mind && b.seen_hostiles > 0 &&
        b.nearest_hostile >= near_hostile && b.seen_hostiles_worth >= b.xp_worth) {
        item = with(st_device_regeneration, ek_regeneration);
        if (item == 0) item = with(st_device_boost, ek_heroism);
        if (item == 0) item = with(st_device_boost, ek_increase_ability);
    }
    if (item == 0) return false;
    if (b.adjacent_hostiles > 0 && has_item_flag(being_items[size_t(being)][size_t(item)], if_potion)) {
        const int d = ai_find_free_adjacent_cell(being);
        if (d != 0) {
            const int x = b.x + compass_dx[d], y = b.y + compass_dy[d];
            ai_move(being, x, y, 0);
            if (is_being_ok(being)) set_ai_plan(being, plan_avoid, x, 0, cell_at(x, y).area, y);
            return true;
        }
    }
    use_item(being, item, 0);
    if (!is_being_ok(being)) return true;
    update_being(being, 0);
    B(being).ai_plan = plan_use_item;
    return true;
}

namespace {

// The quarrel of a being that picks fights: it sours toward the beings it sees in its area.
void sour_on_neighbours(int being, bool home_guard) {
    tbeing& b = B(being);
    const bool animal = has_type_flag(b, tf_animal);
    int reach = 0;
    const char* dice_text = "1d3-1";
    if (animal) {
        reach = 5 + random(3);
    } else if (b.ability_of(3) > 5) {
        reach = 5 + random(4);
        dice_text = "1d3";
    } else {
        reach = 5 + random(3);
    }
    tdice dice{};
    parse_dice(dice_text, dice);
    const int area = cell_at(b.x, b.y).area;
    for (int other = 1; other < int(beings.size()); ++other) {
        if (other == being || !is_being_ok(other) || !B(other).present) continue;
        const tbeing& o = B(other);
        if (cell_at(o.x, o.y).area != area || can_see(being, other, 0, 0) == 0) continue;
        if (has_type_flag(o, tf_passive)) continue;
        if (animal) {
            if (being_status(o, st_animal_friend) > 0) continue;
            const int m = find_being_by_serial(o.master);
            if (m >= 1 && being_status(B(m), st_animal_friend) > 0) continue;
        }
        if (home_guard && other != player_character && is_in_home_area(other)) continue;
        const int attitude = get_emotion(being, other, true);
        const int distance = get_being_distance(being, other);
        if (attitude < -19 || attitude > 0 || distance > reach) continue;
        const int roll = roll_dice(dice);
        update_emotion(being, other, -roll, 0, distance);
        if (get_angry(being, other, true)) add_emotions_against_target_master(being, other, -50, 0);
    }
}

} // namespace

void ai_get_hostile(int being, int depth) {
    depth = trace_enter(depth, trace_ai_get_hostile);
    if (!is_being_ok(being)) return;
    const tbeing& b = B(being);
    if (b.asleep_counter > 0 || is_in_home_area(being) || has_type_flag(b, tf_has_not_left_cell)) return;
    const int area = cell_at(b.x, b.y).area;
    if (!is_area_ok(area) || areas[area].beings < 2) return;
    sour_on_neighbours(being, false);
}

void ai_get_hostile_on_home_trespassers(int being, int depth) {
    depth = trace_enter(depth, trace_ai_get_hostile_on_home_trespassers);
    if (!is_being_ok(being) || B(being).asleep_counter > 0 || !is_in_home_area(being)) return;
    sour_on_neighbours(being, true);
}

} // namespace dravok
