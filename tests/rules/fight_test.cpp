// Whole fights through the headless driver with the built game database: the player's being
// bumps a hostile giant rat until it dies, the same seed replays the same fight, and deaths in
// awkward moments (the last creature, a creature due to act, the player's own) keep the game
// running into its end-of-game path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/damage.h"
#include "rules/equipment.h"
#include "rules/melee.h"
#include "support/content_turns.h"
#include "support/driver.h"
#include "support/process_state.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_lists.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/item_creation.h"
#include "world/item_description.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/sight_records.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

class Fight : public dravok::testing::content_turns_test {
  protected:
    // A tester character at (5, 5), wearing the kit it was made with, and a giant rat at (5, 4).
    struct arena {
        int player = 0;
        int rat = 0;
    };
    static arena set_up(turn_driver& d, uint32_t seed) {
        arena a;
        random_seed = seed;
        a.player = d.add_character(5, 5, "be_debug_player");
        EXPECT_GT(a.player, 0);
        a.rat = add_being_to_level(5, 4, blank_being, 1, find_being_plan_by_name("be_rat_giant"));
        EXPECT_GT(a.rat, 0);
        beings[a.rat].next_action_time = 100000; // it waits: the player strikes first
        // They see each other across the open room, as the sight pass would find.
        sight_matrix[a.player][a.rat] = sight_matrix[a.rat][a.player] = 1;
        return a;
    }
    // The name of the weapon in the character's active main hand ("" when none).
    static std::string wielded(int being) {
        const int item = beings[being].equipment_of(beings[being].active_set);
        return item > 0 ? being_items[being][item].name.str() : std::string();
    }
    static std::vector<std::string> fight(uint32_t seed) {
        turn_driver d;
        const arena a = set_up(d, seed);
        for (int i = 0; i < 60 && beings[a.rat].present; ++i)
            d.press(key_up);
        EXPECT_EQ(beings[a.rat].present, 0) << "the rat dies within 60 blows";
        return d.messages();
    }
};

std::string lower_case(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool any_line_has(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines) {
        if (line.find(text) != std::string::npos) return true;
    }
    return false;
}

TEST_F(Fight, BumpingARatFightsItToItsDeathAndLeavesItsCorpse) {
    turn_driver d;
    const arena a = set_up(d, 20261209u);
    // The weapon set the character fights with comes from what it wields.
    const tweapon_set& set = beings[a.player].weapon_set;
    const int sword = beings[a.player].equipment_of(beings[a.player].active_set);
    ASSERT_GT(sword, 0);
    EXPECT_EQ(set.hand_item[0], sword);
    EXPECT_EQ(set.melee[0], 1);
    EXPECT_EQ(set.melee_available, 1);
    EXPECT_TRUE(same_damage(set.melee_damage[0], being_items[a.player][sword].damage));
    int blows = 0;
    while (beings[a.rat].present && blows < 60) {
        d.press(key_up);
        ++blows;
        EXPECT_EQ(beings[a.player].y, 5) << "the player's being stays put while it fights";
    }
    ASSERT_EQ(beings[a.rat].present, 0);
    EXPECT_EQ(cell_at(5, 4).being, 0);
    const int shown = cell_at(5, 4).top_item;
    ASSERT_GT(shown, 0);
    EXPECT_EQ(level_items[shown].identifier.view(), "it_corpse_animal");
    EXPECT_EQ(level_items[shown].name.view(), "rat corpse") << "named after its race";
    EXPECT_EQ(level_items[shown].corpse_killer, beings[a.player].serial);

    const std::vector<std::string> log = d.messages();
    const std::string weapon = wielded(a.player);
    ASSERT_FALSE(weapon.empty()) << "the kit's weapon is in hand";
    EXPECT_TRUE(any_line_has(log, " the giant rat with the " + lower_case(weapon)) ||
                any_line_has(log, " the giant rat with the " + weapon))
        << "the blows are struck with the wielded weapon";
    EXPECT_EQ(being_plans[beings[a.rat].plan].kills, 1);
    EXPECT_EQ(being_plans[beings[a.rat].plan].player_kills, 1);

    // The last creature is gone: the player's next key is an ordinary step.
    d.press(key_up);
    EXPECT_EQ(beings[a.player].y, 4);
    EXPECT_FALSE(quit_requested());
}

// The bane of the undead: the built mace and silver arrow name the undead, the mace's blow on an
// undead adds its bonus, the same blow on a living zombie does not, and the mace tells of it.
TEST_F(Fight, AMaceStrikesTheUndeadHarder) {
    for (const char* plan : {"it_mace", "it_arrow_silver"}) {
        SCOPED_TRACE(plan);
        const tdamage_dice& dice = item_plans[find_item_plan_by_name(plan)].damage;
        EXPECT_EQ(dice.against_type, tf_undead);
        EXPECT_EQ(dice.against_damage, 2);
    }
    // The damage of one blow of the mace on a zombie, with the same draws each time.
    const auto blow = [](uint32_t seed, bool undead, std::string* description) {
        turn_driver d;
        const int p = d.add_character(5, 5, "be_debug_player");
        const int mace = add_item_to_being(p, blank_item, find_item_plan_by_name("it_mace"), 1, one_dice);
        EXPECT_TRUE(equip_item(p, mace, beings[p].active_set, 1, true));
        update_being(p, 1); // the hand's figures, as the inventory leaves them
        if (description != nullptr) describe_item(p, being_items[p][mace], *description);
        const int z = add_being_to_level(5, 4, blank_being, 1, find_being_plan_by_name("be_zombie"));
        beings[z].type_flags[tf_undead] = undead ? 1 : 0;
        beings[z].health = beings[z].health_max = 500;
        sight_matrix[p][z] = sight_matrix[z][p] = 1;
        random_seed = seed;
        melee_attack(p, z, 0, 1);
        return 500 - int(beings[z].health);
    };
    int hits = 0, plain = 0;
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE(seed);
        const int on_undead = blow(seed, true, nullptr), on_living = blow(seed, false, nullptr);
        if (on_living == 0) {
            EXPECT_EQ(on_undead, 0) << "the bane adds no chance to hit";
            continue;
        }
        ++hits;
        EXPECT_GT(on_undead, on_living);
        plain += on_undead == on_living + 2; // two points more on the chosen type, unless doubled
    }
    EXPECT_GE(hits, 5);
    EXPECT_GE(plain, 1);
    std::string text;
    blow(1, true, &text);
    EXPECT_NE(text.find("Against type: $Bundead / +0 to hit"), std::string::npos) << text;
}

TEST_F(Fight, TheSameSeedGivesTheSameFight) {
    const std::vector<std::string> first = fight(777u);
    const std::vector<std::string> second = fight(777u);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, second);
}

TEST_F(Fight, ACreatureThatDiesBeforeItsTurnIsNotPicked) {
    turn_driver d;
    const arena a = set_up(d, 5u);
    beings[a.rat].next_action_time = 1; // it is due first
    tdamage result{};
    beings[a.rat].health = 1;
    tdamage blow{};
    blow.of(1) = 5;
    damage_being(a.rat, a.player, blow, result, 1, cause_attack);
    kill_being(a.rat, result, 1);
    d.press(key_left);
    EXPECT_EQ(beings[a.player].x, 4) << "the scheduler went on with the living";
    EXPECT_FALSE(quit_requested());
}

TEST_F(Fight, ThePlayersDeathLeadsToTheSpectator) {
    turn_driver d;
    const arena a = set_up(d, 99u);
    beings[a.player].health = beings[a.player].health_max = 3;
    for (int i = 0; i < 200 && beings[a.player].present; ++i) {
        game.game_clock += 20;
        beings[a.rat].natural_attack(1).ready_time = 0;
        melee_attack(a.rat, a.player, 0, 1);
    }
    ASSERT_EQ(beings[a.player].present, 0);
    EXPECT_EQ(state.died, 1);
    EXPECT_TRUE(any_line_has(d.messages(), "The giant rat bites you and kills you!"));
    EXPECT_FALSE(history.empty());
    d.run_rounds();
    EXPECT_EQ(game_mode, mode_spectator);
    EXPECT_GT(player, 0);
    EXPECT_TRUE(has_type_flag(beings[player], tf_spectator));
    EXPECT_FALSE(quit_requested());
}

} // namespace
} // namespace dravok
