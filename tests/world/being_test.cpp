#include <gtest/gtest.h>

#include "fixtures/small_world.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "records/map_vocab.h"
#include "records/vocabulary.h"
#include "rules/being_creation.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/game_modes.h"
#include "world/level_record.h"
#include "world/player.h"

namespace dravok {
namespace {

TEST(AbilityModifier, TableOfValues) {
    const std::pair<int, int> rows[] = {{0, -9}, {1, -7}, {2, -5}, {3, -4},  {9, -1},   {10, 0},  {11, 0},
                                        {13, 1}, {15, 2}, {20, 5}, {-1, -6}, {255, -6}, {127, 58}};
    for (auto [value, modifier] : rows)
        EXPECT_EQ(ability_modifier(value), modifier) << value;
}

TEST(ExperienceForLevel, Table) {
    const std::pair<int, uint32_t> rows[] = {{-1, 0},   {0, 0},    {1, 0},     {2, 1000},
                                             {3, 3500}, {4, 7500}, {5, 13000}, {6, 20000}};
    for (auto [n, xp] : rows)
        EXPECT_EQ(experience_for_level(n), xp) << n;
}

class Beings : public ::testing::Test {
  protected:
    void SetUp() override { world = fixtures::build_small_world(); }
    fixtures::small_world world;
};

TEST_F(Beings, NameForms) {
    tbeing& goblin = beings[world.goblin];
    goblin.number = 7;
    struct row {
        const char* name;
        bool unique;
        int form;
        const char* adjective;
        const char* expected;
    };
    const row rows[] = {
        {"goblin", false, 0, "", "Goblin"},
        {"goblin", false, 2, "", "The goblin"},
        {"goblin", false, 3, "angry", "the angry goblin"},
        {"goblin", false, 4, "", "A goblin"},
        {"goblin", false, 5, "", "a goblin"},
        {"goblin", false, 5, "angry", "a angry goblin"}, // the article follows the name
        {"orc", false, 4, "", "An orc"},
        {"orc", false, 5, "big", "an big orc"},
        {"ogre", true, 4, "", "The ogre"},
        {"ogre", true, 5, "big", "the big ogre"},
        {"Grumm", false, 3, "", "Grumm"},
        {"Grumm", false, 2, "mighty", "mighty Grumm"},
        {"Grumm", false, 4, "mighty", "The mighty Grumm"},
        {"Grumm", false, 5, "mighty", "the mighty Grumm"},
        {"Grumm", true, 4, "", "Grumm"},
        {"goblin", false, 1, "", "7"},
    };
    for (const row& r : rows) {
        goblin.name = r.name;
        goblin.type_flags[tf_unique] = r.unique ? 1 : 0;
        EXPECT_EQ(being_name(world.goblin, r.form, r.adjective), r.expected) << r.name << " form " << r.form;
    }
    goblin.name = "goblin";
    player = world.goblin;
    EXPECT_EQ(being_name(world.goblin, name_map_label), "");
    game_mode = mode_target;
    EXPECT_EQ(being_name(world.goblin, name_map_label), "Goblin");
    game_mode = mode_main;
    player = 0;
    EXPECT_EQ(being_name(0, name_capitalised), "");
    EXPECT_EQ(being_name(9, name_capitalised), ""); // an empty slot
    goblin.name = "";
    EXPECT_EQ(being_name(world.goblin, name_the), "");
}

TEST_F(Beings, ValidityAndLookUpsBySerial) {
    const int32_t serial = beings[world.ogre].serial;
    EXPECT_TRUE(is_being_ok(world.ogre));
    EXPECT_FALSE(is_being_ok(0));
    EXPECT_FALSE(is_being_ok(int(beings.size())));
    EXPECT_FALSE(is_being_ok(5)); // an empty slot
    EXPECT_EQ(find_being_by_serial(serial), world.ogre);
    EXPECT_EQ(find_being_by_serial(0), 0);
    EXPECT_EQ(find_inactive_being_by_serial(serial), 0);
    remove_being(world.ogre, 0);
    EXPECT_EQ(find_being_by_serial(serial), 0);
    EXPECT_EQ(find_inactive_being_by_serial(serial), world.ogre);
    EXPECT_EQ(find_being_plan_by_name("be_ogre"), fixtures::ogre_plan);
    EXPECT_EQ(find_being_plan_by_name("be_Ogre"), 0);
    // A being whose position lies off the map is not valid.
    beings[world.goblin].x = 0;
    EXPECT_FALSE(is_being_ok(world.goblin, 1));
}

TEST_F(Beings, StatusesOnlyRise) {
    set_being_status(world.goblin, st_poisoned, 5);
    set_being_status(world.goblin, st_poisoned, 3);
    EXPECT_EQ(being_status(beings[world.goblin], st_poisoned), 5);
    set_being_status(world.goblin, st_poisoned, 6);
    EXPECT_EQ(being_status(beings[world.goblin], st_poisoned), 6);
    EXPECT_EQ(status_names[st_poisoned - 1], "poisoned");
    EXPECT_EQ(status_names[st_encumbered_6 - 1], "encumbered_6");
    EXPECT_EQ(type_flag_names[tf_succubus], "succubus");
    EXPECT_EQ(type_flag_names[tf_all_except_same_race], "all_except_same_race");
}

TEST_F(Beings, TalkingAndCounting) {
    EXPECT_TRUE(can_talk(world.goblin));
    beings[world.goblin].asleep_counter = 3;
    EXPECT_FALSE(can_talk(world.goblin));
    count_level_beings();
    EXPECT_EQ(level.present_beings, 2);
    EXPECT_EQ(level.evil_beings, 1); // the goblin
    beings[world.goblin].type_flags[tf_passive] = 1;
    count_level_beings();
    EXPECT_EQ(level.evil_beings, 0);
    EXPECT_TRUE(is_single_cell_being(world.goblin));
    EXPECT_FALSE(is_single_cell_being(world.ogre));
}

// The rules' name tables and the content vocabulary the database builder reads must agree.
TEST(NameTables, AgreeWithTheContentVocabulary) {
    for (int i = 0; i < type_flag_count; ++i)
        EXPECT_EQ(type_flag_names[i], vocab::type_flags[i]) << i;
    for (int s = 1; s <= status_count; ++s)
        EXPECT_EQ(status_names[s - 1], vocab::statuses[s]) << s;
    for (int f = 1; f <= furniture_kind_count; ++f)
        EXPECT_EQ(furniture_names[f], vocab::furniture[f]) << f;
    for (int z = 1; z <= 60; ++z)
        EXPECT_EQ(vault_zone_names[z], vocab::zones[z]) << z;
    for (int p = 1; p <= 23; ++p)
        EXPECT_EQ(vault_zone_names[61 + p], vocab::patterns[p]) << p;
}

} // namespace
} // namespace dravok
