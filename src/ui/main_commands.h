// The main mode's command handler: turns a command into the player's action with its time
// cost, opens the screens and modes reached from the map, or changes the view.
// Called by the key dispatch.
#pragma once

namespace dravok {

void handle_main_commands(int being, int command, int key, int modifier);

} // namespace dravok
