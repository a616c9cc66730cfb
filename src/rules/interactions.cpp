// Interactions. Resting until healed is whole; the other actions, until they land, take their
// time and change nothing.
#include "rules/interactions.h"

#include <algorithm>
#include <cstdio>

#include "ai/emotion.h"
#include "ai/light.h"
#include "ai/oneliners.h"
#include "ai/sight.h"
#include "ai/teleport_watch.h"
#include "generation/level_setup.h"
#include "generation/portals.h"
#include "generation/transfer.h"
#include "records/being_flags.h"
#include "rules/action_time.h"
#include "rules/being_checks.h"
#include "rules/being_creation.h"
#include "rules/followers.h"
#include "rules/item_use.h"
#include "rules/movement.h"
#include "rules/talents.h"
#include "world/being.h"
#include "world/coins.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/history_file.h"
#include "world/indicators.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/message_log.h"
#include "world/pictures.h"
#include "world/presentation.h"
#include "world/regeneration.h"

namespace dravok {

void loot_container(int being, int, bool, int depth, bool) {
    depth = trace_enter(depth, trace_loot_container);
    if (is_being_ok(being, depth)) spend_time(being, action_time(being, 15));
}
void bump_portal(int being, int direction) {
    if (!is_being_ok(being) || direction < 1 || direction > 8) return;
    const int x = beings[being].x + direction_steps[direction].dx,
              y = beings[being].y + direction_steps[direction].dy;
    if (on_map(x, y)) presentation.setup_use_portal(direction, x, y);
}

namespace {

constexpr int portal_cost = 15;
constexpr uint8_t used_teleporter = 10;
constexpr uint8_t teleporter_cooldown = 8;

void step_through_teleporter(int being, const tportal& destination, int x, int y, int depth) {
    depth = trace_enter(depth, trace_step_through_teleporter);
    tbeing& b = beings[being];
    int to_x = 0, to_y = 0;
    find_free_floor_for_being(destination.x, destination.y, std::max<int>(b.width, 1), to_x, to_y, depth,
                              std::max<int>(b.height, 1));
    if (!on_map(to_x, to_y)) {
        if (being == player)
            add_message("$FThe teleporter avoids you! Maybe there is not enough space on the other side.");
        return;
    }
    const bool other = being != player;
    if (other && can_see(player, 0, x, y)) {
        add_message("$N" + being_name(being, name_the_capital) + " disappears into the teleporter!");
        add_floating_text(x, y, "uses teleporter", 0xFFFFFF);
    }
    sees_teleport_use(being, x, y, depth);
    portals[destination.index].used = 1;
    place_being(being, to_x, to_y, depth);
    enter_map_tile(being, depth);
    spend_time(being, action_time(being, portal_cost));
    b.last_action_kind = used_teleporter;
    b.teleport_cooldown = teleporter_cooldown;
    b.teleporter_x = b.teleporter_y = 0;
    if (other) {
        update_lights();
        if (can_see(player, 0, to_x, to_y))
            add_message("$N" + being_name(being, name_the_capital) + " appears from the teleporter!");
    }
}

} // namespace

void handle_portal(int being, int direction, int depth) {
    depth = trace_enter(depth, trace_handle_portal);
    if (!is_being_ok(being, depth) || direction < 1 || direction > 8) return;
    const int x = beings[being].x + direction_steps[direction].dx,
              y = beings[being].y + direction_steps[direction].dy;
    const tportal from = get_portal(x, y, depth);
    if (from.index != 0 && from.index < portals.size()) portals[from.index].used = 1;
    const tportal destination = get_destination_portal(x, y, depth);
    if (destination.index == 0) {
        char text[100];
        std::snprintf(text, sizeof text, "Can not find destination portal to portal at %3.3d,%3.3d!", x, y);
        error_log(depth, text, true);
        game_mode = mode_main;
        return;
    }
    if (destination.level == level.index) {
        step_through_teleporter(being, destination, x, y, depth);
        return;
    }
    if (being != player) return;
    if (game.transfer_count > 0) force_transfer_beings(depth);
    game.target_level = destination.level;
    game.portal = destination;
    game.current_level = level.index;
    if (setup_level(depth)) arrive_at_level(depth);
    game_mode = mode_main;
}
void bump_friendly(int, int) {}
bool displace_being(int being, int other) {
    if (!is_being_ok(being) || !is_being_ok(other)) return false;
    spend_time(being, action_time(being, 20));
    return true;
}
void displace_hostile_being(int being, int) {
    if (is_being_ok(being)) spend_time(being, action_time(being, 20));
}
void fire_ranged(int, int) {}
int get_item(int, int, int) {
    return 0;
}
void swap_weapons(int being) {
    if (is_being_ok(being)) spend_time(being, action_time(being, 20));
}
void yell(int being) {
    if (!is_being_ok(being)) return;
    if (being == player) add_message("$NYou make a loud noise!");
    spend_time(being, action_time(being, 15, false));
}

void rest_until_healed(int being) {
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    b.resting = 0;
    b.rest_rounds = 0;
    state.resting = 0;
    if (b.seen_hostiles > 0) {
        add_message("$FCan not rest while hostile creatures are seen!");
        return;
    }
    if (being != player_character) {
        add_message("$FOnly the player character can rest until healed!");
        return;
    }
    if (b.health_regen_delay == 0 || b.health_regen == 0) {
        add_message("$FYou can not rest!");
        return;
    }
    if (b.health >= b.health_max)
        b.rest_rounds = 100;
    else
        b.resting = 1;
}

} // namespace dravok
