// The open ends of templates in the finished layout: hallway ends and vault dead ends are led
// on to the nearest floor or opened into it. Owner: the level generator; callers: the
// finishing passes.
#pragma once

namespace dravok {

void terminate_hallways(bool vault_ends_too, int depth);
bool continue_hallway(int x, int y, int direction, int depth, bool wide);
bool continue_vault_deadend(int x, int y, int direction, int depth);

} // namespace dravok
