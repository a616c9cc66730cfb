// Target mode. Until targeting lands the mode only returns to the map and no target is marked.
#include "rules/targeting.h"

#include "platform/desktop.h"
#include "platform/events.h"
#include "records/being_flags.h"
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

int target_kind = 0;
int remembered_aiming_command = 0;

void handle_target_commands(int, int, int, int) {
    game_mode = 3;
}
void attack_marked(int, int) {}
void target_init(int) {
    game_mode = 4;
}

} // namespace dravok
