// The marks on the map that cost no game time: the lunge of a blow struck by key, floating texts
// rising one after another, cell animations built, queued and replaced, and the choice of a
// speech bubble's place.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "rules/being_creation.h"
#include "support/driver.h"
#include "support/process_state.h"
#include "ui/animations.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/indicators.h"
#include "world/item_placement.h"
#include "world/level_items.h"
#include "world/map.h"
#include "world/random.h"
#include "world/settings_record.h"
#include "world/sight_records.h"
#include "world/sprite_lookup.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

class Animations : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dravok::testing::load_built_database());
        set_program_folder(folder_.path());
        error_log_lines.clear();
        reset_table_run_fields();
        level_items.assign(101, blank_item);
        random_seed = 77u;
        clear_all_indicators();
    }
    void TearDown() override {
        clear_all_indicators();
        set_program_folder("");
        clear_quit_request();
    }
    dravok::testing::TempFolder folder_;
};

TEST_F(Animations, ABlowStruckByKeyLungesForTenTicks) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    const int rat = add_being_to_level(5, 4, blank_being, 1, find_being_plan_by_name("be_rat_giant"));
    ASSERT_GT(rat, 0);
    beings[rat].next_action_time = 100000;
    sight_matrix[p][rat] = sight_matrix[rat][p] = 1;
    d.press(key_up);
    EXPECT_EQ(beings[p].lunge_direction, 1) << "toward the rat, north";
    for (int tick = 1; tick < 10; ++tick)
        EXPECT_FALSE(update_lunges()) << tick;
    EXPECT_TRUE(update_lunges()) << "the tenth tick ends it and asks for a redraw";
    EXPECT_EQ(beings[p].lunge_direction, 0);
}

TEST_F(Animations, FloatingTextsOnOneCellRiseOneAfterAnotherAndEndPastTwoTiles) {
    turn_driver d;
    d.add_character(5, 5, "be_debug_player");
    settings.tile_size = 32;
    settings.floating_font_height = 13;
    add_floating_text(6, 6, "first", 0xFFFFFF);
    add_floating_text(6, 6, "second", 0xFFFFFF);
    add_floating_text(6, 6, "a text longer than thirty characters", 0xFFFFFF);
    EXPECT_EQ(indicators[2].text, "a text longer than thirty char");
    update_indicators();
    EXPECT_EQ(indicators[0].rise, 2) << "32 div 14 pixels a tick";
    EXPECT_EQ(indicators[1].rise, 0) << "waits for the first";
    // The second starts once the first has risen the font height + 2 (15 pixels): on tick 8.
    for (int tick = 2; tick <= 7; ++tick)
        update_indicators();
    EXPECT_EQ(indicators[1].rise, 0);
    update_indicators();
    EXPECT_EQ(indicators[1].rise, 2);
    // A text lives until its rise passes trunc(32 x 2.2) = 70: the first goes on its 36th tick.
    for (int tick = 9; tick <= 35; ++tick)
        update_indicators();
    EXPECT_EQ(indicators[0].text, "first");
    update_indicators();
    EXPECT_EQ(indicators[0].text, "second");
}

TEST_F(Animations, CellAnimationsAreBuiltQueuedAndReplaced) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    set_sprite_info(5, 1, tsprite_info{100, 1, 4});
    set_sprite_info(5, 4, tsprite_info{200, 1, 5});
    set_sprite_info(5, 5, tsprite_info{300, 1, 3});
    // A frame offset of 2 with three repeats: the row's second sprite three times.
    add_cell_animation(7, 7, 4, 0, 2, 3, 1, 0, 0);
    ASSERT_EQ(cell_animations.size(), 1u);
    EXPECT_EQ(cell_animations[0].frames, (std::vector<uint16_t>{0, 201, 201, 201}));
    // Kind 1 queues behind it and shows nothing until it has run out.
    add_cell_animation(7, 7, 1, 0, 0, 1, 2, 0, 0);
    ASSERT_EQ(cell_animations.size(), 2u);
    EXPECT_EQ(cell_animations[1].current_frame, 0);
    EXPECT_EQ(cell_animations[1].countdown, 2 + 3) << "its own frame time and the three ticks left before it";
    // Any other kind replaces what plays on the cell; a being hidden by the removed one shows again.
    animate_being_hit(p);
    set_animation_shown(p, true);
    animate_being(p);
    EXPECT_FALSE(being_animation_shown(p));
    int on_player = 0;
    for (const tcell_animation& a : cell_animations)
        on_player += a.x == beings[p].x && a.y == beings[p].y;
    EXPECT_EQ(on_player, 1);
    EXPECT_EQ(cell_animations.back().frame_count, 10) << "five frames, two repeats";
    clear_all_indicators();
    EXPECT_TRUE(cell_animations.empty());
    EXPECT_EQ(state.animation_serial, 0u);
}

TEST_F(Animations, ABeingKilledByKeyFallsOnEveryCellOfItsFootprint) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    set_sprite_info(5, 1, tsprite_info{100, 1, 4});
    set_sprite_info(5, 5, tsprite_info{300, 1, 3});
    // A creature two cells wide and high north of the hero: its footprint is (5, 3) .. (6, 4).
    tbeing big = blank_being;
    big.serial = int32_t(++game.being_serial);
    big.name = "boulder beast";
    big.width = big.height = 2;
    for (int k = 1; k <= ability_count; ++k)
        big.base_ability_of(k) = big.ability_of(k) = 1;
    big.health_base = big.health = big.health_max = 1;
    const int ogre = add_being_to_level(5, 3, big, 1, 0);
    ASSERT_GT(ogre, 0);
    tbeing& o = beings[ogre];
    ASSERT_EQ(cell_at(5, 4).being, ogre);
    o.next_action_time = 100000;
    sight_matrix[p][ogre] = sight_matrix[ogre][p] = 1;
    for (int i = 0; i < 40 && beings[ogre].serial > 0 && beings[ogre].health > 0; ++i)
        d.press(key_up);
    int falls = 0;
    for (const tcell_animation& a : cell_animations) {
        if (a.kind != 1) continue;
        ++falls;
        EXPECT_TRUE(a.x >= 5 && a.x <= 6 && a.y >= 3 && a.y <= 4) << a.x << "," << a.y;
        EXPECT_EQ(a.ticks_per_frame, 3);
        EXPECT_EQ(a.frame_count, 5 * 4) << "five passes of the row's four frames";
    }
    EXPECT_EQ(falls, 4) << "one fall on each cell of the footprint";
}

TEST_F(Animations, AnEffectsSpriteIsItsFirstImageInTheBrightestLight) {
    set_sprite_info(sprites_effect, 2, tsprite_info{500, 1, 2});
    set_light_offset(sprites_effect, 3, 40);
    EXPECT_EQ(effect_sprite_image(2), 540);
    EXPECT_EQ(effect_sprite_image(3), 0) << "no such entry: the effect keeps its frame";
    set_light_offset(sprites_effect, 3, 0);
}

TEST_F(Animations, BubblePlacesGoToTheFirstTwoSpeakersAndAUniqueOneReplacesTheHigherTrigger) {
    turn_driver d;
    d.add_character(5, 5, "be_debug_player");
    const int a = d.add_creature(6, 5, 1000), b = d.add_creature(7, 5, 1000), c = d.add_creature(8, 5, 1000);
    bubbles[1].trigger = 5;
    bubbles[1].speaker = a;
    EXPECT_EQ(choose_bubble_slot(b), 2);
    bubbles[2].trigger = 9;
    bubbles[2].speaker = b;
    EXPECT_EQ(choose_bubble_slot(c), 0) << "a third speaker who is not unique waits";
    beings[c].type_flags[tf_unique] = 1;
    EXPECT_EQ(choose_bubble_slot(c), 2) << "the higher trigger number gives way";
    bubbles[2].trigger = 5;
    bubbles[1].age = 30;
    EXPECT_EQ(choose_bubble_slot(c), 1) << "equal triggers: the older bubble";
    beings[a].type_flags[tf_unique] = 1;
    EXPECT_EQ(choose_bubble_slot(c), 2) << "a unique speaker keeps its bubble";
}

} // namespace
} // namespace dravok
