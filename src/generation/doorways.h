// Doorways between a newly built area and the area it grew from: opening the wall cell,
// widening it to three cells, or turning it into a door or a secret door. Owner: the level
// generator; callers: every area builder and the finishing passes.
#pragma once
#include "records/layout_dice.h"

namespace dravok {

void create_doorway(int x, int y, int direction, int depth, int area, int origin_kind, int kind);
bool widen_doorway(int x, int y, int direction, int depth, bool forced, int area, int origin_kind, int kind);

// Turns (x, y) into a secret door of the given difficulty, in the block of the wall beside it.
void create_secret_door(int x, int y, const tdice& difficulty, int depth);

} // namespace dravok
