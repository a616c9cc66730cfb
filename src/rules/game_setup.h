// A new game from the character sheet: the game record, the first level, the player's being
// made from the sheet (or the test character when the sheet has no race) and placed on the
// level, and the hand-over to the main mode. Called by the creation menus, the past characters'
// rows and the window's start-up.
#pragma once

namespace dravok {

// The player's being made from the edited sheet and placed on the level; its index, or 0.
int create_player(int depth);
void setup_game();
// True when the game in progress was started from a created character (not the test character).
bool game_character_created();

} // namespace dravok
