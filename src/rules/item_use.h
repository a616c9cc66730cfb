// Using what lies about and what is carried: picking items up on the way, springing traps,
// the talk of sentient items, ammunition and the effects of carried items. Called by movement,
// the scheduler and the main commands.
#pragma once
#include <string>

namespace dravok {

// Picks up the items the being's autopick choice wants from (x, y); `out` says what was taken.
void autopick_items(int being, int x, int y, std::string& out, int depth);
void spring_trap(int being, int x, int y, int depth);
void handle_sentient_item_oneliners(int being, int depth);
void check_ammunition(int being, int depth);
void switch_ammunition(int being, int depth);
bool carries_item_with_effect(int being, int effect_kind);

} // namespace dravok
