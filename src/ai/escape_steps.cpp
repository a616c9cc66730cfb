#include "ai/escape_steps.h"

#include "records/layout_being.h"
#include "world/beings.h"
#include "world/directions.h"
#include "world/map.h"
#include "world/random.h"

namespace dravok {

namespace {

// Offsets from the straight-away direction, counter-clockwise member of each pair first.
constexpr int away_offsets[8] = {0, 0, -1, 1, -2, 2, -3, 3};
constexpr int random_pool = 3;

} // namespace

int escape_direction(int d, int k) {
    if (d < 1 || d > 8 || k < 1 || k > 7) return 0;
    const int away = (d + 3) % 8 + 1;
    return ((away - 1 + away_offsets[k] + 8) % 8) + 1;
}

int pick_escape_direction(int being, int d, int random_picks, int ordered,
                          const std::function<bool(int x, int y)>& accept) {
    if (being < 1 || being >= int(beings.size()) || d < 1 || d > 8) return 0;
    const tbeing& b = beings[size_t(being)];
    for (int i = 1; i <= random_picks + ordered; ++i) {
        int k = i - random_picks;
        if (i <= random_picks) k = random(random_pool) + 1;
        const int e = escape_direction(d, k);
        const int x = b.x + compass_dx[e], y = b.y + compass_dy[e];
        if (on_map(x, y) && accept(x, y)) return e;
    }
    return 0;
}

} // namespace dravok
