// A new game: the character made on the creation menus (or the test character) set up with its
// items and talents on its first level. Called by the module initialisation.
#pragma once

namespace dravok {

void setup_game();
// Whether the creation menus have produced a character to play.
bool game_character_created();

} // namespace dravok
