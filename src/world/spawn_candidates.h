// The being templates a spawn, a summoning or the pantheon may pick from: numbered in plan order
// among those of the spawn group still under their limits, and one of them drawn.
// Called by the level generator's stuff, spawning, summoning and the pantheon's set-up.
#pragma once

namespace dravok {

// Whether the plan belongs to the group and none of its limits (spawned this round, per game,
// per level) is reached.
bool is_spawnable_plan(int group, int plan, int limit);
// Numbers the spawnable plans 1..n (spawn_ordinal) and returns n; reset starts the round's counts.
int number_spawnable_plans(int group, bool reset, int limit);
// Draws one of the count numbered plans and counts it as spawned; 0 when none has the number.
int pick_spawn_being_plan(int count);

} // namespace dravok
