// Save games; see saves.h.
#include "world/saves.h"

#include "world/globals.h"

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

void save_characters(const tcharacter& sheet, bool pregenerated) {
    if (past_characters.size() < 2) past_characters.assign(2, tcharacter{});
    if (sheet.race_plan != 0) past_characters[1] = sheet;
    if (pregenerated) {
        if (sheet.index != 0 && sheet.index < past_characters.size())
            past_characters[sheet.index] = sheet;
        else
            past_characters.push_back(sheet);
    }
    // not built yet: writing the characters file
}

void load_characters() {
    // not built yet: reading the characters file (the list of this session stays)
}

} // namespace dravok
