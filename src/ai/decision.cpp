// Creature turns. Until the decision chain lands a creature only waits: the chain's own last
// step books a round, and so does this.
#include "ai/decision.h"

#include "platform/desktop.h"
#include "platform/events.h"
#include "rules/stand_ins.h"
#include "ui/draw.h"
#include "ui/frame_links.h"
#include "world/being.h"
#include "world/being_creation.h"
#include "world/being_flags.h"
#include "world/being_update.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/map.h"
#include "world/message_log.h"

namespace dravok {

void ai_act(int being, int depth) {
    if (!is_being_ok(being, depth)) return;
    beings[being].next_action_time = game.game_clock + 15;
}

} // namespace dravok
