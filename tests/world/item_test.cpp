// Items: creation from templates, names, the flag filter, the two kinds of list with their
// stacking, coins, the cell's shown item, corpse decay and the carrying capacity.
#include <gtest/gtest.h>

#include "fixtures/item_world_test.h"
#include "fixtures/small_world.h"
#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/encumbrance.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/item_creation.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/map.h"
#include "world/player.h"
#include "world/random.h"
#include "world/settings_record.h"
#include "world/tables.h"

namespace dravok {
namespace {

enum test_plan : int { arrow = 1, sword, potion, armour, amulet, corpse, bones, coin, plan_count };

class Items : public fixtures::item_world_test {
  protected:
    void SetUp() override {
        item_world_test::SetUp();
        game_mode = mode_main;
        item_plans.assign(plan_count, titem_plan{});
        plan(arrow, "it_arrow", "arrow", {if_ammunition, if_arrow});
        item_plans[arrow].weight = 2;
        plan(sword, "it_sword_long", "long sword", {if_weapon, if_sword, if_melee});
        item_plans[sword].weight = 30;
        item_plans[sword].damage.of(3) = fixed(6);
        plan(potion, "it_potion_healing", "potion of healing", {if_device, if_potion});
        plan(armour, "it_armour_chain", "chain mail", {if_wearable, if_armor});
        item_plans[armour].weight = 100;
        plan(amulet, "it_amulet_charm", "Charm of Ages", {if_jewellery, if_amulet});
        item_plans[amulet].game_limit = 1;
        plan(corpse, "it_corpse_animal", "corpse", {if_other, if_corpse});
        plan(bones, "it_bones_animal", "bones", {if_other, if_bones});
        plan(coin, "it_coin", "gold coin", {if_valuable, if_coin});
        settings.coin_plan = coin;
    }
    void TearDown() override {
        set_program_folder("");
        error_log_lines.clear();
        clear_quit_request();
        game_mode = 0;
    }
    static void plan(int index, const char* id, const char* name, std::initializer_list<int> flags) {
        titem_plan& p = item_plans[index];
        p.identifier = id;
        p.name = name;
        for (int f : flags)
            p.flags[f] = 1;
    }
    static bool logged(const std::string& text) {
        for (const std::string& line : error_log_lines) {
            if (line.find(text) != std::string::npos) return true;
        }
        return false;
    }
    static titem make(int index, int amount = 1) {
        titem out;
        create_item(index, fixed(amount), 0, out);
        return out;
    }
};

TEST_F(Items, CreationLimitsAmountsAndCounters) {
    EXPECT_EQ(make(potion, 4).amount, 4) << "a potion stack keeps its rolled amount";
    const titem blade = make(sword, 3);
    EXPECT_EQ(blade.amount, 1) << "a sword is never a stack";
    EXPECT_EQ(item_plans[sword].created_in_game, 3) << "the counters keep the rolled amount";
    EXPECT_EQ(blade.category, if_weapon);
    EXPECT_EQ(blade.item_class, if_sword);
    EXPECT_EQ(blade.serial, int32_t(game.item_serial));

    EXPECT_EQ(make(arrow, 0).plan, 0) << "an amount of 0 creates nothing";
    EXPECT_EQ(item_plans[arrow].created_in_game, 0);

    EXPECT_NE(make(amulet).plan, 0);
    EXPECT_EQ(make(amulet).plan, 0) << "a per-game limit of 1 allows one";

    titem bad;
    create_item(plan_count, fixed(1), 1, bad);
    EXPECT_EQ(bad.plan, 0);
    EXPECT_TRUE(logged("Illegal index 9 when trying to create item! (max 8)"));
}

TEST_F(Items, EnchantmentFromTheTemplate) {
    item_plans[armour].skill_modifier_of(2) = fixed(127);
    EXPECT_EQ(make(armour).skill_modifier_of(2), 127) << "127 stays without enchantment";

    item_plans[armour].min_enchantment = 3;
    item_plans[armour].max_enchantment = 3;
    item_plans[armour].game_limit = 0;
    titem mail = make(armour);
    EXPECT_EQ(mail.enchantment, 3);
    EXPECT_EQ(mail.flags[if_enchanted], 1);
    EXPECT_EQ(mail.skill_modifier_of(2), 3) << "127 stands for the enchantment level";
    EXPECT_EQ(mail.resistance_modifier_of(3), 3) << "armour gains the level against slashes";
    EXPECT_EQ(mail.weight, 70u) << "armour of 100 at level 3 loses 30 per cent";
    EXPECT_EQ(mail.name.view(), "chain mail +3");

    item_plans[sword].min_enchantment = 2;
    item_plans[sword].max_enchantment = 4;
    for (int i = 0; i < 20; ++i)
        EXPECT_GE(make(sword).enchantment, 2);
}

TEST_F(Items, EnchantmentChances) {
    enchantment_chances(if_weapon, 0);
    EXPECT_EQ(enchantment_chance_table[0], 0);
    enchantment_chances(if_weapon, 7);
    EXPECT_EQ(enchantment_chance_table[0], 2) << "Round(7/7 + 1.0)";
    EXPECT_EQ(enchantment_chance_table[1], 78) << "1.0 x 500^log23(9) = 77.9";
    enchantment_chances(if_wearable, 7);
    EXPECT_EQ(enchantment_chance_table[0], 2) << "Round(1.5) is 2, half to even";
}

TEST_F(Items, NamesWithArticlesAndEnchantmentWords) {
    struct name_case {
        const char* name;
        int amount, stackable, mode;
        const char* expected;
    } cases[] = {
        {"arrow", 3, 1, 1, "3 x Arrow"},
        {"arrow", 1, 1, 1, "Arrow"},
        {"Excalibur", 1, 0, 2, "the Excalibur"},
        {"apple", 1, 0, 2, "an apple"},
        {"axe", 1, 0, 2, "an axe"},
        {"antlers", 1, 0, 2, "the antlers"},
        {"dagger", 1, 0, 2, "a dagger"},
        {"dagger", 2, 0, 2, "daggers"},
        {"dagger", 1, 0, 3, "the dagger"},
        {"dagger", 1, 1, 4, "A Dagger"},
        {"", 1, 0, 2, ""},
    };
    player = world_.goblin; // mode 3 speaks of the commanded being's own item
    for (const name_case& c : cases) {
        EXPECT_EQ(item_name(c.name, c.amount, c.stackable, world_.goblin, c.mode), c.expected)
            << c.name << c.mode;
    }
    player = 0;

    titem blade = make(sword);
    blade.flags[if_vampiric] = 1;
    blade.damage.of(6) = fixed(1);
    blade.damage.of(7) = fixed(2);
    blade.enchantment = 2;
    std::string name;
    build_item_full_name(blade, name);
    EXPECT_EQ(name, "Vampiric Long sword of Fire/Cold +2");

    std::string words;
    item_flag_words(blade, words);
    EXPECT_EQ(words, "weapon, sword, melee, vampiric");
}

TEST_F(Items, TypeFilter) {
    const titem blade = make(sword);
    EXPECT_TRUE(item_type_matches(blade, {0}, 0)) << "flag 0 is never set";
    EXPECT_FALSE(item_type_matches(blade, {59, -63, 69}, 0)) << "not enchanted";
    titem magic = blade;
    magic.flags[if_enchanted] = 1;
    EXPECT_TRUE(item_type_matches(magic, {59, -63, 69}, 0));
    EXPECT_FALSE(item_type_matches(blank_item, {0}, 0)) << "serial 0";
}

TEST_F(Items, BeingStacksMergeOnlyWhenAllowed) {
    const int g = world_.goblin;
    const int first = add_item_to_being(g, blank_item, arrow, 0, fixed(12));
    ASSERT_GT(first, 0);
    EXPECT_EQ(add_item_to_being(g, blank_item, arrow, 0, fixed(5)), first);
    EXPECT_EQ(being_items[g][first].amount, 17);

    game_mode = mode_inventory;
    const int second = add_item_to_being(g, blank_item, arrow, 0, fixed(5));
    EXPECT_NE(second, first) << "in the inventory screen a second stack is made";
    game_mode = mode_main;

    titem enchanted = make(arrow, 4);
    enchanted.enchantment = 1;
    EXPECT_NE(add_item_to_being(g, enchanted, 0, 0, one_dice), first) << "another enchantment never merges";

    // A later stack in a quickslot or in the quiver keeps its slot's item.
    being_items[g][second].slot = slot_quiver;
    beings[g].equipment_of(slot_quiver) = uint16_t(second);
    combine_similar_being_items(g, 0);
    EXPECT_EQ(being_items[g][second].amount, 5);
    EXPECT_EQ(being_items[g][first].amount, 17);
    being_items[g][second].slot = 0;
    beings[g].equipment_of(slot_quiver) = 0;
    being_items[g][second].quickslot = 1;
    combine_similar_being_items(g, 0);
    EXPECT_EQ(being_items[g][second].amount, 5);
    being_items[g][second].quickslot = 0;
    combine_similar_being_items(g, 0);
    EXPECT_EQ(being_items[g][first].amount, 22);
    EXPECT_EQ(being_items[g][second].plan, 0);

    update_carried_weight(g);
    EXPECT_EQ(beings[g].carried_weight, 22u * 2 + 4u * 2);
}

TEST_F(Items, AmountsAndCoins) {
    const int g = world_.goblin;
    EXPECT_TRUE(adjust_wealth(g, 10, 0));
    const int coins = get_being_item_index(g, coin, 0, 0);
    ASSERT_GT(coins, 0);
    EXPECT_EQ(get_amount_of_items(g, coin, 0, 0), 10);
    EXPECT_FALSE(adjust_item_amount(g, coins, -11, 1)) << "more than there is";
    EXPECT_EQ(get_amount_of_items(g, coin, 0, 0), 10);
    EXPECT_TRUE(logged("Tried to decrease being 1 (be_goblin) item 1 (it_coin) amount (10) by 11!"));
    EXPECT_TRUE(adjust_wealth(g, -10, 0));
    EXPECT_EQ(get_being_item_index(g, coin, 0, 0), 0) << "spent coins leave no item";
    EXPECT_FALSE(adjust_wealth(g, -1, 1));
    EXPECT_FALSE(adjust_wealth(g, 0, 0)) << "nothing to create";
}

TEST_F(Items, LevelListsCellsAndGrowth) {
    const int sword_at = add_item_to_level(4, 4, blank_item, 0, fixed(1), sword);
    const int corpse_at = add_item_to_level(4, 4, blank_item, 0, fixed(1), corpse);
    EXPECT_EQ(cell_at(4, 4).loose_items, 2);
    EXPECT_EQ(cell_at(4, 4).top_item, sword_at) << "a corpse does not hide a sword";
    EXPECT_EQ(level_items[corpse_at].corpse_time, game.game_clock);
    remove_item_from_level(sword_at, 0);
    EXPECT_EQ(cell_at(4, 4).top_item, corpse_at);
    EXPECT_EQ(cell_at(4, 4).loose_items, 1);

    const int a = add_item_to_level(5, 5, blank_item, 0, fixed(3), arrow);
    EXPECT_EQ(add_item_to_level(5, 5, blank_item, 0, fixed(2), arrow), a);
    EXPECT_EQ(level_items[a].amount, 5);

    while (add_item_to_level(3, 3, blank_item, 0, fixed(1), sword) != 10) {
    }
    EXPECT_EQ(level_items.size(), 11u);
    EXPECT_EQ(add_item_to_level(3, 3, blank_item, 0, fixed(1), sword), 11) << "a full list grows by 100";
    EXPECT_EQ(level_items.size(), 111u);
    EXPECT_EQ(add_item_to_level(0, 3, blank_item, 0, fixed(1), sword), 0) << "off the map";
}

TEST_F(Items, CorpsesDecayToBonesAfter7500) {
    game.game_clock = 1000;
    const int c = add_item_to_level(4, 4, blank_item, 0, fixed(1), corpse);
    EXPECT_EQ(level_items[c].corpse_category, 1) << "the identifier names the animal category";
    game.game_clock = 8499;
    decay_corpses(0);
    EXPECT_EQ(level_items[c].plan, corpse);
    game.game_clock = 8500;
    decay_corpses(0);
    EXPECT_EQ(level_items[c].plan, bones) << "the freed slot takes the bones";
    EXPECT_EQ(cell_at(4, 4).loose_items, 1);
}

TEST_F(Items, DropAllItemsLeavesThemOnTheCell) {
    const int g = world_.goblin;
    add_item_to_being(g, blank_item, sword, 0, fixed(1));
    add_item_to_being(g, blank_item, arrow, 0, fixed(7));
    const int x = beings[g].x, y = beings[g].y;
    drop_all_items(g, 0);
    EXPECT_EQ(cell_at(x, y).loose_items, 2);
    update_item_count(g);
    EXPECT_EQ(beings[g].highest_item, 0);
}

TEST(Encumbrance, CarryCapacityNeverWrapsForANegativeBody) {
    EXPECT_EQ(carry_capacity(10), 151200u);
    EXPECT_EQ(carry_capacity(1), 500u);
    EXPECT_EQ(carry_capacity(0), 0u);
    EXPECT_EQ(carry_capacity(-2), 0u);
    EXPECT_EQ(carry_capacity(-100), 0u);
}

} // namespace
} // namespace dravok
