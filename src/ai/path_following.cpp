#include "ai/path_following.h"

#include <string>

#include "ai/paths.h"
#include "ai/sight.h"
#include "ai/walking.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "rules/being_checks.h"
#include "rules/being_creation.h"
#include "rules/furniture.h"
#include "rules/interactions.h"
#include "rules/move_checks.h"
#include "rules/movement.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/indicators.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"

namespace dravok {

namespace {

constexpr int last_step_cursor = 255;
constexpr uint32_t pick_up_colour = 0xFFFFFF;

// Autopilot travel ends: the level forgets its travel target and the item chosen for the end
// of the trip is picked up.
void end_travel(int being, int depth) {
    depth = trace_enter(depth, trace_end_travel);
    level.target_x = level.target_y = 0;
    const int item = loot_target_item;
    if (item < 1 || item >= int(level_items.size()) || level_items[size_t(item)].plan == 0) return;
    const titem& it = level_items[size_t(item)];
    const std::string name = item_name(it.name.view(), it.amount, it.stackable, being, 0);
    const int x = it.x, y = it.y;
    if (get_item(being, item, depth) != 0) add_floating_text(x, y, name, pick_up_colour);
    loot_target_item = 0;
}

void arrive(int being, int depth) {
    depth = trace_enter(depth, trace_arrive_at_path_end);
    tbeing& b = beings[being];
    if (b.path.purpose == purpose_travel) end_travel(being, depth);
    beings[being].path = empty_path;
    after_reached_path_target(being);
}

} // namespace

void after_reached_path_target(int being) {
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    if (!has_type_flag(b, tf_fleeing_from_cell) || is_in_home_area(being) || b.seen_hostiles != 0) return;
    b.home_level = level.index;
    b.home_area = uint16_t(cell_at(b.x, b.y).area);
    b.type_flags[tf_fleeing_from_cell] = 0;
}

bool take_path_step(int being, int depth) {
    depth = trace_enter(depth, trace_take_path_step);
    if (!is_being_ok(being)) return false;
    auto B = [being]() -> tbeing& { return beings[size_t(being)]; };
    B().path.left_open_door = is_door(B().x, B().y, 1) ? 1 : 0;
    if (B().path.cursor > last_step_cursor) {
        B().path = empty_path;
        return false;
    }
    const int d = B().path.cursor >= 1 ? B().path.step(B().path.cursor) : 0;
    if (d < 1 || d > 8) return false;
    const int nx = B().x + compass_dx[d], ny = B().y + compass_dy[d];
    B().path.last_direction = uint8_t(d);
    B().path.next_x = uint8_t(nx);
    B().path.next_y = uint8_t(ny);

    // A web or slime holds the being: the struggle spends the turn unless it frees it.
    if (can_move(being, depth) == move_held && !can_move_through_restraining_map_effect(being, d, depth))
        return true;

    int r = can_move_to(being, nx, ny, depth, B().path.ignore_harm != 0, false);
    if (B().path.purpose == purpose_other_area && on_map(nx, ny) &&
        (hostile_grid(nx, ny) != 0 || feared_grid(nx, ny) != 0))
        r = -8;
    B().path.last_move_result = r;

    bool acted = false;
    switch (r) {
    case target_free: {
        const bool at_target = nx == B().path.target_x && ny == B().path.target_y;
        ai_move(being, nx, ny, depth);
        if (!is_being_ok(being)) return true;
        ++B().path.cursor;
        if (at_target) {
            arrive(being, depth);
            return true;
        }
        acted = true;
        break;
    }
    case target_harmful_effect:
        if (B().path.ignore_harm == 0) {
            B().path = empty_path;
            return false;
        }
        break;
    case target_occupied: {
        const tcell& c = cell_at(nx, ny);
        B().path.blocker = c.being;
        B().path.blocked_area = c.area;
        B().path.blocked_variant = c.shape;
        ++B().path.times_blocked;
        if (B().path.purpose == purpose_travel && c.being != 0) acted = displace_being(being, c.being);
        break;
    }
    case target_door_to_open:
        if (B().commanded == 0) {
            if (can_open_closed_door(being, nx, ny, depth)) {
                toggle_furniture(being, d, true, depth, true);
                acted = true;
            }
        } else if (B().path.purpose == purpose_travel && cell_at(nx, ny).trap == 0) {
            toggle_furniture(being, d, true, depth, true);
            acted = true;
        }
        break;
    case target_own_teleporter:
        if (B().commanded == 0) {
            B().teleporter_x = B().teleporter_y = B().teleporter_countdown = 0;
            B().path = empty_path;
            handle_portal(being, d, depth);
            return true;
        }
        break;
    default:
        break;
    }
    if (!is_being_ok(being)) return true;
    if (acted) {
        B().path.blocker = 0;
        B().path.times_blocked = 0;
        B().path.blocked_area = 0;
        B().path.blocked_variant = 0;
        return true;
    }
    if (is_near(being, 0, B().path.target_x, B().path.target_y)) {
        arrive(being, depth);
        return true;
    }
    return false;
}

} // namespace dravok
