// Stand-ins for world services of branches that are landing now; see the header.
#include "rules/stand_ins.h"

#include <algorithm>

#include "records/being_flags.h"
#include "rules/being_creation.h"
#include "world/being.h"
#include "world/globals.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/random.h"

namespace dravok {

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
