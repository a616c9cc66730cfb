// The round scheduler: lets game time pass by picking the present being whose next action
// comes first, running the per-pick upkeep and letting it act, until the player's being must
// choose again; and the hand-over to the spectator at the end of a game.
// Called by the key handler after a main-mode command and by the spectator timer.
#pragma once

namespace dravok {

void handle_rounds();
// Takes every being off the player's command, adds the spectator after a death, writes the
// closing lines and switches to the spectator mode.
void player_killed_or_won();

// The index of the being picked last by handle_rounds (0 before the first pick).
extern int last_picked_being;

// The present being with the smallest next_action_time (unsigned; the lowest index on a tie),
// 0 when no being is present.
int pick_next_being();

} // namespace dravok
