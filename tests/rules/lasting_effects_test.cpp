// Lasting effects and map effects: storing, refreshing, expiry to the round, the map-effect grid
// with its cell contests and fading, effects acting on a being standing in them.
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "rules/lasting_effects.h"

#include "rules/being_update.h"
#include "rules/effect_fixture.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/game_record.h"
#include "world/lasting_effects.h"
#include "world/player.h"
#include "world/sight_records.h"

namespace dravok::testing {
namespace {

class LastingEffects : public EffectWorld {
  protected:
    // A lasting effect on the goblin's own cell, as a trap with that shape would make it.
    teffect self_effect(int kind, int rounds) const {
        teffect e = effect_of(sh_self, kind, 1, es_trap);
        make_fixed_dice(rounds, e.duration_dice);
        return e;
    }
    // Body +2 for some rounds on the goblin's own cell.
    teffect stronger_body(int rounds) const {
        teffect e = self_effect(ek_increase_ability, rounds);
        e.sub_type = 1;
        parse_damage("2", e.damage_dice);
        return e;
    }
    static teffect cloud(int kind, int x, int y, int rounds, int power) {
        teffect e = effect_of(sh_cloud, kind, 10, es_trap);
        e.aim = {uint8_t(x), uint8_t(y)};
        make_fixed_dice(rounds, e.duration_dice);
        make_fixed_dice(power, e.power_dice);
        if (kind == ek_damage) parse_damage("fire:2d4", e.damage_dice);
        return e;
    }
    static int live_slots(int kind) {
        int n = 0;
        for (std::size_t i = 1; i < duration_effects.size(); ++i)
            n += duration_effects[i].kind == kind;
        return n;
    }
};

TEST_F(LastingEffects, AnEffectLastingThreeRoundsExpiresExactlyThen) {
    handle_effect(goblin(), self_effect(ek_increase_ability, 3), 1);
    const int slot = find_duration_effect(0, goblin(), 0, 0, 0, 0);
    ASSERT_GE(slot, 1);
    EXPECT_EQ(duration_effects[slot].kind, ek_increase_ability);
    EXPECT_EQ(duration_effects[slot].target, uint16_t(beings[goblin()].serial));
    EXPECT_EQ(duration_effects[slot].expiry_time, 100u + 3 * 15);
    EXPECT_EQ(duration_effects[slot].serial, game.effect_serial);
    EXPECT_TRUE(effects_changed);

    game.game_clock = 144;
    update_duration_effects(1);
    EXPECT_EQ(duration_effects[slot].kind, ek_increase_ability) << "one unit before its end";
    EXPECT_EQ(next_effect_time, 145u);
    EXPECT_FALSE(effects_changed);

    game.game_clock = 145;
    update_duration_effects(1);
    EXPECT_EQ(duration_effects[slot].kind, 0) << "gone at exactly 3 rounds";
    EXPECT_EQ(next_effect_time, 0u);
}

TEST_F(LastingEffects, PoisonEndsWithItsOwnSentence) {
    player = goblin();
    sight_matrix[goblin()][goblin()] = 1;
    teffect poison = self_effect(ek_poison, 1);
    poison.target = uint16_t(beings[goblin()].serial);
    poison.expiry_time = 115;
    add_duration_effect(poison, 1);
    game.game_clock = 115;
    update_duration_effects(1);
    ASSERT_FALSE(message_log.empty());
    EXPECT_NE(message_log.front().find("You are no longer poisoned."), std::string::npos)
        << message_log.front();
}

// Curses carry negative amounts: the refresh keeps the larger magnitude and the later end.
TEST_F(LastingEffects, ARefreshKeepsTheStrongerOfTwoCurses) {
    teffect curse = self_effect(ek_decrease_ability, 3);
    curse.target = uint16_t(beings[goblin()].serial);
    curse.sub_type = 1;
    curse.damage.total = -3;
    curse.expiry_time = 145;
    const int slot = add_duration_effect(curse, 1);
    ASSERT_GE(slot, 1);

    teffect weaker = curse;
    weaker.damage.total = -1;
    weaker.expiry_time = 160;
    EXPECT_EQ(add_duration_effect(weaker, 1), slot);
    EXPECT_EQ(duration_effects[slot].damage.total, -3) << "the weaker curse does not replace the stronger";
    EXPECT_EQ(duration_effects[slot].expiry_time, 160u);
    EXPECT_EQ(duration_effects[slot].refreshed, 1);

    teffect stronger = curse;
    stronger.damage.total = -5;
    stronger.expiry_time = 150;
    EXPECT_EQ(add_duration_effect(stronger, 1), slot);
    EXPECT_EQ(duration_effects[slot].damage.total, -5);
    EXPECT_EQ(duration_effects[slot].expiry_time, 160u) << "an earlier end never shortens it";

    teffect other_ability = curse;
    other_ability.sub_type = 2;
    EXPECT_NE(add_duration_effect(other_ability, 1), slot) << "a different sub-type is its own effect";
    EXPECT_EQ(live_slots(ek_decrease_ability), 2);
}

TEST_F(LastingEffects, ASecondCastRefreshesWithoutApplyingAgain) {
    const int body = beings[goblin()].base_ability_of(1);
    handle_effect(goblin(), stronger_body(3), 1);
    EXPECT_EQ(beings[goblin()].ability_of(1), body + 2) << "applied once on storing";
    handle_effect(goblin(), stronger_body(3), 1);
    EXPECT_EQ(beings[goblin()].ability_of(1), body + 2) << "the refresh is not applied";
    EXPECT_EQ(live_slots(ek_increase_ability), 1);

    update_being(goblin(), 1);
    EXPECT_EQ(beings[goblin()].ability_of(1), body + 2) << "update_being applies it again, once";
}

// A ball with a duration gives each being its own record; the ogre on four cells gets one.
TEST_F(LastingEffects, AnAreaEffectStoresOneRecordPerBeing) {
    const int g = add_goblin(7, 7);
    const int user = add_goblin(10, 4);
    teffect ball = stronger_body(3);
    ball.shape = sh_ball;
    make_fixed_dice(10, ball.range_dice);
    ball.aim = {8, 8};
    const int g_body = beings[g].ability_of(1), ogre_body = beings[ogre()].ability_of(1);
    handle_effect(user, ball, 1);
    EXPECT_EQ(live_slots(ek_increase_ability), 2);
    EXPECT_GE(find_duration_effect(0, g, 0, 0, 0, 0), 1);
    EXPECT_GE(find_duration_effect(0, ogre(), 0, 0, 0, 0), 1);
    EXPECT_EQ(find_duration_effect(0, user, 0, 0, 0, 0), 0);
    EXPECT_EQ(beings[g].ability_of(1), g_body + 2) << "each applied once";
    EXPECT_EQ(beings[ogre()].ability_of(1), ogre_body + 2);
}

TEST_F(LastingEffects, APeriodicPoisonKeepsItsMarkWithoutAnExtraTick) {
    teffect poison = self_effect(ek_poison, 5);
    parse_damage("poison:1", poison.damage_dice);
    poison.target = uint16_t(beings[goblin()].serial);
    poison.next_tick = 130;
    poison.period = 2;
    add_duration_effect(poison, 1);
    update_being(goblin(), 1);
    EXPECT_EQ(being_status(beings[goblin()], st_poisoned), 1);
    const int health = beings[goblin()].health;
    EXPECT_EQ(beings[goblin()].health, health) << "no tick outside its own time";

    game.game_clock = 130;
    update_duration_effects(1);
    EXPECT_EQ(beings[goblin()].health, health - 1) << "the tick reaches the poison handler";
    const int slot = find_duration_effect(0, goblin(), 0, 0, 0, 0);
    EXPECT_EQ(duration_effects[slot].next_tick, 130u + 2 * 15);
}

TEST_F(LastingEffects, AMapEffectTicksOnABeingStandingInIt) {
    const int g = add_goblin(4, 4);
    player = g;
    sight_matrix[g][g] = 1; // the player's being sees itself
    handle_effect(goblin(), cloud(ek_damage, 4, 5, 10, 30), 1);
    const int slot = map_effect_grid(4, 5).effect;
    ASSERT_GE(slot, 1);
    EXPECT_EQ(map_effect_grid(4, 4).effect, slot);
    EXPECT_EQ(map_effect_grid(4, 4).harmful, 1);
    EXPECT_EQ(map_effect_grid(3, 3).effect, 0);
    EXPECT_EQ(duration_effects[slot].target, 0) << "a map effect works on its cells";

    const int health = beings[g].health, outside = beings[goblin()].health;
    update_map_effects_on_being(g, 1);
    EXPECT_LT(beings[g].health, health) << "applied to the being standing in it";
    ASSERT_FALSE(message_log.empty());
    bool told = false;
    for (const std::string& line : message_log)
        told = told || line.find("You are in the effect of damage.") != std::string::npos;
    EXPECT_TRUE(told);
    EXPECT_EQ(duration_effects[slot].target, 0) << "the target is lent only for the application";

    update_map_effects_on_being(goblin(), 1);
    EXPECT_EQ(beings[goblin()].health, outside) << "the goblin at (3, 3) stands outside";
}

TEST_F(LastingEffects, MapEffectsFadeHalfwayAndTheStrongerCloudWinsSharedCells) {
    handle_effect(goblin(), cloud(ek_web, 4, 5, 10, 30), 1);
    const int first = map_effect_grid(4, 5).effect;
    EXPECT_EQ(duration_effects[first].fade_time, 100u + 5 * 15);
    handle_effect(goblin(), cloud(ek_web, 3, 9, 3, 30), 1);
    ASSERT_GE(map_effect_grid(3, 9).effect, 1);
    EXPECT_EQ(duration_effects[map_effect_grid(3, 9).effect].fade_time, 100u + 2 * 15)
        << "one round before its end";

    // A stronger cloud one cell east takes the six shared cells; a weaker one takes none.
    handle_effect(goblin(), cloud(ek_slime, 5, 5, 10, 40), 1);
    const int stronger = map_effect_grid(5, 5).effect;
    EXPECT_NE(stronger, first);
    EXPECT_EQ(map_effect_grid(4, 4).effect, stronger);
    EXPECT_EQ(map_effect_grid(3, 4).effect, first);
    EXPECT_EQ(cells_of(duration_effects[first]), (std::vector<std::pair<int, int>>{{3, 6}, {3, 5}, {3, 4}}));
    handle_effect(goblin(), cloud(ek_web, 4, 4, 10, 10), 1);
    const int weak = map_effect_grid(3, 3).effect;
    EXPECT_EQ(map_effect_grid(4, 4).effect, stronger);
    EXPECT_EQ(map_effect_grid(3, 4).effect, first);
    EXPECT_EQ(cells_of(duration_effects[weak]), (std::vector<std::pair<int, int>>{{4, 3}, {5, 3}, {3, 3}}))
        << "the weak cloud keeps only the cells nobody held";

    game.game_clock = 175;
    update_duration_effects(1);
    EXPECT_EQ(map_effect_grid(3, 4).graphic_frame, duration_effects[first].graphic_frame + 1)
        << "fading image";
    game.game_clock = 250;
    update_duration_effects(1);
    EXPECT_EQ(map_effect_grid(4, 4).effect, 0) << "expired clouds release their cells";
    EXPECT_EQ(map_effect_grid(3, 4).effect, 0);
}

TEST_F(LastingEffects, AWebHoldsABeingWithoutImmunity) {
    const int g = add_goblin(4, 4);
    handle_effect(goblin(), cloud(ek_web, 4, 5, 10, 30), 1);
    EXPECT_TRUE(is_on_restraining_map_effect(g, 1));
    EXPECT_TRUE(is_on_stat_changing_map_effect(g, 1));
    set_being_status(g, st_immunity_web, 1);
    EXPECT_FALSE(is_on_restraining_map_effect(g, 1));
    EXPECT_FALSE(is_on_restraining_map_effect(goblin(), 1));
}

// The flag remembers the stat-changing effect, so stepping off it recomputes the figures once.
TEST_F(LastingEffects, SteppingOffAStatChangingMapEffectRecomputesAtTheNextTurn) {
    const int g = add_goblin(4, 4);
    handle_effect(goblin(), cloud(ek_web, 4, 5, 10, 30), 1);
    update_map_effects_on_being(g, 1);
    EXPECT_EQ(beings[g].on_map_effect, 1);
    EXPECT_EQ(being_status(beings[g], st_caught_in_web), 1) << "applied by update_being as stat-changing";

    beings[g].x = 8; // off the web, in the other room
    beings[g].y = 3;
    beings[g].ability_of(1) = 99;
    update_map_effects_on_being(g, 1);
    EXPECT_EQ(beings[g].on_map_effect, 0);
    EXPECT_EQ(beings[g].ability_of(1), beings[g].base_ability_of(1)) << "the figures were recomputed";
    EXPECT_EQ(beings[g].stats_dirty, 0);

    beings[g].ability_of(1) = 99;
    update_map_effects_on_being(g, 1);
    EXPECT_EQ(beings[g].ability_of(1), 99) << "no recomputation once the flag is clear";
}

TEST_F(LastingEffects, TheListGrowsByFiftyWhenFull) {
    teffect e = self_effect(ek_increase_ability, 3);
    for (int i = 1; i < initial_duration_effects; ++i) {
        e.sub_type = uint8_t(i);
        e.target = uint16_t(i); // all different, none merged
        ASSERT_EQ(add_duration_effect(e, 1), i);
    }
    e.sub_type = 0;
    EXPECT_EQ(add_duration_effect(e, 1), initial_duration_effects);
    EXPECT_EQ(duration_effects.size(), std::size_t(initial_duration_effects + duration_effects_growth));
}

TEST_F(LastingEffects, ADeadBeingsEffectsGoAndItsOriginIsForgotten) {
    teffect on_goblin = self_effect(ek_increase_ability, 3);
    on_goblin.target = uint16_t(beings[goblin()].serial);
    on_goblin.origin = uint16_t(beings[ogre()].serial);
    const int a = add_duration_effect(on_goblin, 1);
    teffect poison = on_goblin;
    poison.kind = ek_poison;
    const int b = add_duration_effect(poison, 1);
    remove_target_being_effects(goblin(), ek_poison, 1);
    EXPECT_EQ(duration_effects[b].kind, 0);
    EXPECT_EQ(duration_effects[a].kind, ek_increase_ability) << "only the named kind";
    remove_origin_being_from_effects(ogre(), 1);
    EXPECT_EQ(duration_effects[a].origin, 0);
    remove_target_being_effects(goblin(), 0, 1);
    EXPECT_EQ(duration_effects[a].kind, 0);
}

} // namespace
} // namespace dravok::testing
