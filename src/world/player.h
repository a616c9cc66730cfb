// Which being the player commands, and which is the player's own character.
#pragma once

namespace dravok {

extern int player;           // the being the player commands (0 none)
extern int player_character; // the player's own character

} // namespace dravok
