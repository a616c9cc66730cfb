// Fleeing, investigating and escaping: the moves a creature makes away from threats or toward
// what it noticed. Called by the decision chain.
#pragma once

namespace dravok {

bool ai_needs_to_move(int being);
bool ai_spot_investigate_target(int being);
bool ai_flee(int being);
bool ai_continue_fleeing_after_teleport_use(int being);
bool ai_investigate(int being);
bool ai_escape_cell(int being);

} // namespace dravok
