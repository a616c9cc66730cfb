#include "ai/fleeing.h"

#include <string>

#include "ai/decision.h"
#include "ai/emotion.h"
#include "ai/escape_steps.h"
#include "ai/path_following.h"
#include "ai/paths.h"
#include "ai/sight.h"
#include "ai/walking.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "rules/being_checks.h"
#include "rules/being_creation.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/followers.h"
#include "rules/item_choice.h"
#include "rules/item_use.h"
#include "rules/move_checks.h"
#include "rules/movement.h"
#include "rules/talents.h"
#include "world/area_queries.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/directions.h"
#include "world/game_clock.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/map_effect_cell.h"
#include "world/player.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {

namespace {

constexpr int ek_increase_movement = 14, ek_mobility = 35;
constexpr int flee_mark = 2, stimulus_mark = 3;
constexpr uint32_t flee_text_pause = 750;
constexpr uint32_t flee_text_colour = 0xFFFFFF;
constexpr int teleporter_flee_turns = 10;
constexpr int near_threat = 5;
constexpr int cornered_chance = 25;
constexpr int behaviour_follow = 3;
constexpr int stimulus_age_rounds = 5;
constexpr int hostile_threshold = -20;
constexpr int held_random_tries = 6, held_tries = 14, keep_harmful_chance = 26;
constexpr int first_cell_zone = 31, last_cell_zone = 38;
constexpr int wise_mind = 7;

tbeing& B(int being) {
    return beings[size_t(being)];
}

bool cell_harmful_here(int being) {
    const tmap_effect_cell& e = map_effect_grid(B(being).x, B(being).y);
    static const teffect blank{};
    return e.effect != 0 && e.harmful != 0 && effect_harmful_for_being(being, blank, e.effect, 0);
}

bool use_carried(int being, int kind) {
    const int item = get_being_item_index_with_effect(being, kind, {}, 0);
    return item != 0 && use_item(being, item, 0);
}

void flees_text(int being) {
    if (B(being).flee_text_time > game.game_clock) return;
    add_floating_text(being, "flees", flee_text_colour);
    B(being).flee_text_time = game.game_clock + flee_text_pause;
}

bool take_cloud_path(int being, bool ignore_beings) {
    if (!pathfind_from_cloud(being, ignore_beings)) return false;
    B(being).path = path_result;
    take_path_step(being, 0);
    return true;
}

int area_of_cell(int x, int y) {
    return on_map(x, y) ? cell_at(x, y).area : 0;
}

} // namespace

bool ai_can_blink_away(int being) {
    if (!is_being_ok(being)) return false;
    // Talents of blinking are asked for first; a carried blink device is the fallback.
    if (being_status(B(being), st_blink) > 0) {
        const int talent = get_talent(being, being, {ek_blink}, 0);
        if (talent != 0 && has_stamina_for_talent(being, talent, false) &&
            use_talent(being, talent, teffect{}, 0))
            return true;
    }
    return use_carried(being, ek_blink);
}

bool ai_needs_to_move(int being) {
    if (!is_being_ok(being) || !cell_harmful_here(being)) return false;
    const bool held_in_web =
        being_status(B(being), st_caught_in_web) > 0 || being_status(B(being), st_caught_in_slime) > 0;
    if (held_in_web && being_status(B(being), st_device_mobility) > 0 && use_carried(being, ek_mobility)) {
        if (is_being_ok(being)) B(being).ai_plan = plan_use_item;
        return true;
    }
    if (B(being).path.purpose == purpose_cloud) {
        take_path_step(being, 0);
        return true;
    }
    const int m = can_move(being, 0);
    bool blink_tried = false;
    if (m == move_held) {
        blink_tried = true;
        if (ai_can_blink_away(being)) return true;
    }
    B(being).path = empty_path;
    if (m >= 0 && take_cloud_path(being, false)) return true;
    if (!blink_tried && ai_can_blink_away(being)) return true;
    if (m >= 0 && take_cloud_path(being, true)) return true;
    if (m != move_held) return false;

    int chosen = 0;
    for (int i = 1; i <= held_tries; ++i) {
        int d = i - held_random_tries;
        if (i <= held_random_tries) d = random(8) + 1;
        if (d < 1 || d > 8) continue;
        const int x = B(being).x + compass_dx[d], y = B(being).y + compass_dy[d];
        if (!on_map(x, y)) continue;
        const int r = can_move_to(being, x, y, 0, false, false);
        if (r == target_free) {
            chosen = d;
            break;
        }
        if (r == target_harmful_effect && (chosen == 0 || d100() < keep_harmful_chance)) chosen = d;
    }
    if (chosen == 0) return false;
    if (can_move_through_restraining_map_effect(being, chosen, 0) && is_being_ok(being))
        ai_move(being, B(being).x + compass_dx[chosen], B(being).y + compass_dy[chosen], 0);
    return true;
}

bool ai_flee(int being) {
    if (!is_being_ok(being)) return false;
    const int courage = B(being).courage;
    int threat = 0;
    temotion entry{};
    for (int pass_distance : {1, 7}) {
        for (int k = 1; k <= emotion_entry_count && threat == 0; ++k) {
            const temotion e = B(being).fear_of(k);
            if (e.serial == 0 || e.value == 0) break;
            if (e.turns_unseen != 0 || e.distance > pass_distance || courage > e.value - e.distance) continue;
            const int other = find_being_by_serial(e.serial);
            if (other < 1) continue;
            threat = other;
            entry = e;
        }
        if (threat != 0) break;
    }
    if (threat == 0) return false;
    if (can_see(being, threat, 0, 0) != 0 && ai_can_blink_away(being)) {
        release_followers(being, true, true, true);
        return true;
    }
    B(being).fled_from_serial = B(threat).serial;
    if (player_character >= 1 && B(being).master == B(player_character).serial)
        B(being).follower_help_mark = flee_mark;
    if (can_move(being, 0) < 0) return false;
    if (B(being).ability_of(3) >= wise_mind && being_status(B(being), st_device_boost) > 0 &&
        use_carried(being, ek_increase_movement)) {
        B(being).flee_mark = flee_mark;
        B(being).ai_plan = plan_use_item;
        return true;
    }
    const int own_area = cell_at(B(being).x, B(being).y).area;
    const int threat_area = cell_at(B(threat).x, B(threat).y).area;
    bool flight = false;
    if (on_map(B(being).teleporter_x, B(being).teleporter_y)) {
        B(being).teleporter_countdown = teleporter_flee_turns;
        flight =
            ai_walk(being, B(being).teleporter_x, B(being).teleporter_y, false, purpose_teleporter_flee, 0);
    } else {
        flight = ai_move_to_nearby_area(being, purpose_other_area, own_area, 0, 0, threat_area);
    }
    auto fled = [being]() {
        if (!is_being_ok(being)) return true;
        B(being).flee_mark = flee_mark;
        flees_text(being);
        return true;
    };
    if (flight) return fled();

    const int d = get_direction(B(being).x, B(being).y, B(threat).x, B(threat).y);
    auto step_away = [&](int random_picks, int ordered, bool strictly_farther) {
        const int e = pick_escape_direction(being, d, random_picks, ordered, [&](int x, int y) {
            const int dist = get_distance(x, y, B(threat).x, B(threat).y);
            const bool far_enough = strictly_farther ? dist > entry.distance : dist >= entry.distance;
            return far_enough && can_move_to(being, x, y, 0, false, false) == target_free &&
                   hostile_grid(x, y) == 0 && feared_grid(x, y) == 0;
        });
        if (e == 0) return false;
        const int x = B(being).x + compass_dx[e], y = B(being).y + compass_dy[e];
        ai_move(being, x, y, 0);
        if (!is_being_ok(being)) return true;
        flees_text(being);
        set_ai_plan(being, plan_avoid, x, threat, area_of_cell(x, y), y);
        B(being).path = empty_path;
        return true;
    };
    if (entry.distance <= near_threat && step_away(2, 3, true)) return true;
    if (ai_move_to_nearby_area(being, purpose_flee, own_area, 0, 0, threat_area)) return fled();
    if (entry.distance >= 2 && entry.distance <= near_threat) {
        if (B(being).ai_plan == plan_avoid && d100() > cornered_chance) {
            B(being).cornered = 1;
            return false;
        }
        if (step_away(5, 7, false)) return true;
    }
    B(being).cornered = 1;
    return false;
}

bool ai_continue_fleeing_after_teleport_use(int being) {
    if (!is_being_ok(being)) return false;
    return ai_move_to_nearby_area(being, purpose_other_area, cell_at(B(being).x, B(being).y).area, 0, 0, 0);
}

bool ai_escape_cell(int being) {
    if (!is_being_ok(being) || can_move(being, 0) < 0) return false;
    const int area = cell_at(B(being).x, B(being).y).area;
    const int zone = cell_at(B(being).x, B(being).y).vault_zone;
    if (!is_area_ok(area) || zone < first_cell_zone || zone > last_cell_zone) return false;
    const auto& exit = areas[area].cell_zone_exits[zone - first_cell_zone];
    if (!on_map(exit.x, exit.y) || can_move_to(being, exit.x, exit.y, 0, false, false) != target_free)
        return false;
    int x = 0, y = 0;
    find_free_floor_for_being(areas[area].centre_x, areas[area].centre_y, B(being).width, x, y, 0,
                              B(being).height);
    bool walked = on_map(x, y) && ai_walk(being, x, y, false, purpose_other_area, 0);
    if (!walked) walked = ai_move_to_nearby_area(being, purpose_other_area, area, 1, 30, area);
    if (walked && is_being_ok(being)) B(being).type_flags[tf_fleeing_from_cell] = 1;
    return walked;
}

bool ai_spot_investigate_target(int) {
    // Spotting the player while investigating changes nothing: the walk goes on.
    return false;
}

bool ai_investigate(int being) {
    if (!is_being_ok(being) || can_move(being, 0) < 0 || !is_single_cell_being(being)) return false;
    if (B(being).behaviour == behaviour_follow || has_type_flag(B(being), tf_shopkeeper)) return false;
    auto slot = [being](int s) -> tsound& {
        return s == 1 ? B(being).noticed_stimulus : B(being).noticed_noise();
    };
    auto maker_of = [&](int s) { return int(slot(s).maker); };
    auto choose = [&]() {
        for (int s : {2, 1}) {
            tsound& t = slot(s);
            if (time_steps_between(game.game_clock, t.time) > stimulus_age_rounds) t = tsound{};
            if (s == 1 && maker_of(1) >= 1 && can_see(being, maker_of(1), 0, 0) != 0) t = tsound{};
            if (t.kind != 0 && on_map(t.x, t.y)) return s;
        }
        return 0;
    };
    if (B(being).path.purpose != purpose_investigate) {
        if (B(being).ai_plan >= plan_investigate) return false;
        B(being).investigate_slot = 0;
        const int s = choose();
        if (s == 0) return false;
        B(being).investigate_slot = uint8_t(s);
        const tsound t = slot(s);
        const int maker = maker_of(s);
        if (s == 1) {
            int chance = B(being).stimulus_chance[0] - t.loudness;
            if (maker >= 1 && get_emotion(being, maker, true) <= hostile_threshold) chance += 50;
            if (chance < d100()) return false;
            B(being).seen_light_mark = stimulus_mark;
        } else {
            if (maker >= 1 && can_see(being, maker, 0, 0) != 0) return false;
            const int k = t.kind;
            if (k < 1 || k > 18) return false;
            if (B(being).stimulus_chance[k - 1] > t.distance || B(being).stimulus_range[k - 1] < t.loudness)
                return false;
            B(being).heard_noise_mark = stimulus_mark;
        }
        int x = 0, y = 0;
        find_free_floor_for_being(t.x, t.y, B(being).width, x, y, 0, B(being).height);
        if (!on_map(x, y) || !ai_walk(being, x, y, true, purpose_investigate, 0)) return false;
        if (is_being_ok(being)) set_ai_plan(being, plan_investigate, t.x, 0, area_of_cell(t.x, t.y), t.y);
        return true;
    }
    const int s = choose();
    if (s != 0) {
        const tsound t = slot(s);
        const int maker = maker_of(s);
        if ((maker >= 1 && can_see(being, maker, 0, 0) != 0) || can_see(being, 0, t.x, t.y) != 0) {
            B(being).path = empty_path;
            reset_being_path(being);
            return false;
        }
    }
    const tpath p = B(being).path;
    set_ai_plan(being, plan_investigate, p.target_x, 0, p.target_area, p.target_y);
    const bool acted = ai_walk(being, p.target_x, p.target_y, true, purpose_investigate, 0);
    if (acted && is_being_ok(being) && B(being).path.purpose == 0) reset_being_path(being);
    return acted;
}

} // namespace dravok
