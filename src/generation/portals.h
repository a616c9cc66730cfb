// Portals: the stairs and teleporters that join levels. Placing them on a new level belongs to
// the level generator; finding the portal on a cell, where it leads and where spawned creatures
// come in serve the rules, level changes and spawning.
#pragma once
#include <vector>

namespace dravok {

struct tportal;
struct tstuff;

// Places the furniture of every portal of the current level and records its cell.
void set_portals(int depth);
// Places one portal's furniture by its request, relaxing the request until an area takes it;
// false (and a fatal error) when none does.
bool add_portal(int portal, const tstuff& request, int depth, int& result_x, int& result_y);

// A copy of the current level's portal placed at (x, y), or the blank portal. Of the return
// portals sharing a cell, the one leading back where the player came from.
tportal get_portal(int x, int y, int depth);
// A copy of the portal the one at (x, y) leads to, or the blank portal.
tportal get_destination_portal(int x, int y, int depth);
// The portal spawned creatures come through, by the furniture kinds in order of preference
// (none: any); 0 when the level has none of them.
int pick_spawn_portal(const std::vector<int>& kinds);
// A return portal of the current level stands at (x, y).
bool portal_at(int x, int y);

} // namespace dravok
