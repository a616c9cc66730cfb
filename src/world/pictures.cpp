#include "world/pictures.h"
#include "records/layout_game.h"

#include <cstdint>

#include "world/globals.h"

namespace dravok {

void record_key_history(int key, int modifier, int command) {
    for (int n = key_history_count; n > 1; --n)
        game.key_history_of(n) = game.key_history_of(n - 1);
    game.key_history_of(1) = {uint8_t(key),
                              uint8_t(modifier),
                              uint8_t(command & 0xFF),
                              uint8_t(game_mode),
                              0,
                              uint8_t(game.current_level)};
}

// not built yet: no screenshot and no image of the map is saved
void take_screenshot() {}
void save_map_image() {}

} // namespace dravok
