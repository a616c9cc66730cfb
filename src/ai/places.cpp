// Map points and the autopilot mode. Until the autopilot lands no point is stored and the
// mode's keys return to the map.
#include "ai/places.h"

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

void remember_place(int, int) {}
void reset_autopilot_search() {}

void handle_autopilot_commands(int, int, int, int) {
    game_mode = 3;
}

} // namespace dravok
