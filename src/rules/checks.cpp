#include "rules/checks.h"

#include <algorithm>

#include "ai/light.h"
#include "world/being.h"
#include "world/dice.h"
#include "world/globals.h"

namespace dravok {

namespace {

constexpr int spirit = 4;
constexpr int best_roll = 20;
constexpr int dim_light = 3; // below this a cell is too dark to work in
constexpr int dark_with_vision = 10, dark_blind = 30;

} // namespace

bool skill_check_roll(int being, int skill, int difficulty) {
    if (!is_being_ok(being)) return false;
    tbeing& b = beings[being];
    int roll = roll_dice(d20_dice);
    int penalty = 0;
    if (skill == skill_disable || skill == skill_search) {
        penalty = b.seen_hostiles;
        if (penalty == 0) roll = best_roll; // with time and no one watching, the best is made of it
        if (light_at(b.x, b.y) < dim_light) difficulty += b.dark_vision > 0 ? dark_with_vision : dark_blind;
    } else if (skill == skill_magic) {
        penalty = b.adjacent_hostiles;
    }
    if (penalty > 0) {
        penalty -= at1(b.ability_modifier, spirit);
        if (penalty < 0) penalty = 0;
    }
    const int target = difficulty + penalty;
    const int total = roll + b.skill_of(skill);
    // The kept bytes are for display; the comparison must not wrap for high skills.
    b.check_roll = uint8_t(roll);
    b.check_target = uint8_t(int8_t(std::clamp(target, -128, 127)));
    b.check_total = uint8_t(int8_t(std::clamp(total, -128, 127)));
    return total >= target;
}

} // namespace dravok
