// Save games; see saves.h.
#include "world/saves.h"

namespace dravok {

void save_game() {
    // not built yet: saving the game
}
bool load_game(const std::string&) {
    // not built yet: loading a saved game
    return false;
}
void build_save_list() {
    // not built yet: the list of saved games
}

} // namespace dravok
