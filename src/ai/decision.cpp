// Creature turns. Until the decision chain lands a creature only waits: the chain's own last
// step books a round, and so does this.
#include "ai/decision.h"

#include "rules/stand_ins.h"

namespace dravok {

void ai_act(int being, int depth) {
    if (!is_being_ok(being, depth)) return;
    beings[being].next_action_time = game.game_clock + 15;
}

} // namespace dravok
