// Target mode and ranged attacks in play through the headless driver with the built game
// database: a character with a short bow aims, cycles past a creature behind another and one
// out of range, shoots the valid one, and its arrows are spent, left on the floor or broken.
#include <gtest/gtest.h>

#include <string>

#include "ai/emotion.h"
#include "ai/light.h"
#include "ai/sight.h"
#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/layout_game.h"
#include "rules/attack_damage.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/effect_areas.h"
#include "rules/effect_names.h"
#include "rules/effects.h"
#include "rules/equipment.h"
#include "rules/ranged.h"
#include "rules/targeting.h"
#include "support/content_turns.h"
#include "support/driver.h"
#include "support/process_state.h"
#include "ui/draw.h"
#include "ui/key_bindings.h"
#include "ui/map_view.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

class Ranged : public dravok::testing::content_turns_test {
  protected:
    Ranged() : content_turns_test(777u) {}

    static int on_floor(int x, int y, const char* plan) {
        int n = 0;
        for (const titem& it : level_items)
            if (it.plan == find_item_plan_by_name(plan) && it.holder == 0 && it.x == x && it.y == y)
                n += it.amount;
        return n;
    }
    // The character of the debug template with a short bow in its second set and arrows in the quiver.
    static int archer(turn_driver& d, int x, int y) {
        const int p = d.add_character(x, y, "be_debug_player");
        EXPECT_GT(p, 0);
        d.press_command(SWAP_WEAPONS);
        const int bow = add_item_to_being(p, blank_item, find_item_plan_by_name("it_bow_short"), 1, one_dice);
        EXPECT_TRUE(equip_item(p, bow, 15, 1, true));
        tdice twenty;
        make_fixed_dice(20, twenty);
        const int arrows = add_item_to_being(p, blank_item, find_item_plan_by_name("it_arrow"), 1, twenty);
        EXPECT_TRUE(equip_item(p, arrows, 17, 1, true));
        update_being(p, 1); // the set's figures
        EXPECT_EQ(beings[p].weapon_set.quiver_matches_launcher, 1);
        return p;
    }
    static int rat(int x, int y) {
        const int r = add_being_to_level(x, y, blank_being, 1, find_being_plan_by_name("be_rat_giant"));
        EXPECT_GT(r, 0);
        beings[r].next_action_time = 1000000; // they wait: only the archer acts
        beings[r].health = beings[r].health_max = 900;
        // The rat and the archer hate each other.
        update_emotion(r, player, -100, 0, 1);
        update_emotion(player, r, -100, 0, 1);
        update_party_friendliness();
        return r;
    }
};

TEST_F(Ranged, TheDistancePenaltyGrowsPastFiveEighthsOfTheRange) {
    struct row {
        int distance, range, penalty;
    };
    for (const row& r : {row{5, 8, 0}, row{6, 8, 2}, row{7, 8, 4}, row{1, 8, 0}})
        EXPECT_EQ(excess_penalty(r.distance, r.range), r.penalty) << r.distance << " of " << r.range;
}

TEST_F(Ranged, AimingCyclesPastRefusedTargetsAndShootsTheValidOne) {
    turn_driver d(20);
    const int p = archer(d, 3, 10);
    const int front = rat(7, 10);  // in range, first in line
    const int behind = rat(9, 10); // in range, behind the first
    const int far = rat(3, 19);    // beyond the bow's 8 cells
    beings[far].light_radius = 3;  // it carries a light, so the archer sees it
    draw_screen();                 // the frame before the key: the archer sees the rats
    ASSERT_GT(beings[p].seen_hostiles, 0);
    const int arrows_before = carried(p, "it_arrow");

    d.press_command(FIRE);
    ASSERT_EQ(game_mode, mode_target);
    EXPECT_EQ(target_action_kind, target_attack);
    EXPECT_EQ(target_cursor_x, 7) << "the nearest candidate first";
    EXPECT_FALSE(target_blocked);
    EXPECT_TRUE(talent_target_ok(p));

    Bitmap canvas(8, 8);
    d.press(key_tab);
    EXPECT_EQ(target_cursor_x, 9) << "the creature behind";
    EXPECT_TRUE(target_blocked) << "the first being in the bolt's path stops it";
    EXPECT_EQ(get_first_being_in_effect(target_effect), front);
    EXPECT_FALSE(target_cell_colour(canvas, 9, 10, 0x888888, 0xCCCCCC));
    EXPECT_EQ(canvas.brush_colour(), Colour(0x888888)) << "drawn as refused";
    d.press(key_enter);
    EXPECT_EQ(game_mode, mode_target) << "a blocked aim is not carried out";

    d.press(key_tab);
    EXPECT_EQ(target_cursor_y, 19) << "the creature out of range";
    EXPECT_FALSE(is_cell_in_effect_range(p, 3, 19, target_effect));
    EXPECT_FALSE(target_cell_colour(canvas, 3, 19, 0x888888, 0xCCCCCC));
    EXPECT_EQ(canvas.brush_colour(), Colour(0x888888)) << "drawn as refused";
    EXPECT_FALSE(talent_target_ok(p));

    d.press(key_tab);
    EXPECT_EQ(target_cursor_x, 3) << "past the last candidate the cursor returns to the archer";
    EXPECT_EQ(target_cursor_y, 10);
    d.press(key_tab);
    EXPECT_EQ(target_cursor_x, 7);
    EXPECT_TRUE(target_cell_colour(canvas, 7, 10, 0x888888, 0xCCCCCC));
    EXPECT_EQ(canvas.brush_colour(), Colour(0xFF0000)) << "a valid hostile target";

    const uint32_t before = beings[p].next_action_time;
    d.press(key_enter);
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_GT(beings[p].next_action_time, before) << "the shot took time";
    EXPECT_EQ(carried(p, "it_arrow"), arrows_before - 1) << "one arrow spent";
    EXPECT_TRUE(d.logged("You shoot")) << "the shot is told";
    EXPECT_EQ(beings[p].attack_memory.target, front) << "the rat becomes the marked target";
    (void)behind, (void)far;
}

TEST_F(Ranged, ArrowsThatStrikeMostlyLieOnTheFloorAndMissesBreak) {
    turn_driver d(20);
    const int p = archer(d, 3, 10);
    const int target = rat(6, 10);
    draw_screen(); // the frame before the key: the archer looks and marks its target
    const int arrows_before = carried(p, "it_arrow");
    const int shots = 12;
    int hits = 0;
    for (int i = 0; i < shots; ++i) {
        const int health = beings[target].health;
        d.press_command(ATTACK_MARKED);
        if (beings[target].health < health) ++hits;
    }
    EXPECT_EQ(carried(p, "it_arrow"), arrows_before - shots) << "every shot spends an arrow";
    const int lying = on_floor(6, 10, "it_arrow");
    EXPECT_GT(hits, 0);
    EXPECT_LE(lying, hits) << "a missed arrow never lies on the floor";
    EXPECT_GT(lying, 0) << "most arrows that struck lie under the rat";
    EXPECT_EQ(beings[p].low_ammo_marks()[0], arrows_before <= 31 ? 1 : 0);
}

TEST_F(Ranged, ShiftTabOnTheArchersOwnCellLeavesTargetMode) {
    turn_driver d(20);
    const int p = archer(d, 3, 10);
    d.press_command(TARGET_MODE);
    ASSERT_EQ(game_mode, mode_target);
    EXPECT_EQ(target_cursor_x, beings[p].x);
    d.press(key_tab, tshift_state{true, false, false});
    EXPECT_EQ(game_mode, mode_main);
}

TEST_F(Ranged, ARememberedTargetTooFarAwayGivesWayToTheNearest) {
    turn_driver d(20);
    const int p = archer(d, 3, 3);
    const int far = rat(16, 3);          // 13 away
    const int near = rat(3, 8);          // 5 away
    draw_screen();                       // the frame before the key: the archer looks and marks its target
    beings[p].weapon_set.max_range = 15; // read by get_ranged_target: a long reach
    set_attack_order(p, far, 13, 4, 12);
    const uint32_t seed = random_seed;
    get_ranged_target(p, 1);
    EXPECT_EQ(random_seed, seed) << "the frame's refresh draws no random numbers";
    EXPECT_EQ(beings[p].attack_memory.target, near);
    EXPECT_EQ(beings[p].attack_memory.has_target, 1);
}

TEST_F(Ranged, AThrownDartLandsUnderItsTargetAndTheEmptiedHandIsNoted) {
    turn_driver d(20);
    const int p = d.add_character(3, 10, "be_debug_player");
    d.press_command(SWAP_WEAPONS);
    const int dart = add_item_to_being(p, blank_item, find_item_plan_by_name("it_dart"), 1, one_dice);
    ASSERT_TRUE(equip_item(p, dart, 15, 1, true));
    update_being(p, 1);
    ASSERT_EQ(beings[p].weapon_set.hand_throws, 1);
    const int target = rat(6, 10);
    draw_screen(); // the frame before the key
    ASSERT_EQ(beings[p].attack_memory.target, target);
    d.press_command(ATTACK_MARKED);
    EXPECT_EQ(on_floor(6, 10, "it_dart"), 1) << "the dart lies where the rat stands, hit or miss";
    EXPECT_EQ(carried(p, "it_dart"), 0);
    EXPECT_EQ(beings[p].weapon_set.hand_throws, 0) << "the set was worked out again";
    EXPECT_TRUE(d.logged("You throw")) << "the throw is told";
}

TEST_F(Ranged, AWandIsAimedByNameAndFiredAtTheCursor) {
    turn_driver d(20);
    const int p = d.add_character(3, 10, "be_debug_player");
    const int target = rat(6, 10);
    draw_screen();
    const int wand =
        add_item_to_being(p, blank_item, find_item_plan_by_name("it_wand_magic_missile"), 1, one_dice);
    tquickslot& q = beings[p].quickslot(1);
    q.kind = quickslot_usable_item;
    q.index = uint16_t(wand);
    being_items[p][wand].quickslot = 1;
    const int charges = being_items[p][wand].charges;
    d.press_command(QUICKSLOT_01);
    ASSERT_EQ(game_mode, mode_target);
    EXPECT_EQ(target_action_kind, target_item_use);
    EXPECT_NE(get_effect_name_for_target_mode(p, target_effect).find("wand of magic missiles"),
              std::string::npos);
    EXPECT_EQ(target_cursor_x, 6) << "the rat is the first candidate";
    EXPECT_EQ(remembered_aiming_command, QUICKSLOT_01);
    d.press(key_enter);
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(being_items[p][wand].charges, charges - 1) << "the wand was used at the rat";
    EXPECT_LT(beings[target].health, 900) << "the missile struck";
}

TEST_F(Ranged, FriendsAreCandidatesOnlyForHarmlessItemsAndTalents) {
    turn_driver d(20);
    const int p = d.add_character(3, 10, "be_debug_player");
    const int friend_ = d.add_creature(5, 10, 1000000, "friend");
    beings[friend_].friendly = 1;
    draw_screen();
    struct row {
        int action, kind;
        bool candidate;
    };
    for (const row& r :
         {row{target_item_use, 6, true}, row{target_item_use, 5, false}, row{target_talent_use, 6, true},
          row{target_talent_use, 36, false}, row{target_attack, 0, false}}) {
        target_action_kind = r.action;
        target_effect.kind = uint8_t(r.kind);
        EXPECT_EQ(is_target_candidate(p, 5, 10, 0), r.candidate) << r.action << " kind " << r.kind;
    }
    EXPECT_FALSE(is_target_candidate(p, 5, 10, friend_)) << "the excluded being";
}

TEST_F(Ranged, ASpittingCreatureHitsFromAfarOnlyAlongAClearLine) {
    turn_driver d(20);
    const int p = d.add_character(3, 10, "be_debug_player");
    const int spitter = d.add_creature(7, 10, 1000000, "spitter");
    tnatural_attack& spit = beings[spitter].natural_attack(1);
    spit.attack_class = 16; // spit
    spit.reach = 6;
    spit.attack_bonus = 40; // it never misses
    parse_damage("acid:2", spit.damage);
    update_lights();
    ai_see(spitter, 1); // the look round at the start of its turn
    EXPECT_TRUE(can_natural_ranged_attack(spitter, p, 1));
    const int health = beings[p].health;
    ranged_attack(spitter, p, 1);
    EXPECT_LT(beings[p].health, health);
    EXPECT_GT(beings[spitter].natural_attack(1).ready_time, game.game_clock) << "the spit must recover";
    EXPECT_FALSE(can_natural_ranged_attack(spitter, p, 1)) << "not ready again yet";
    beings[spitter].natural_attack(1).ready_time = 0;
    d.wall(5, 10);
    ai_see(spitter, 1);
    EXPECT_FALSE(can_natural_ranged_attack(spitter, p, 1)) << "a wall stops the line";
}

TEST_F(Ranged, AReachWeaponStrikesInMeleeAndEmptyHandsOnlySpendTime) {
    turn_driver d(20);
    const int p = d.add_character(3, 10, "be_debug_player");
    d.press_command(SWAP_WEAPONS);
    const int whip = add_item_to_being(p, blank_item, find_item_plan_by_name("it_whip"), 1, one_dice);
    ASSERT_TRUE(equip_item(p, whip, 15, 1, true));
    update_being(p, 1);
    ASSERT_EQ(beings[p].weapon_set.hand_reaches, 1);
    const int target = rat(5, 10);
    draw_screen();
    ASSERT_EQ(beings[p].attack_memory.target, target);
    d.press_command(ATTACK_MARKED);
    EXPECT_EQ(beings[p].last_action_kind, 11) << "two steps away the whip lashes as in melee";

    // Bare hands at a distance: no blow, yet the time passes and the rat is marked.
    equip_item(p, 0, 15, 1, true);
    update_being(p, 1);
    ASSERT_EQ(beings[p].weapon_set.hand_reaches, 0);
    const uint32_t before = beings[p].next_action_time;
    ranged_attack(p, target, 1);
    EXPECT_GT(beings[p].next_action_time, before);
    EXPECT_EQ(beings[p].attack_memory.target, target);
    EXPECT_EQ(beings[p].last_action_kind, 12);
}

} // namespace
} // namespace dravok
