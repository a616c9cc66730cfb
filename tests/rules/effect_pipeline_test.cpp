// The effect pipeline: aiming and the target mode, costs, default map power, switches, devices,
// the dispatch to handlers not built yet; and a natural attack's hit effect through whole turns.
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "rules/effects.h"

#include <cstring>

#include "rules/action_time.h"
#include "rules/effect_fixture.h"
#include "rules/targeting.h"
#include "support/driver.h"
#include "ui/key_bindings.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/item_record.h"
#include "world/lasting_effects.h"
#include "world/level_record.h"
#include "world/player.h"
#include "world/sight_records.h"
#include "world/tables.h"
#include "world/text_database.h"

namespace dravok::testing {
namespace {

class EffectPipeline : public EffectWorld {
  protected:
    void SetUp() override {
        EffectWorld::SetUp();
        talents.assign(2, ttalent{});
        talents[1].identifier = "ta_fire_ball";
        talents[1].name = "Fire Ball";
        talents[1].type = 4; // a spell
        talents[1].action_time = 30;
        talents[1].stamina = 3;
    }
    void TearDown() override {
        talents.clear();
        EffectWorld::TearDown();
    }
    static teffect talent_ball() {
        teffect e = effect_of(sh_ball, ek_damage, 0, es_talent);
        make_fixed_dice(8, e.range_dice);
        e.action_kind = action_talent_use;
        e.talent = 1;
        return e;
    }
};

TEST_F(EffectPipeline, ThePlayerAimsFirstAndPaysOnlyWhenTheCellIsChosen) {
    player = goblin();
    beings[goblin()].stamina = 10;
    const uint32_t before = beings[goblin()].next_action_time;
    handle_effect(goblin(), talent_ball(), 1);
    EXPECT_EQ(game_mode, mode_target);
    EXPECT_EQ(target_action_kind, action_talent_use);
    EXPECT_EQ(target_effect.talent, 1);
    EXPECT_EQ(beings[goblin()].next_action_time, before) << "no time is charged while aiming";
    EXPECT_EQ(beings[goblin()].stamina, 10);

    // The target mode comes back with the cells filled.
    teffect chosen = talent_ball();
    chosen.cell(1) = {4, 4};
    handle_effect(goblin(), chosen, 1);
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(beings[goblin()].next_action_time, game.game_clock + uint32_t(action_time(goblin(), 30)));
    EXPECT_EQ(beings[goblin()].stamina, 7);
    EXPECT_EQ(beings[goblin()].last_action_kind, action_talent_use);
}

// Only the player's own being is handed to the target mode; a creature aims at its aim cell.
TEST_F(EffectPipeline, ACreatureUsingAnAimedTalentNeverEntersTheTargetMode) {
    teffect e = talent_ball();
    e.aim = {4, 4};
    beings[goblin()].stamina = 10;
    handle_effect(goblin(), e, 1);
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(beings[goblin()].stamina, 7) << "charged at once";
}

TEST_F(EffectPipeline, MapEffectsWithoutPowerTakeTheDefault) {
    beings[goblin()].skill_of(3) = 5; // magic
    teffect cloud = effect_of(sh_cloud, ek_web, 5, es_talent);
    make_fixed_dice(10, cloud.duration_dice);
    cloud.cell(1) = {4, 4};
    cloud.cell(2) = {0, 0};
    handle_effect(goblin(), cloud, 1);
    ASSERT_GE(map_effect_grid(4, 4).effect, 1);
    EXPECT_EQ(duration_effects[map_effect_grid(4, 4).effect].power, 25) << "magic skill + 20 for a talent";

    level.index = 7;
    cloud.source = es_trap;
    cloud.cell(1) = {3, 4};
    handle_effect(goblin(), cloud, 1);
    EXPECT_EQ(duration_effects[map_effect_grid(3, 4).effect].power, 27) << "depth + 20 for a trap";
}

TEST_F(EffectPipeline, ASingleTargetOnAnEmptyCellIsPaidButDoesNothing) {
    teffect e = effect_of(sh_single, ek_damage, 5, es_natural_attack);
    make_fixed_dice(3, e.duration_dice);
    e.action_kind = action_item_use;
    e.aim = {4, 4};
    handle_effect(goblin(), e, 1);
    EXPECT_EQ(beings[goblin()].last_action_kind, action_item_use);
    EXPECT_EQ(find_duration_effect(0, 0, 0, 0, 0, 0), 1) << "slot 1 is blank";
    EXPECT_EQ(duration_effects[1].kind, 0);
    EXPECT_TRUE(error_log_lines.empty()) << "no handler was reached";
}

TEST_F(EffectPipeline, ADeviceLosesACharge) {
    item_plans.assign(2, titem_plan{});
    being_items[goblin()].assign(2, blank_item);
    titem& wand = being_items[goblin()][1];
    wand.plan = 1;
    wand.flags[if_wand] = 1;
    wand.charges = 3;
    teffect e = effect_of(sh_self, ek_damage, 5, es_item_activate);
    e.action_kind = action_item_use;
    e.used_item = 1;
    e.cell(1) = {3, 3}; // aimed at itself already
    handle_effect(goblin(), e, 1);
    EXPECT_EQ(being_items[goblin()][1].charges, 2);
    being_items[goblin()][1].charges = 1;
    handle_effect(goblin(), e, 1);
    EXPECT_EQ(being_items[goblin()][1].plan, 0) << "the last charge crumbles the wand";
    item_plans.clear();
}

TEST_F(EffectPipeline, AFlickedSwitchThatChangesNothingSaysSo) {
    player = goblin();
    cell_at(4, 3).furniture = fu_switch;
    cell_at(4, 3).furniture_state = 1;
    constexpr int close_area_doors = 68; // no door of the room stands open
    handle_furniture_effect(goblin(), 4, 3, close_area_doors, 1);
    ASSERT_FALSE(message_log.empty());
    EXPECT_NE(message_log.front().find("You flick the switch on. Nothing seems to happen."),
              std::string::npos)
        << message_log.front();
    message_log.clear();
    handle_furniture_effect(goblin(), 40, 3, close_area_doors, 1);
    EXPECT_TRUE(message_log.empty()) << "a switch off the map does nothing";
}

// Restoration is stored and shown but reaches no handler.
TEST_F(EffectPipeline, RestorationChangesNothingOnItsOwn) {
    const tbeing before = beings[goblin()];
    handle_effect(goblin(), effect_of(sh_self, ek_restoration, 1, es_trap), 1);
    EXPECT_EQ(beings[goblin()].health, before.health);
    EXPECT_EQ(std::memcmp(beings[goblin()].ability, before.ability, sizeof before.ability), 0);
    EXPECT_TRUE(error_log_lines.empty());
}

// Through whole turns: the player's sting carries a poison; its text section is the sentence.
TEST(EffectTurns, ANaturalAttacksHitEffectPassesThePipelineAndIsTold) {
    TempFolder folder;
    set_program_folder(folder.path());
    turn_driver d;
    clear_text_database();
    text_database =
        split_text_lines("@_placeholder\n@sting_be_hero_hit_witness\nVenom burns in the wound.\n");
    ASSERT_TRUE(build_text_sections(2));
    build_shuffle_bags();
    duration_effects.assign(initial_duration_effects, effect_template);
    const int p = d.add_player(5, 5);
    beings[p].identifier = "be_hero";
    const int rat = d.add_creature(5, 4, 1000);
    // The player's view does not note beings yet: the player sees the rat it stings.
    sight_matrix[p][rat] = 1;
    beings[rat].asleep_counter = 5; // a sleeper cannot defend
    tnatural_attack& sting = beings[p].natural_attack(1);
    sting.attack_class = 10;
    sting.attack_bonus = 100;
    sting.reach = 1;
    parse_damage("pierce:1", sting.damage);
    sting.hit_effect = effect_template;
    sting.hit_effect.source = es_natural_attack;
    sting.hit_effect.natural_attack_kind = 10;
    sting.hit_effect.shape = sh_single;
    sting.hit_effect.kind = ek_poison;
    make_fixed_dice(3, sting.hit_effect.duration_dice);

    d.press(key_up);
    EXPECT_TRUE(d.logged("Venom burns in the wound.")) << "the opening sentence of the hit effect";
    const int slot = find_duration_effect(0, rat, p, es_natural_attack, 0, 0);
    ASSERT_GE(slot, 1) << "the poison lasts on the rat";
    EXPECT_EQ(duration_effects[slot].expiry_time, duration_effects[slot].start_time + 3 * 15);
    EXPECT_EQ(being_status(beings[rat], st_poisoned), 1) << "the poison handler ran on the rat";
    clear_text_database();
    duration_effects.assign(initial_duration_effects, effect_template);
    set_program_folder("");
    error_log_lines.clear();
}

} // namespace
} // namespace dravok::testing
