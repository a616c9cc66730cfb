// Stand-ins for world services of branches that are landing now; see the header.
#include "rules/stand_ins.h"

#include "world/dice.h"

#include <algorithm>

#include "records/being_flags.h"
#include "world/being.h"
#include "world/being_creation.h"
#include "world/globals.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/random.h"

namespace dravok {

void regenerate_being(int b, int depth) {
    if (!is_being_ok(b, depth)) return;
    tbeing& being = beings[b];
    if (being.health >= being.health_max || being.health_regen == 0 || being.health_regen_delay == 0) return;
    if (being.health_regen_countdown > 1) {
        --being.health_regen_countdown;
        return;
    }
    being.health_regen_countdown = being.health_regen_delay;
    being.health = uint16_t(std::min<int>(being.health_max, being.health + being.health_regen));
}

void stop_on_hostiles(int b, bool hostiles_seen) {
    if (b < 1 || b >= int(beings.size()) || !beings[b].commanded) return;
    tbeing& being = beings[b];
    const bool autopilot = being.path.purpose == 13;
    if (autopilot)
        add_message(hostiles_seen ? "$FHostiles seen! Stopped autopilot." : "$FStopped autopilot.");
    else if (state.run_counter > 0)
        add_message(hostiles_seen ? "$FHostiles seen! Stopped continuous walk."
                                  : "$FStopped continuous walk.");
    state.run_counter = 0;
    if (autopilot) being.path = tpath{};
}

void stop_resting(int b) {
    state.resting = 0;
    if (b >= 1 && b < int(beings.size()) && beings[b].serial != 0) {
        beings[b].resting = 0;
        beings[b].rest_rounds = 0;
    }
}

void end_possession(int b) {
    tbeing& being = beings[b];
    being.possession_end = 0;
    being.type_flags[tf_possessed] = 0;
    being.commanded = 0;
    stop_on_hostiles(b, false);
    being.next_action_time = game.game_clock + 45;
}

void check_animated_and_summoned(int, int) {}

int ability_check_roll(int b, int ability, int difficulty, bool) {
    const int roll = random(20) + 1;
    return roll + beings[b].ability_modifier[ability - 1] - difficulty;
}

bool skill_check_roll(int b, int skill, int difficulty) {
    // not built yet: the penalties for seen hostiles and dark cells, and the check kept in the being
    const int roll = roll_dice(d20_dice);
    return roll + beings[b].skill_of(skill) >= difficulty;
}

void statues_to_beings(int, int, int, int) {}

void record_key_history(int key, int modifier, int command) {
    for (int n = key_history_count; n > 1; --n)
        game.key_history_of(n) = game.key_history_of(n - 1);
    game.key_history_of(1) = {uint8_t(key),
                              uint8_t(modifier),
                              uint8_t(command & 0xFF),
                              uint8_t(game_mode),
                              0,
                              uint8_t(game.current_level)};
}

void take_screenshot() {}
void save_map_image() {}
void add_history(std::string_view text) {
    if (player_character > 0) history.emplace_back(text);
}

void smear_splashes(int, int, int, int) {}
void add_splash(int x, int y, int, int, int kind, int) {
    if (on_map(x, y)) cell_at(x, y).splash = uint8_t(kind);
}
void get_cell_text(int, int, bool, std::string& out) {
    out.clear();
}
void autopick_items(int, int, int, std::string& out, int) {
    out.clear();
}
void spring_trap(int, int, int, int) {}
void handle_sentient_item_oneliners(int, int) {}
void check_ammunition(int, int) {}
void switch_ammunition(int, int) {}
bool carries_item_with_effect(int, int) {
    return false;
}
uint32_t find_explore_target() {
    return 0;
}
std::string area_discovery_text(int) {
    return {};
}

} // namespace dravok
