// The creature decision chain: one turn of a being that is not under the player's command.
// Called by the round scheduler.
#pragma once

namespace dravok {

// One creature turn; always books the being's next_action_time.
void ai_act(int being, int depth);

} // namespace dravok
