#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/level_record.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {
namespace {

uint32_t reference_draw(uint32_t& seed, uint32_t n) {
    seed = static_cast<uint32_t>(static_cast<uint64_t>(seed) * 134775813u + 1u);
    return static_cast<uint32_t>((static_cast<uint64_t>(seed) * n) >> 32);
}

tdice parsed(std::string_view text) {
    tdice d;
    std::memset(&d, 0xAB, sizeof d); // parsing must start from the blank record
    parse_dice(text, d);
    return d;
}

struct FormulaCase {
    const char* text;
    int count, sides, bonus, ability;
    const char* shown;
};

TEST(Dice, FormulasParseAndShowBack) {
    const std::vector<FormulaCase> cases = {
        {"2d6+1", 2, 6, 1, 0, "2d6+1"},
        {"d8", 1, 8, 0, 0, "1d8"},
        {"5", 0, 0, 5, 0, "5"},
        {"-3", 0, 0, -3, 0, "-3"},
        {"", 0, 0, 0, 0, "0"},
        {" \t3 + 1d4 \r\n", 1, 4, 3, 0, "1d4+3"}, // trimmed, blanks deleted, leading bonus
        {"3+1d4+2", 1, 4, 2, 0, "1d4+2"},         // the trailing bonus replaces the leading one
        {"d6-1", 1, 6, -1, 0, "1d6-1"},
        {"1D6", 0, 0, 0, 0, "0"}, // no lower-case d: a constant that does not read
        {"x", 0, 0, 0, 0, "0"},
        {"1d", 1, 1, 0, 0, "1d1"},
        {"3+d4", 1, 4, 3, 0, "1d4+3"},
        {"300d6", 44, 6, 0, 0, "44d6"}, // the count is kept in 8 bits
        {"1d6+body_mod", 1, 6, 0, 1, "1d6 + Body-mod"},
        {"1d4-spirit_mod", 1, 4, 0, -4, "1d4 - Spirit-mod"},
        {"1d4+spirit_mod+motion_mod", 1, 4, 0, 2, "1d4 + Motion-mod"}, // abilities in their order; one
        {"+mind_mod", 0, 0, 0, 3, "Mind-mod"},
        {"-body_mod", 0, 0, 0, -1, "-Body-mod"},
    };
    for (const FormulaCase& c : cases) {
        SCOPED_TRACE(c.text);
        const tdice d = parsed(c.text);
        EXPECT_EQ(d.count, c.count);
        EXPECT_EQ(d.sides, c.sides);
        EXPECT_EQ(d.bonus, c.bonus);
        EXPECT_EQ(d.ability, c.ability);
        EXPECT_EQ(d.all_flag, 0);
        EXPECT_EQ(dice_to_text(d), c.shown);
    }
}

TEST(Dice, AllIsTheOnlyWordThatIgnoresCase) {
    for (const char* text : {"all", "ALL", " All "}) {
        const tdice d = parsed(text);
        EXPECT_EQ(d.all_flag, 1) << text;
        EXPECT_EQ(d.count, 0);
        EXPECT_EQ(dice_to_text(d), "All");
    }
}

TEST(Dice, PerPartsSelectLevelDungeonLevelOrSkill) {
    tdice d = parsed("1d6+body_mod|per_level:1/2");
    EXPECT_EQ(d.ability, 1);
    EXPECT_EQ(d.per_level, 1);
    EXPECT_EQ(d.per_level_divisor, 2);
    EXPECT_EQ(dice_to_text(d), "1d6 + Body-mod + 1 per 2 levels");

    d = parsed("2|per_melee:2");
    EXPECT_EQ(d.per_skill[3], 2);
    EXPECT_EQ(d.per_skill_divisor[3], 1);
    EXPECT_EQ(dice_to_text(d), "2 + 2 per Melee");

    d = parsed("|per_STEALTH:3/4"); // skill names ignore case
    EXPECT_EQ(d.per_skill[6], 3);
    EXPECT_EQ(d.per_skill_divisor[6], 4);
    EXPECT_EQ(dice_to_text(d), "0 + 3 per 4 Stealth");

    d = parsed("1d6|per_dungeon_level:1/3");
    EXPECT_EQ(d.per_dungeon_level, 1);
    EXPECT_EQ(d.per_dungeon_level_divisor, 3);
    EXPECT_EQ(dice_to_text(d), "1d6 + 1 per 3 dungeon levels");
    EXPECT_EQ(dice_to_text(parsed("d4|per_dungeon_level:2")), "1d4 + 2 per dungeon level");
    EXPECT_EQ(dice_to_text(parsed("|per_level:3")), "3 per level");

    // A negative amount is stored but not shown; unknown names and a missing ":" are ignored.
    d = parsed("1d6|per_level:-2");
    EXPECT_EQ(d.per_level, -2);
    EXPECT_EQ(dice_to_text(d), "1d6");
    for (const char* text : {"1d6|per_Level:2", "1d6|per_nothing:2", "1d6|per_level", "1d6|level:2"}) {
        d = parsed(text);
        EXPECT_EQ(d.per_level, 0) << text;
        EXPECT_EQ(d.count, 1);
        EXPECT_EQ(d.sides, 6);
    }
    // Only one per-part is read: the rest of the text spoils its divisor.
    d = parsed("1|per_level:1/2|per_melee:2");
    EXPECT_EQ(d.per_level, 1);
    EXPECT_EQ(d.per_level_divisor, 0);
    EXPECT_EQ(d.per_skill[3], 0);
}

TEST(Dice, RollsDrawOneDiePerStatementInOrder) {
    const tdice d = parsed("3d6+2");
    uint32_t seed = 2024;
    int expected = 2;
    for (int i = 0; i < 3; ++i)
        expected += static_cast<int>(reference_draw(seed, 6)) + 1;
    random_seed = 2024;
    EXPECT_EQ(roll_dice(d), expected);
    EXPECT_EQ(random_seed, seed);

    // A constant does not draw; a die of 0 sides draws and gives 1.
    random_seed = 7;
    EXPECT_EQ(roll_dice(parsed("5")), 5);
    EXPECT_EQ(random_seed, 7u);
    const tdice zero_sides = parsed("2d0");
    EXPECT_EQ(roll_dice(zero_sides), 2);
    EXPECT_NE(random_seed, 7u);
    EXPECT_EQ(min_dice(zero_sides, 0), 2);
    EXPECT_EQ(max_dice(zero_sides, 0), 2);

    EXPECT_EQ(min_dice(d, 0), 5);
    EXPECT_EQ(max_dice(d, 0), 20);
    EXPECT_EQ(roll_dice(one_dice), 1);
    for (int i = 0; i < 200; ++i) {
        const int r = roll_dice(d20_dice);
        ASSERT_GE(r, 1);
        ASSERT_LE(r, 20);
    }
}

TEST(Dice, SetAndFixedTests) {
    EXPECT_FALSE(is_dice_set(dice_template));
    EXPECT_TRUE(is_dice_fixed(dice_template));
    EXPECT_TRUE(is_dice_set(parsed("-2")));
    EXPECT_TRUE(is_dice_fixed(parsed("-2")));
    EXPECT_TRUE(is_dice_set(parsed("all")));
    EXPECT_FALSE(is_dice_fixed(parsed("1d4")));
    EXPECT_EQ(dice_to_text(parsed("body_mod")), "1d1"); // no sign: not an ability, and "d" makes dice
    EXPECT_FALSE(is_dice_set(parsed("|per_level:-1")));
    EXPECT_TRUE(is_dice_set(parsed("|per_level:1")));
    EXPECT_TRUE(is_dice_set(parsed("|per_dungeon_level:0/2"))); // a divisor alone counts
    EXPECT_TRUE(is_dice_fixed(parsed("|per_dungeon_level:1")));
    EXPECT_FALSE(is_dice_fixed(parsed("|per_search:1")));
    tdice fixed;
    make_fixed_dice(-7, fixed);
    EXPECT_EQ(fixed.bonus, -7);
    EXPECT_EQ(dice_to_text(fixed), "-7");
}

tdamage_dice parsed_damage(std::string_view text) {
    tdamage_dice d;
    std::memset(&d, 0x5A, sizeof d);
    parse_damage(text, d);
    return d;
}

TEST(Damage, ItemsSetTypesAndAgainstBonuses) {
    tdamage_dice d = parsed_damage(
        " FIRE:1d6, against:Undead, against_hit:2 ,against_damage=-3, against_multiplier:3, 1d4 ");
    EXPECT_EQ(d.of(6).count, 1);
    EXPECT_EQ(d.of(6).sides, 6);
    EXPECT_EQ(d.against_hit, 2);
    EXPECT_EQ(d.against_damage, -3);
    EXPECT_EQ(d.against_multiplier, 3);
    EXPECT_EQ(d.of(1).sides, 4); // a lone formula is blunt
    EXPECT_EQ(d.against_type, tf_undead);
    // An unknown creature type leaves the against type as it was.
    EXPECT_EQ(parsed_damage("against:undead, against:no_such_kind").against_type, tf_undead);
    EXPECT_EQ(parsed_damage("1d4").against_type, 0);

    // "=" serves when there is no ":"; a later item replaces an earlier one of the same type.
    d = parsed_damage("cold=1d4,cold:2,slash:1d8+1");
    EXPECT_EQ(d.of(7).count, 0);
    EXPECT_EQ(d.of(7).bonus, 2);
    EXPECT_EQ(d.of(3).bonus, 1);
    // A ":" after the "|" belongs to the per-part; unknown keys make the whole item blunt.
    d = parsed_damage("1d6|per_level:1");
    EXPECT_EQ(d.of(1).count, 1);
    EXPECT_EQ(d.of(1).per_level, 1);
    d = parsed_damage("heat:2, fire=1d4");
    EXPECT_TRUE(is_dice_set(d.of(1)) == false); // "heat:2" read whole as a formula: no number
    EXPECT_EQ(d.of(6).sides, 4);
    d = parsed_damage("heat:1d6");
    EXPECT_EQ(d.of(1).sides, 6);
    EXPECT_FALSE(is_dice_set(d.of(6)));
    tdamage_dice blank = parsed_damage("");
    EXPECT_TRUE(same_damage(blank, damage_dice_template));
    EXPECT_FALSE(is_damage_set(blank));
    EXPECT_TRUE(is_damage_set(parsed_damage("necrotic:1")));
}

TEST(Damage, TextFormsJoinPhysicalTypesWithSlashes) {
    const tdamage_dice d = parsed_damage("blunt:1d4, pierce:2d3, fire:1d6, cold:2");
    EXPECT_EQ(damage_to_text(d, 0), "Blunt: 1d4 / Pierce: 2d3 / Fire: 1d6, Cold: 2");
    EXPECT_EQ(damage_to_text(damage_dice_template, 0), "");

    tdamage r{};
    EXPECT_EQ(damage_result_to_text(r), "0");
    r.of(6) = 3;
    r.total = 3;
    EXPECT_EQ(damage_result_to_text(r), "Fire: 3");
    r.of(7) = 2;
    r.total = 5;
    EXPECT_EQ(damage_result_to_text(r), "5 = Fire: 3 + Cold: 2");
    r.of(1) = -5;
    r.total = 0; // no total in front when it is not above 0
    EXPECT_EQ(damage_result_to_text(r), "Blunt: -5 + Fire: 3 + Cold: 2");
}

TEST(Damage, ExtremesTakeTheBestPhysicalTypeAndAddTheRest) {
    const tdamage_dice d = parsed_damage("blunt:1d4, pierce:2d3, fire:1d6");
    EXPECT_EQ(min_damage(d, 0), 1 + 1);
    EXPECT_EQ(max_damage(d, 0), 6 + 6);
    // The physical minimum: the smallest of at least 1, or whatever stands first while none is kept.
    EXPECT_EQ(min_damage(parsed_damage("pierce:2d3, slash:1d2"), 0), 1);
    EXPECT_EQ(min_damage(parsed_damage("slash:1d2, fire:-1"), 0), 0);
    EXPECT_EQ(min_damage(parsed_damage("blunt:-2, slash:1d2"), 0), -2); // taken while nothing is kept
    tdamage m;
    std::memset(&m, 0x11, sizeof m);
    max_damage_by_type(d, 0, m);
    EXPECT_EQ(m.of(1), 4);
    EXPECT_EQ(m.of(2), 6);
    EXPECT_EQ(m.of(6), 6);
    EXPECT_EQ(m.of(13), 0);
    EXPECT_EQ(m.total, 16);
}

TEST(Damage, RollingDrawsTypeByTypeAndKeepsTheOtherWords) {
    const tdamage_dice d = parsed_damage("blunt:1d4, fire:2d6, cold:2, acid:|per_level:1");
    uint32_t seed = 31337;
    const int blunt = static_cast<int>(reference_draw(seed, 4)) + 1;
    int fire = static_cast<int>(reference_draw(seed, 6)) + 1;
    fire += static_cast<int>(reference_draw(seed, 6)) + 1;

    tdamage r{};
    r.raw_amount[0] = 9;
    r.physical_type = 2;
    r.critical = 1;
    r.of(13) = 44; // a stale amount is overwritten
    random_seed = 31337;
    roll_damage(d, r);
    EXPECT_EQ(random_seed, seed);
    EXPECT_EQ(r.of(1), blunt);
    EXPECT_EQ(r.of(6), fire);
    EXPECT_EQ(r.of(7), 2);
    EXPECT_EQ(r.of(9), 0);
    EXPECT_EQ(r.of(13), 0);
    EXPECT_EQ(r.total, blunt + fire + 2);
    EXPECT_EQ(r.raw_amount[0], 9);
    EXPECT_EQ(r.physical_type, 2);
    EXPECT_EQ(r.critical, 1);
}

TEST(Damage, ResultArithmetic) {
    tdamage r{};
    r.of(1) = 5;
    r.of(6) = 3;
    r.total = 8;
    r.critical = 1;
    tdamage out{};
    scale_damage_result(r, out, 0.5f); // 2.5 -> 2, 1.5 -> 2
    EXPECT_EQ(out.of(1), 2);
    EXPECT_EQ(out.of(6), 2);
    EXPECT_EQ(out.total, 4);
    EXPECT_EQ(out.critical, 1);

    add_damage_of_type(r, 7, 4, out);
    EXPECT_EQ(out.of(7), 4);
    EXPECT_EQ(out.total, 12);
    EXPECT_EQ(r.total, 8);

    tdamage_dice bonus_target = parsed_damage("blunt:1d4, slash:1d6, fire:1d6");
    tdamage_dice with_bonus;
    add_physical_damage_bonus(bonus_target, 2, with_bonus);
    EXPECT_EQ(with_bonus.of(1).bonus, 2);
    EXPECT_EQ(with_bonus.of(2).bonus, 0); // not set: unchanged
    EXPECT_EQ(with_bonus.of(3).bonus, 2);
    EXPECT_EQ(with_bonus.of(6).bonus, 0);

    tdamage_dice a = parsed_damage("blunt:1d4+1");
    const tdamage_dice b = parsed_damage("blunt:2d8+2, fire:3, against_hit:4, against_multiplier:2");
    tdamage_dice b_typed = b;
    b_typed.against_type = 17;
    merge_damage(a, b_typed, a); // out may alias an input
    EXPECT_EQ(a.of(1).count, 1);
    EXPECT_EQ(a.of(1).sides, 4);
    EXPECT_EQ(a.of(1).bonus, 3);
    EXPECT_EQ(a.of(6).bonus, 3);
    EXPECT_EQ(a.against_type, 17);
    EXPECT_EQ(a.against_hit, 4);
    EXPECT_EQ(a.against_multiplier, 2);
}

} // namespace
} // namespace dravok

namespace dravok {
namespace {

// Three beings; being 2 has body modifier +3, level 5 and melee 7, on dungeon level 6.
class DiceOwner : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_level_index_ = level.index;
        beings.assign(4, blank_being);
        tbeing& b = beings[2];
        at1(b.ability_modifier, 1) = 3;
        b.level = 5;
        b.skill_of(4) = 7;
        b.skill_of(6) = -2;
        level.index = 6;
    }
    void TearDown() override {
        beings.clear();
        level.index = saved_level_index_;
    }
    static tdice owned(std::string_view text, int owner) {
        tdice d;
        parse_dice(text, d);
        d.owner = static_cast<uint16_t>(owner);
        return d;
    }
    uint8_t saved_level_index_ = 0;
};

TEST_F(DiceOwner, OwnerPartsReadAbilityLevelAndSkills) {
    struct Case {
        const char* text;
        int bonus;
    };
    const std::vector<Case> cases = {
        {"+body_mod", 3},        {"-body_mod", -3},
        {"+motion_mod", 0},      {"|per_level:1/2", 2}, // (5 x 1) div 2
        {"|per_level:-3/2", -7},                        // a negative amount adds, truncated toward zero
        {"|per_level:3/0", 0},                          // no divisor, no part
        {"|per_melee:2/3", 4},                          // (7 div 3) x 2
        {"|per_melee:-2", 0},                           // a negative skill amount never adds
        {"|per_search:5", 0},                           // a skill below 1 adds nothing
        {"|per_dodge:5", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(get_dice_being_bonus(owned(c.text, 2)), c.bonus);
        EXPECT_EQ(get_dice_being_bonus(owned(c.text, 0)), 0);
        EXPECT_EQ(get_dice_being_bonus(owned(c.text, 4)), 0); // beyond the last being
        EXPECT_EQ(roll_dice(owned(c.text, 2)), c.bonus);
    }
}

TEST_F(DiceOwner, DungeonLevelPartCountsWithoutAnOwner) {
    EXPECT_EQ(roll_dice(owned("1|per_dungeon_level:3/4", 0)), 1 + (6 / 4) * 3);
    EXPECT_EQ(min_dice(owned("1|per_dungeon_level:2", 0), 0), 13);
    level.index = 0;
    EXPECT_EQ(roll_dice(owned("1|per_dungeon_level:2", 0)), 1);
}

TEST_F(DiceOwner, BeingReplacesTheOwnerOnlyWhenItExists) {
    const tdice own = owned("2+body_mod", 2);
    EXPECT_EQ(roll_dice_for_being(owned("2+body_mod", 0), 2), 5);
    EXPECT_EQ(roll_dice_for_being(own, 0), 5); // not a being: the formula's own owner
    EXPECT_EQ(roll_dice_for_being(own, 9), 5);
    EXPECT_EQ(roll_dice_for_being(own, 1), 2); // being 1 has no modifier

    const tdice range = owned("2d4+body_mod|per_level:1", 0);
    EXPECT_EQ(min_dice(range, 2), 2 + 3 + 5);
    EXPECT_EQ(max_dice(range, 2), 8 + 3 + 5);
    EXPECT_EQ(max_dice(range, 0), 8);
    EXPECT_EQ(dice_to_text(range), "2d4 + Body-mod + 1 per level");
    std::string text;
    dice_to_text_for_being(range, 2, text);
    EXPECT_EQ(text, "2d4 + Body-mod + 1 per level");
}

TEST_F(DiceOwner, DamageWithAnOwnerRollsEveryType) {
    tdamage_dice d;
    parse_damage("fire:1d4, cold:|per_level:1, acid:1d2|per_melee:1", d);
    uint32_t seed = 555;
    const int fire = static_cast<int>(reference_draw(seed, 4)) + 1;
    const int acid = static_cast<int>(reference_draw(seed, 2)) + 1 + 7;
    tdamage r{};
    random_seed = 555;
    roll_damage_for_being(d, 2, r);
    EXPECT_EQ(random_seed, seed);
    EXPECT_EQ(r.of(6), fire);
    EXPECT_EQ(r.of(7), 5);
    EXPECT_EQ(r.of(9), acid);
    EXPECT_EQ(r.total, fire + 5 + acid);

    // Without an owner the cold formula has no count and no bonus: it is not rolled.
    random_seed = 555;
    roll_damage(d, r);
    EXPECT_EQ(r.of(7), 0);
    EXPECT_EQ(r.of(9), acid - 7);
    EXPECT_EQ(min_damage(d, 2), 1 + 5 + 8);
    EXPECT_EQ(max_damage(d, 2), 4 + 5 + 9);
}

} // namespace
} // namespace dravok
