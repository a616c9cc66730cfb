#include "rules/game_setup.h"

namespace dravok {

void setup_game() {
    // not built yet: a new game from the created character
}
bool game_character_created() {
    // not built yet: character creation; no character is ever made
    return false;
}

} // namespace dravok
