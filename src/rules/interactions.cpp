// Interactions. Resting until healed is whole; the other actions, until they land, take their
// time and change nothing.
#include "rules/interactions.h"

#include "platform/desktop.h"
#include "platform/events.h"
#include "records/being_flags.h"
#include "rules/action_time.h"
#include "rules/stand_ins.h"
#include "ui/draw.h"
#include "ui/frame_links.h"
#include "world/being.h"
#include "world/being_creation.h"
#include "world/being_update.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/map.h"
#include "world/message_log.h"

namespace dravok {

void loot_container(int being, int, bool, int depth, bool) {
    if (is_being_ok(being, depth)) spend_time(being, action_time(being, 15));
}
void bump_portal(int, int) {}
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
