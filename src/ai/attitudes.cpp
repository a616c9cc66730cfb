// Attitudes: who stands up for a being that is attacked.
#include "ai/attitudes.h"

#include "ai/emotion.h"
#include "ai/sight.h"
#include "records/layout_being.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/geometry.h"

namespace dravok {

namespace {

constexpr int hostile_threshold = -20, friend_threshold = 10;

} // namespace

// A witness of either that does not hate the attacker and likes the victim; the nearest to the
// attacker, the first found on a tie.
int find_defender(int being, int other) {
    if (!is_being_ok(being) || !is_being_ok(other)) return 0;
    int defender = 0, nearest = 0;
    for (int b = 1; b < int(beings.size()); ++b) {
        if (b == being || b == other || !is_being_ok(b) || beings[b].present == 0) continue;
        if (!can_see(b, being, 0, 0) && !can_see(b, other, 0, 0)) continue;
        if (get_emotion(b, being, true) <= hostile_threshold ||
            get_emotion(b, other, true) < friend_threshold)
            continue;
        const int distance = get_being_distance(b, being);
        if (defender == 0 || distance < nearest) {
            defender = b;
            nearest = distance;
        }
    }
    return defender;
}

} // namespace dravok
