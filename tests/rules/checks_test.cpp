// Ability and skill checks: the take-best rule, the adjacent-hostile and spirit penalties, the
// dark and the hostiles seen for search and disable, worked out by hand for one being.
#include <gtest/gtest.h>

#include "records/layout_being.h"
#include "rules/being_checks.h"
#include "rules/checks.h"
#include "support/driver.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/light_map.h"
#include "world/random.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

constexpr int body = 1, spirit = 4;
constexpr int disable = 1, magic = 3, melee = 4, search = 6;

// The d20 the next check will roll, without disturbing the sequence.
int next_d20(uint32_t seed) {
    random_seed = seed;
    const int roll = roll_dice(d20_dice);
    random_seed = seed;
    return roll;
}

struct ability_case {
    const char* what;
    bool take_best;
    int nearest_hostile, adjacent, spirit_modifier;
    int body_modifier, difficulty;
    bool best_roll; // the roll is 20
    int penalty;    // adjacent hostiles less spirit (when any)
};

TEST(Checks, AbilityCheckTakesTheBestOnlyInCalmAndCountsAdjacentHostilesLessSpirit) {
    const ability_case cases[] = {
        {"plain roll", false, 0, 0, 0, 2, 10, false, 0},
        {"take best, no hostile near", true, 0, 0, 0, 2, 10, true, 0},
        {"take best, hostile at 6", true, 6, 0, 0, 2, 10, true, 0},
        {"take best, hostile at 5", true, 5, 0, 0, 2, 10, false, 0},
        {"two adjacent, spirit +1", false, 1, 2, 1, 0, 12, false, 1},
        {"one adjacent, spirit +3: a bonus", false, 1, 1, 3, 1, 15, false, -2},
        {"spirit counts only with adjacent hostiles", false, 0, 0, 3, 1, 15, false, 0},
    };
    turn_driver d;
    const int b = d.add_player(5, 5);
    for (const ability_case& c : cases) {
        SCOPED_TRACE(c.what);
        tbeing& being = beings[b];
        being.nearest_hostile = uint8_t(c.nearest_hostile);
        being.adjacent_hostiles = uint8_t(c.adjacent);
        at1(being.ability_modifier, spirit) = int8_t(c.spirit_modifier);
        at1(being.ability_modifier, body) = int8_t(c.body_modifier);
        const int rolled = next_d20(1234u);
        const int roll = c.best_roll ? 20 : rolled;
        EXPECT_EQ(ability_check_roll(b, body, c.difficulty, c.take_best),
                  c.body_modifier + roll - c.penalty - c.difficulty);
    }
}

struct skill_case {
    const char* what;
    int skill, seen, adjacent, spirit_modifier, light, dark_vision;
    int skill_value, difficulty;
    bool best_roll;
    int target; // difficulty, dark and penalty
};

TEST(Checks, SkillCheckPenaltiesDarkAndKeptBytes) {
    const skill_case cases[] = {
        {"search, nobody seen: best roll", search, 0, 0, 0, 5, 0, 4, 20, true, 20},
        {"search in the dark without dark vision", search, 0, 0, 0, 1, 0, 4, 20, true, 50},
        {"disable in the dark with dark vision", disable, 0, 0, 0, 2, 3, 4, 20, true, 30},
        {"search with three seen, spirit +1", search, 3, 0, 1, 5, 0, 4, 10, false, 12},
        {"spirit does not turn the penalty into a bonus", search, 1, 0, 4, 5, 0, 4, 10, false, 10},
        {"magic counts the adjacent ones only", magic, 5, 2, 0, 1, 0, 4, 10, false, 12},
        {"melee: no penalty, no dark", melee, 5, 3, 0, 1, 0, 4, 10, false, 10},
    };
    turn_driver d;
    const int b = d.add_player(5, 5);
    for (const skill_case& c : cases) {
        SCOPED_TRACE(c.what);
        tbeing& being = beings[b];
        being.seen_hostiles = uint16_t(c.seen);
        being.adjacent_hostiles = uint8_t(c.adjacent);
        at1(being.ability_modifier, spirit) = int8_t(c.spirit_modifier);
        being.ability_of(spirit) = uint8_t(10 + 2 * c.spirit_modifier);
        being.dark_vision = uint8_t(c.dark_vision);
        being.skill_of(c.skill) = uint8_t(c.skill_value);
        light_map.light(5, 5) = uint8_t(c.light);
        const int rolled = next_d20(777u);
        const int roll = c.best_roll ? 20 : rolled;
        const bool passed = skill_check_roll(b, c.skill, c.difficulty);
        EXPECT_EQ(being.check_roll, roll);
        EXPECT_EQ(being.check_target, c.target);
        EXPECT_EQ(being.check_total, roll + c.skill_value);
        EXPECT_EQ(passed, roll + c.skill_value >= c.target);
    }
}

TEST(Checks, AHugeSkillPassesInsteadOfWrappingToANegativeByte) {
    turn_driver d;
    const int b = d.add_player(5, 5);
    tbeing& being = beings[b];
    being.skill_of(melee) = 126; // with any roll the total is past 127
    random_seed = 5u;
    EXPECT_TRUE(skill_check_roll(b, melee, 100));
    EXPECT_EQ(int8_t(being.check_total), 127) << "the kept total is clamped, not wrapped";
}

} // namespace
} // namespace dravok
