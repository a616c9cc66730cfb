// Path following: one step of a being along its own path (doors opened, portals taken,
// blockers recorded or displaced, arrival detected) and what a walker does on arrival. Called
// by the creature walks and by the scheduler for the player's autopilot travel.
#pragma once

namespace dravok {

// One step along the being's own path; true when the being acted.
bool take_path_step(int being, int depth);
// A being that fled its prison cell settles where its walk ended.
void after_reached_path_target(int being);

} // namespace dravok
