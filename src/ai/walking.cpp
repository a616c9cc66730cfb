#include "ai/walking.h"

#include <cmath>

#include "ai/decision.h"
#include "ai/emotion.h"
#include "ai/path_following.h"
#include "ai/paths.h"
#include "ai/sight.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "rules/action_time.h"
#include "rules/being_checks.h"
#include "rules/being_creation.h"
#include "rules/followers.h"
#include "rules/furniture.h"
#include "rules/interactions.h"
#include "rules/move_checks.h"
#include "rules/movement.h"
#include "world/area_queries.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/random.h"

namespace dravok {

namespace {

constexpr uint32_t step_cost = 15;
constexpr int behaviour_camp = 1, behaviour_wander = 2, behaviour_follow = 3;
constexpr int corridor_kind = 1, corridor_variant = 1;
constexpr int close_door_chance = 20;
constexpr int seen_enough_steps = 6;
constexpr int follow_patience = 10, short_patience = 3;
constexpr int friend_near_for_door = 6, hostile_near_for_door = 5;
constexpr int lockable_door = 9;
constexpr int master_near_for_position = 14;
constexpr int random_area_tries = 10, least_wander_area_cells = 26;
constexpr int wander_area_chance = 11, random_choice_chance = 30, flee_random_choice_chance = 5;
constexpr int nearby_area_choice_cap = 3;
constexpr int home_walk_chance = 21;
constexpr int follower_step_chance = 5, random_step_chance = 30;
constexpr int wander_idle_bonus = 60, wander_idle_divisor = 5;

tbeing& B(int being) {
    return beings[size_t(being)];
}

bool can_walk(int being) {
    return is_being_ok(being) && can_move(being, 0) >= 0;
}

int being_area(int being) {
    return cell_at(B(being).x, B(being).y).area;
}

// A free floor cell near the area's centre; false when none is on the map.
bool free_cell_near_centre(int being, int area, int& x, int& y) {
    if (!is_area_ok(area)) return false;
    find_free_floor_for_being(areas[area].centre_x, areas[area].centre_y, B(being).width, x, y, 0,
                              B(being).height);
    return on_map(x, y);
}

bool walk_to_area(int being, int area, int purpose) {
    int x = 0, y = 0;
    return free_cell_near_centre(being, area, x, y) && ai_walk(being, x, y, false, purpose, 0);
}

void keep_path(int being, int purpose) {
    if (plan_for_path_purpose[size_t(purpose)] != 0)
        B(being).ai_plan = plan_for_path_purpose[size_t(purpose)];
    B(being).path_kept = 1;
}

bool is_follower_of_player(int being) {
    return player_character >= 1 && is_being_ok(player_character) &&
           B(being).master == beings[player_character].serial;
}

} // namespace

void ai_move(int being, int x, int y, int depth) {
    depth = trace_enter(depth, trace_ai_move);
    if (!is_being_ok(being)) return;
    if (cell_at(B(being).x, B(being).y).splash != 0) smear_splashes(being, x, y, depth);
    place_being(being, x, y, depth);
    enter_map_tile(being, depth);
    if (!is_being_ok(being)) return;
    B(being).last_action_kind = 2;
    B(being).next_action_time = game.game_clock + uint32_t(move_time(being, step_cost));
    B(being).blocked_by_follower_turns = 0;
}

bool is_in_doorway(int being, int x, int y) {
    if (being != 0) {
        if (!is_being_ok(being)) return false;
        x = B(being).x;
        y = B(being).y;
    }
    if (!on_map(x, y) || !is_floor(x, y)) return false;
    if (is_door(x, y)) return true;
    if (cell_at(x, y).shape != corridor_variant) return false;
    int floors = 0;
    bool other_variant = false;
    for (int d = 1; d <= 4; ++d) {
        const int nx = x + dir_dx[d], ny = y + dir_dy[d];
        if (!on_map(nx, ny) || !is_floor(nx, ny)) continue;
        ++floors;
        if (cell_at(nx, ny).shape != corridor_variant) other_variant = true;
    }
    return floors >= 3 && other_variant;
}

void ai_follower_swap_check(int being) {
    if (!is_being_ok(being)) return;
    const int32_t serial = B(being).serial;
    for (int d = 1; d <= 8; ++d) {
        const int nx = B(being).x + compass_dx[d], ny = B(being).y + compass_dy[d];
        if (!on_map(nx, ny)) continue;
        const int other = cell_at(nx, ny).being;
        if (other >= 1 && is_being_ok(other) && B(other).master == serial) {
            ++B(being).blocked_by_follower_turns;
            return;
        }
    }
}

bool ai_pass_being(int being, int x, int y) {
    // The walker's next step points at the blocker, never away from it, so no swap takes place
    // and the walker waits.
    if (!is_single_cell_being(being) || !can_walk(being) || !on_map(x, y)) return false;
    const int other = cell_at(x, y).being;
    if (other < 1 || !is_single_cell_being(other) || !is_friendly(being, other, 0, true)) return false;
    const tpath& p = B(being).path;
    const int next = p.cursor >= 1 && p.cursor <= path_step_count ? p.step(p.cursor) : 0;
    const int away = get_direction(x, y, B(being).x, B(being).y);
    if (next == 0 || next != away) return false;
    return displace_being(being, other);
}

bool ai_close_door_behind(int being) {
    if (!is_being_ok(being)) return false;
    const tbeing& b = B(being);
    if (b.nearest_friend >= 1 && b.nearest_friend <= friend_near_for_door) return false;
    if (b.nearest_hostile >= 1 && b.nearest_hostile <= hostile_near_for_door) return false;
    const int next = b.path.cursor >= 1 && b.path.cursor <= path_step_count ? b.path.step(b.path.cursor) : 0;
    if (next < 1 || next > 8) return false;
    const int behind = (next + 3) % 8 + 1;
    const int x = b.x + compass_dx[behind], y = b.y + compass_dy[behind];
    if (!on_map(x, y) || !is_door(x, y, 1) || get_furniture(x, y) == lockable_door) return false;
    if (!can_close_opened_door(being, x, y, 0)) return false;
    close_furniture(being, behind, true, 0);
    return true;
}

bool ai_walk(int being, int x, int y, bool retry, int purpose, int follow_target) {
    if (!is_being_ok(being) || !on_map(x, y) || can_move(being, 0) < 0) return false;
    if (path_still_valid(being, x, y, purpose)) {
        const uint32_t old_blocker = B(being).path.blocker;
        B(being).path.length = 0;
        retry = false;
        bool found = pathfind(being, x, y, false, false, purpose);
        if (!found && (purpose == purpose_follow || purpose == purpose_chase))
            found = pathfind(being, x, y, false, true, purpose);
        if (found) {
            B(being).path = path_result;
            B(being).path.follow_target = uint16_t(follow_target);
        } else {
            if (purpose == purpose_investigate && old_blocker == 0) reset_being_path(being);
            B(being).path = empty_path;
            return false;
        }
    }
    if (B(being).path.left_open_door != 0 && has_type_flag(B(being), tf_can_close_doors) &&
        (purpose == purpose_other_area || (purpose == purpose_wander && d100() <= close_door_chance))) {
        const bool closed = ai_close_door_behind(being);
        B(being).path.left_open_door = 0;
        if (closed) {
            keep_path(being, purpose);
            return true;
        }
    }
    if (take_path_step(being, 0)) {
        if (is_being_ok(being)) keep_path(being, purpose);
        return true;
    }
    if (!is_being_ok(being)) return true;
    tpath& p = B(being).path;
    if (p.length == 0) return false;
    if (p.blocker == 0) {
        B(being).path = empty_path;
        return false;
    }
    if (purpose == purpose_investigate && being_area(being) == p.target_area &&
        can_see(being, 0, p.target_x, p.target_y) != 0 && p.length < seen_enough_steps) {
        B(being).path = empty_path;
        reset_being_path(being);
        return true;
    }
    int patience = short_patience;
    if (purpose == purpose_follow)
        patience = has_type_flag(B(being), tf_animated) || has_type_flag(B(being), tf_summoned)
                       ? short_patience
                       : follow_patience;
    const int nx = p.next_x, ny = p.next_y;
    if (p.blocked_variant != corridor_variant) {
        if (is_doorway(nx, ny, false) != 0 && int(p.times_blocked) <= patience) {
            B(being).path_kept = 1;
            ai_follower_swap_check(being);
            return true;
        }
    } else {
        if (ai_pass_being(being, nx, ny)) {
            B(being).path_kept = 1;
            return true;
        }
        if (int(B(being).path.times_blocked) <= patience) {
            B(being).path_kept = 1;
            ai_follower_swap_check(being);
            return true;
        }
    }
    B(being).path = empty_path;
    if (retry) return ai_walk(being, x, y, false, purpose, 0);
    return false;
}

bool ai_continue_path(int being) {
    if (!can_walk(being)) return false;
    const int purpose = B(being).path.purpose;
    if (is_follower_of_player(being) && (purpose == purpose_other_area || purpose == purpose_flee)) {
        const bool calm_with_master = B(being).master_unseen_turns == 0 &&
                                      B(being).turns_without_hostiles >= 5 &&
                                      B(player_character).turns_without_hostiles >= 5;
        if (calm_with_master || B(being).turns_without_hostiles >= 15) {
            B(being).path = empty_path;
            return false;
        }
    }
    const int tx = B(being).path.target_x, ty = B(being).path.target_y;
    if (purpose == purpose_item && can_see(being, 0, tx, ty) != 0 && on_map(tx, ty) &&
        cell_at(tx, ty).being != 0 && cell_at(tx, ty).being != being) {
        B(being).path = empty_path;
        return false;
    }
    if (purpose == purpose_follow) {
        const int target = B(being).path.follow_target;
        if (target >= 1 && is_being_ok(target) && can_see(being, target, 0, 0) != 0) {
            const int length = B(being).path.length;
            const int near = int(std::nearbyint(0.7 * length));
            if (cell_at(B(target).x, B(target).y).area != B(being).path.target_area ||
                get_being_distance(being, target) <= near) {
                B(being).path = empty_path;
                return ai_walk(being, B(target).x, B(target).y, true, purpose_follow, target);
            }
        }
    }
    bool retry = true;
    if (purpose == purpose_item) retry = false;
    if (purpose == purpose_follow) {
        const int master = find_being_by_serial(B(being).master);
        if (master >= 1) retry = B(master).blocked_by_follower_turns == 0;
    }
    return ai_walk(being, tx, ty, retry, purpose, 0);
}

bool ai_move_from_doorway(int being) {
    if (!can_walk(being)) return false;
    const int x = B(being).x, y = B(being).y;
    bool near_doorway = is_doorway(x, y, false) != 0;
    for (int d = 1; d <= 4 && !near_doorway; ++d)
        near_doorway = is_doorway(x + dir_dx[d], y + dir_dy[d], false) != 0;
    if (!near_doorway) return false;
    for (int d = 1; d <= 8; ++d) {
        const int nx = x + compass_dx[d], ny = y + compass_dy[d];
        if (!on_map(nx, ny) || can_move_to(being, nx, ny, 0, false, false) != target_free) continue;
        if (is_doorway(nx, ny, false) != 0) continue;
        ai_move(being, nx, ny, 0);
        if (!is_being_ok(being)) return true;
        B(being).ai_plan = plan_idle;
        B(being).last_action_kind = 1;
        return true;
    }
    return false;
}

bool ai_correct_position(int being) {
    if (!can_walk(being)) return false;
    if (B(being).behaviour == behaviour_follow) {
        const int master = find_being_by_serial(B(being).master);
        if (master >= 1 && B(master).present && get_being_distance(being, master) <= master_near_for_position)
            return false;
    }
    const int area = being_area(being);
    if (is_area_ok(area) && areas[area].kind == corridor_kind) {
        clear_area_marks();
        int choice = d100() <= random_choice_chance ? 0 : -1;
        while (true) {
            const int n =
                pick_neighbour_area(being, choice, choice > areas[area].non_corridor_neighbours, true, true);
            if (n == 0 || areas[area].exits < choice) break;
            areas[n].search = 1;
            if (walk_to_area(being, n, purpose_correct_position)) return true;
            ++choice;
        }
    }
    return ai_move_from_doorway(being);
}

bool ai_move_randomly(int being) {
    if (!can_walk(being)) return false;
    const int area = being_area(being);
    if ((has_type_flag(B(being), tf_god) || has_type_flag(B(being), tf_overgod)) &&
        B(being).seen_hostiles == 0) {
        const int hx = B(being).home_x, hy = B(being).home_y;
        if (!on_map(hx, hy) || (B(being).x == hx && B(being).y == hy)) return false;
        return ai_walk(being, hx, hy, false, purpose_wander, 0);
    }
    const int behaviour = B(being).behaviour;
    if (behaviour != behaviour_camp && behaviour != behaviour_wander && B(being).home_level == level.index &&
        is_area_ok(B(being).home_area) && B(being).home_area != area && B(being).master == 0) {
        const int threshold = random(25) + 25;
        if (threshold < B(being).idle_turns) {
            const int roll = random(100);
            if (roll < home_walk_chance && walk_to_area(being, B(being).home_area, purpose_wander))
                return true;
        }
    }
    int chance = random_step_chance;
    if (behaviour == behaviour_follow) {
        chance = follower_step_chance;
        if (is_follower_of_player(being) && B(player_character).resting != 0) return false;
    }
    const int roll = random(100);
    if (roll > chance) return false;
    const int d = random(8) + 1;
    const int nx = B(being).x + compass_dx[d], ny = B(being).y + compass_dy[d];
    if (!on_map(nx, ny) || can_move_to(being, nx, ny, 0, false, false) != target_free) return false;
    if (is_doorway(nx, ny, false) != 0 || is_near_doorway(nx, ny, false) != 0) return false;
    if (cell_at(nx, ny).area != area) return false;
    ai_move(being, nx, ny, 0);
    if (!is_being_ok(being)) return true;
    B(being).ai_plan = plan_idle;
    B(being).last_action_kind = 1;
    return true;
}

bool ai_wander(int being) {
    if (!can_walk(being)) return false;
    const int area = being_area(being);
    const bool door_capable =
        has_type_flag(B(being), tf_can_open_doors) || has_type_flag(B(being), tf_can_crush_doors);
    if (!door_capable && is_area_ok(area) && areas[area].passable_exits == 0) return false;
    const int chance =
        area == 1 ? B(being).idle_turns + wander_idle_bonus : B(being).idle_turns / wander_idle_divisor;
    if (chance < d100()) return false;
    clear_area_marks();
    int target = 0;
    if (d100() < wander_area_chance && door_capable) {
        const int count = area_high_index();
        const int half = map_size / 2;
        for (int i = 0; i < random_area_tries && target == 0 && count > 0; ++i) {
            const int a = random(count) + 1;
            if (!is_area_ok(a) || areas[a].kind == corridor_kind || areas[a].passable_exits == 0 ||
                areas[a].cells < least_wander_area_cells)
                continue;
            if (get_distance(B(being).x, B(being).y, areas[a].centre_x, areas[a].centre_y) > half) continue;
            target = a;
        }
    } else {
        target = pick_neighbour_area(being, 0, false, true, true);
    }
    if (!is_area_ok(target)) return false;
    int x = 0, y = 0;
    if (!free_cell_near_centre(being, target, x, y)) return false;
    if (!ai_walk(being, x, y, false, purpose_wander, 0)) return false;
    if (is_being_ok(being)) set_ai_plan(being, plan_wander, x, 0, target, y);
    return true;
}

bool ai_move_to_nearby_area(int being, int purpose, int own_area, int tries, int chance, int avoided_area) {
    if (!can_walk(being)) return false;
    if (d100() <= chance) {
        const int count = area_high_index();
        for (int i = 0; i < tries && count > 0; ++i) {
            const int a = random(count) + 1;
            if (!is_area_ok(a) || a == own_area || a == avoided_area) continue;
            if (walk_to_area(being, a, purpose)) return true;
        }
        return false;
    }
    clear_area_marks();
    const bool fleeing = purpose == purpose_other_area || purpose == purpose_flee;
    int choice = d100() > (fleeing ? flee_random_choice_chance : random_choice_chance) ? -1 : 0;
    const int exits = is_area_ok(own_area) ? std::min(areas[own_area].exits, nearby_area_choice_cap) : 0;
    for (; choice <= exits; ++choice) {
        const int n = pick_neighbour_area(being, choice, choice >= 1, true, true);
        if (!is_area_ok(n) || n == avoided_area) continue;
        areas[n].search = 1;
        if (walk_to_area(being, n, purpose)) return true;
    }
    return false;
}

} // namespace dravok
