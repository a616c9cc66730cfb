// The statuses a being's carried items give it: the device statuses of carried devices and the
// marks of a carried or equipped sentient item, and what that item says. Called by update_being
// and before each action of the being under the player's command.
#pragma once

namespace dravok {

void update_item_statuses(int being);
// The equipped or carried sentient item of the being under the player's command has its say.
void handle_sentient_item_oneliners(int being, int depth);

} // namespace dravok
