// Target mode. Until targeting lands the mode only returns to the map and no target is marked.
#include "rules/targeting.h"

#include "rules/stand_ins.h"

namespace dravok {

int target_kind = 0;
int remembered_aiming_command = 0;

void handle_target_commands(int, int, int, int) { game_mode = 3; }
void attack_marked(int, int) {}
void target_init(int) { game_mode = 4; }

} // namespace dravok
