// Portals taken by keys; see portal_keys.h.
#include "support/portal_keys.h"

#include "rules/being_creation.h"
#include "support/creation_keys.h"
#include "ui/key_bindings.h"
#include "world/directions.h"
#include "world/game_modes.h"
#include "world/geometry.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/player.h"
#include "world/tables.h"

namespace dravok::testing {

bool take_portal_to(started_game& game, int target_level) {
    for (int p = 1; p < int(portals.size()); ++p) {
        const tportal& from = portals[p];
        if (from.level != level.index || from.destination == 0 || from.destination >= portals.size() ||
            portals[from.destination].level != target_level || !on_map(from.x, from.y))
            continue;
        for (int d = 1; d <= 8; ++d) {
            const int x = from.x - direction_steps[d].dx, y = from.y - direction_steps[d].dy;
            if (!is_free_floor(x, y, 1, 1, 0, 0, 1) || cell_at(x, y).trap != 0) continue;
            place_being(player, x, y, 1);
            press_command(game, d);
            if (game_mode != mode_dialog) return false;
            game.press(key_right); // "Yes"
            game.press(key_enter);
            return level.index == target_level && game_mode == mode_main;
        }
    }
    return false;
}

} // namespace dravok::testing
