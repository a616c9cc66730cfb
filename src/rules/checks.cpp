// Skill checks and reveals.
#include "rules/checks.h"

#include <algorithm>
#include <cstdint>

#include "world/being.h"
#include "world/dice.h"
#include "world/globals.h"
#include "world/map.h"

namespace dravok {

namespace {

constexpr int spirit = 4;
constexpr int best_roll = 20;
constexpr int dim_light = 3; // below this a cell is too dark to work in
constexpr int dark_with_vision = 10, dark_blind = 30;

} // namespace

bool skill_check_roll(int being, int skill, int difficulty) {
    if (!is_being_ok(being) || skill < 1 || skill > skill_count) return false;
    tbeing& b = beings[being];
    int roll = roll_dice(d20_dice);
    int penalty = 0;
    if (skill == skill_disable || skill == skill_search) {
        penalty = b.seen_hostiles;
        if (penalty == 0) roll = best_roll; // with time and no one watching, the best is made of it
        if (on_map(b.x, b.y) && light_map.light(b.x, b.y) < dim_light)
            difficulty += b.dark_vision > 0 ? dark_with_vision : dark_blind;
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

void mind_probe_oneliner(int, int) {
    // not built yet: a probed creature's complaint and its grudge against the prober
}

int reveal_mimic(int, int, int, int) {
    // not built yet: a mimic hidden as furniture shows itself
    return 0;
}

int reveal_coffin_being(int, int, int, int) {
    // not built yet: the dweller of a coffin climbs out of it
    return 0;
}

int reveal_living_statue(int, int, int, int) {
    // not built yet: a living statue comes alive
    return 0;
}

} // namespace dravok
