#include "ai/player_view.h"

#include "ai/sight.h"
#include "world/being.h"
#include "world/globals.h"

namespace dravok {

void update_player_view(int being) {
    if (!is_being_ok(being)) return;
    ai_line_of_sight(being, beings[being].x, beings[being].y);
}

} // namespace dravok
