// Skill checks and reveals.
#include "rules/checks.h"

#include <cstdint>

#include "world/being.h"
#include "world/dice.h"
#include "world/globals.h"
#include "world/map.h"

namespace dravok {

namespace {
constexpr int disable_skill = 1, magic_skill = 3, search_skill = 6;
constexpr int dim_light = 3;
constexpr int dark_with_vision = 10, dark_without_vision = 30;
constexpr int best_roll = 20;
} // namespace

bool skill_check_roll(int being, int skill, int difficulty) {
    if (being < 1 || being >= int(beings.size()) || skill < 1 || skill > skill_count) return false;
    tbeing& b = beings[being];
    int roll = roll_dice(d20_dice);
    int penalty = 0;
    if (skill == disable_skill || skill == search_skill) {
        penalty = b.seen_hostiles;
        if (penalty == 0) roll = best_roll;
        if (on_map(b.x, b.y) && light_map.light(b.x, b.y) < dim_light)
            difficulty += b.dark_vision != 0 ? dark_with_vision : dark_without_vision;
    } else if (skill == magic_skill) {
        penalty = b.adjacent_hostiles;
    }
    if (penalty > 0) {
        penalty -= ability_modifier(b.ability_of(4));
        if (penalty < 0) penalty = 0;
    }
    b.check_roll = uint8_t(roll);
    b.check_target = uint8_t(difficulty + penalty);
    b.check_total = uint8_t(roll + b.skill_of(skill));
    return int8_t(b.check_total) >= int8_t(b.check_target);
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
