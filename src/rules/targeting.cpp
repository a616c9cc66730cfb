// Target mode. Until targeting lands the mode only returns to the map and no target is marked.
#include "rules/targeting.h"

#include "world/being.h"
#include "world/error_log.h"
#include "world/globals.h"
#include "world/message_log.h"

namespace dravok {

int target_kind = 0;
int remembered_aiming_command = 0;

void handle_target_commands(int, int, int, int) {
    game_mode = 3;
}
void attack_marked(int, int) {}
void target_init(int) {
    game_mode = 4;
}

int target_cursor_x = 0, target_cursor_y = 0;
int target_action_kind = 0;
bool target_blocked = false;

void get_ranged_target(int) {
    // not built yet: the nearest valid target of a ranged attack
}
void get_talent_target(int) {
    // not built yet: the first target of a talent
}

void handle_target_selected(int) {
    // not built yet: the aimed action of target mode
}

void set_attack_order(int attacker, int defender, int action, int, int setup) {
    // not built yet: the ranged target block is not reset from its blank and the shape is not kept
    if (!is_being_ok(attacker, 0)) return;
    taction_memory& m = beings[attacker].attack_memory;
    m.action = uint8_t(action);
    m.setup() = uint8_t(setup);
    m.target = uint16_t(defender);
    m.has_target = 1;
}

} // namespace dravok
