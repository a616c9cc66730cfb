// The effect handlers, kind by kind: each applied in the small world changes what its rule says
// and tells it; the failures (immune, resisted, nothing there) and the edge cases that matter.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "ai/emotion.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "rules/being_update.h"
#include "rules/damage.h"
#include "rules/effect_fixture.h"
#include "rules/effect_support.h"
#include "rules/followers.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/item_record.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/sight_records.h"
#include "world/tables.h"

namespace dravok::testing {
namespace {

class EffectHandlers : public EffectWorld {
  protected:
    void SetUp() override {
        EffectWorld::SetUp();
        player = goblin();
        sight_matrix[goblin()][goblin()] = 1;
    }
    // The effect of the kind on the goblin's own cell, from a trap (no cost, no aiming).
    static teffect on_self(int kind, int sub_type = 0, const char* amount = nullptr) {
        teffect e = effect_of(sh_self, kind, 1, es_trap);
        e.sub_type = uint8_t(sub_type);
        if (amount != nullptr) parse_damage(amount, e.damage_dice);
        return e;
    }
    // Aimed at (x, y) by a creature.
    static teffect aimed(int shape, int kind, int x, int y, int source = es_natural_attack) {
        teffect e = effect_of(shape, kind, 8, source);
        e.aim = {uint8_t(x), uint8_t(y)};
        return e;
    }
    // A wand's effect on the one cell (x, y), its cells already chosen.
    static teffect wand_on(int kind, int x, int y, int power) {
        teffect e = aimed(sh_single, kind, x, y, es_item_activate);
        e.cell(1) = {uint8_t(x), uint8_t(y)};
        make_fixed_dice(power, e.power_dice);
        return e;
    }
    static std::string log_text() {
        std::string all;
        for (const std::string& line : message_log)
            all += line + "\n";
        return all + message_text;
    }
    static bool told(const std::string& part) { return log_text().find(part) != std::string::npos; }
    int count_beings() const {
        int n = 0;
        for (std::size_t i = 1; i < beings.size(); ++i)
            n += beings[i].present != 0 && beings[i].serial != 0;
        return n;
    }
};

// One row: the effect on the goblin, what must have changed and the sentence it writes.
struct handler_case {
    const char* name;
    teffect effect;
    std::function<void(int)> before;
    std::function<void(int, const tbeing&)> check;
    const char* sentence;
};

TEST_F(EffectHandlers, EachAdjustingKindChangesItsNumbersAndTellsThePlayer) {
    auto with_duration = [](teffect e, int rounds) {
        make_fixed_dice(rounds, e.duration_dice);
        return e;
    };
    auto with_periodic = [](teffect e, int rounds) {
        make_fixed_dice(rounds, e.periodic_dice);
        return e;
    };
    const std::vector<handler_case> cases{
        {"damage", on_self(ek_damage, 0, "fire:3"), nullptr,
         [](int g, const tbeing& b) { EXPECT_EQ(beings[g].health, b.health - 3); }, "You are damaged."},
        {"increase body", with_duration(on_self(8, 1, "2"), 5), nullptr,
         [](int g, const tbeing& b) {
             EXPECT_EQ(beings[g].ability_of(1), b.ability_of(1) + 2);
             EXPECT_EQ(being_status(beings[g], st_increased_body), 1);
         },
         "You feel stronger!"},
        {"decrease body", with_duration(on_self(9, 1, "-2"), 5), nullptr,
         [](int g, const tbeing& b) {
             EXPECT_EQ(beings[g].ability_of(1), b.ability_of(1) - 2);
             EXPECT_EQ(being_status(beings[g], st_decreased_body), 1);
         },
         "Your Body is set to"},
        // Skill statuses follow the status names: a raised magic is increased_magic.
        {"increase magic", with_duration(on_self(10, 3, "2"), 5), nullptr,
         [](int g, const tbeing& b) {
             EXPECT_EQ(beings[g].skill_of(3), b.skill_of(3) + 2);
             EXPECT_EQ(being_status(beings[g], st_increased_magic), 1);
             EXPECT_EQ(being_status(beings[g], st_increased_melee), 0);
         },
         "Your Magic is set to"},
        {"decrease melee", with_duration(on_self(11, 4, "-1"), 5), nullptr,
         [](int g, const tbeing&) { EXPECT_EQ(being_status(beings[g], st_decreased_melee), 1); }, nullptr},
        {"pierce resistance covers every physical type", with_duration(on_self(12, 2, "2"), 5), nullptr,
         [](int g, const tbeing& b) {
             for (int t = 1; t <= 3; ++t)
                 EXPECT_EQ(beings[g].resistance_of(t), b.resistance_of(t) + 2);
             EXPECT_EQ(beings[g].resistance_of(4), b.resistance_of(4));
         },
         nullptr},
        {"every resistance down", with_duration(on_self(13, 0, "-1"), 5), nullptr,
         [](int g, const tbeing& b) {
             for (int t = 1; t <= damage_type_count; ++t)
                 EXPECT_EQ(beings[g].resistance_of(t), b.resistance_of(t) - 1);
         },
         nullptr},
        {"faster", with_duration(on_self(14, 0, "2"), 5), nullptr,
         [](int g, const tbeing& b) { EXPECT_EQ(beings[g].speed_bonus, b.speed_bonus + 2); },
         "You feel faster!"},
        {"slower", with_duration(on_self(15, 0, "-2"), 5), nullptr,
         [](int g, const tbeing&) { EXPECT_EQ(being_status(beings[g], st_decreased_movement), 1); },
         "You feel slower!"},
        {"heroism", with_duration(on_self(33), 5), nullptr,
         [](int g, const tbeing& b) {
             EXPECT_EQ(beings[g].ability_of(1), b.ability_of(1) + 2);
             EXPECT_EQ(beings[g].skill_of(4), b.skill_of(4) + 3);
             EXPECT_EQ(being_status(beings[g], st_increased_ranged), 1);
         },
         nullptr},
        {"mobility", with_duration(on_self(35), 5), nullptr,
         [](int g, const tbeing&) {
             EXPECT_EQ(being_status(beings[g], st_immunity_web), 1);
             EXPECT_EQ(being_status(beings[g], st_immunity_slime), 1);
         },
         nullptr},
        {"regeneration", with_duration(on_self(39), 5), [](int g) { beings[g].health_regen = 1; },
         [](int g, const tbeing&) {
             EXPECT_EQ(beings[g].health_regen, 3);
             EXPECT_EQ(beings[g].health_regen_delay, 1);
         },
         "You are regenerating!"},
        {"stoneskin", with_duration(on_self(42, 0, "3"), 5), nullptr,
         [](int g, const tbeing& b) { EXPECT_EQ(beings[g].resistance_of(2), b.resistance_of(2) + 3); },
         nullptr},
        // Slime never takes motion below 1, while the temporary modifier drops by the whole amount.
        {"slime", with_duration(on_self(41, 0, "30"), 5), nullptr,
         [](int g, const tbeing& b) {
             EXPECT_EQ(beings[g].ability_of(2), 1);
             EXPECT_EQ(at1(beings[g].temp_ability_modifier, 2), int8_t(at1(b.temp_ability_modifier, 2) - 30));
             EXPECT_EQ(being_status(beings[g], st_caught_in_slime), 1);
         },
         nullptr},
        {"web", with_duration(on_self(58, 0, "1"), 5), nullptr,
         [](int g, const tbeing& b) {
             EXPECT_EQ(beings[g].skill_of(3), b.skill_of(3) - 6);
             EXPECT_EQ(being_status(beings[g], st_caught_in_web), 1);
         },
         nullptr},
        {"poison", with_periodic(on_self(ek_poison, 0, "poison:100"), 5), nullptr,
         [](int g, const tbeing&) {
             EXPECT_EQ(being_status(beings[g], st_poisoned), 1);
             EXPECT_GE(find_duration_effect(0, g, 0, 0, 0, 0), 1) << "a lasting record ticks";
         },
         "You are poisoned!"},
        {"disease", with_periodic(on_self(ek_disease, 0, "100"), 5), nullptr,
         [](int g, const tbeing&) {
             const int slot = find_duration_effect(0, g, 0, 0, 0, 0);
             ASSERT_GE(slot, 1);
             EXPECT_EQ(duration_effects[slot].kind, ek_disease);
         },
         "You are diseased!"},
        {"boost agility", on_self(1, 2, "1"), nullptr,
         [](int g, const tbeing& b) { EXPECT_EQ(beings[g].base_ability_of(2), at1(b.base_ability, 2) + 1); },
         "You feel permanently more agile!"},
        {"health surge spends all stamina", on_self(2), [](int g) { beings[g].health = 1; },
         [](int g, const tbeing&) { EXPECT_EQ(beings[g].stamina, 0); }, nullptr},
        {"gain experience", on_self(4, 0, "1"), nullptr,
         [](int g, const tbeing& b) { EXPECT_EQ(beings[g].experience, experience_for_level(b.level + 1)); },
         "more experienced!"},
        {"restore health", on_self(6, 0, "5"),
         [](int g) { beings[g].health = uint16_t(beings[g].health - 5); },
         [](int g, const tbeing& b) { EXPECT_EQ(beings[g].health, b.health + 5); },
         "Your health is restored 5 points."},
        {"restore stamina", on_self(7, 0, "3"), [](int g) { beings[g].stamina = 0; },
         [](int g, const tbeing&) { EXPECT_EQ(beings[g].stamina, 3); }, "Your stamina is restored 3 points."},
        {"antidote", on_self(26), [](int g) { set_being_status(g, st_poisoned, 1); }, nullptr,
         "You are no longer poisoned."},
        {"die hard", on_self(3), [](int g) { beings[g].health = 1; },
         [](int g, const tbeing&) {
             EXPECT_EQ(beings[g].stamina, 0);
             EXPECT_GE(beings[g].health, 2) << "at least one point";
             bool glows = false;
             for (const tcell_animation& a : cell_animations)
                 glows = glows || (a.followed_being == g && a.kind == 4);
             EXPECT_TRUE(glows) << "it rises with a glow";
         },
         "back from the brink of death!"},
        {"alarm", on_self(23), nullptr, nullptr, "A loud alarm is heard!"},
        {"no armour to enchant", on_self(61), nullptr, nullptr,
         "Maybe you should have equipped an armor first."},
        {"no weapon to enchant", on_self(62), nullptr, nullptr,
         "Maybe you should have equipped a weapon or a shield first."},
        {"no golem around", on_self(60), nullptr, nullptr, "Nothing seems to happen!"},
        {"nobody to banish", on_self(27), nullptr, nullptr, "Nothing happens!"},
    };
    for (const handler_case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const int g = goblin();
        if (c.before) c.before(g);
        const tbeing before = beings[g];
        handle_effect(g, c.effect, 1);
        if (c.check) c.check(g, before);
        if (c.sentence != nullptr) {
            EXPECT_TRUE(told(c.sentence)) << log_text();
        }
        EXPECT_TRUE(error_log_lines.empty()) << (error_log_lines.empty() ? "" : error_log_lines.front());
        TearDown();
    }
    SetUp();
}

// Healing another being names its wounds by its gender: his, her or its.
TEST_F(EffectHandlers, HealingAnotherBeingSpeaksOfItsGender) {
    const int other = ogre();
    sight_matrix[goblin()][other] = 1;
    for (auto [gender, health, stamina] :
         {std::tuple{tf_male, "His wounds are healed.", "His stamina is restored."},
          {tf_female, "Her wounds are healed.", "Her stamina is restored."},
          {tf_neuter, "Its wounds are healed.", "Its stamina is restored."}}) {
        SCOPED_TRACE(gender);
        message_log.clear();
        message_text.clear();
        beings[other].gender = uint8_t(gender);
        beings[other].health = 1;
        beings[other].stamina = 0;
        teffect heal = on_self(6, 0, "2"), rest = on_self(7, 0, "2");
        handle_effect(other, heal, 1);
        handle_effect(other, rest, 1);
        EXPECT_TRUE(told(health)) << log_text();
        EXPECT_TRUE(told(stamina)) << log_text();
    }
}

// A lasting ability effect speaks once; after a recomputation it adds its amount again, silently.
TEST_F(EffectHandlers, ALastingAdjustmentIsAppliedAgainWithoutASecondSentence) {
    teffect e = on_self(9, 1, "-2");
    make_fixed_dice(5, e.duration_dice);
    const int body = beings[goblin()].base_ability_of(1);
    handle_effect(goblin(), e, 1);
    EXPECT_TRUE(told(format_text("Your Body is set to %d for 5 rounds.", {body - 2}))) << log_text();
    message_log.clear();
    update_being(goblin(), 1);
    EXPECT_EQ(beings[goblin()].ability_of(1), body - 2);
    EXPECT_FALSE(told("Body")) << log_text();
}

TEST_F(EffectHandlers, ImmunitiesKeepPoisonAndDiseaseOut) {
    teffect poison = on_self(ek_poison, 0, "poison:100");
    make_fixed_dice(5, poison.periodic_dice);
    set_being_status(goblin(), st_immunity_poison, 1);
    handle_effect(goblin(), poison, 1);
    EXPECT_TRUE(told("You are immune to the poison.")) << log_text();
    EXPECT_EQ(find_duration_effect(0, goblin(), 0, 0, 0, 0), 0);

    // Disease immunity works on its own, not only through poison immunity.
    SetUp();
    teffect disease = on_self(ek_disease, 0, "100");
    make_fixed_dice(5, disease.periodic_dice);
    set_being_status(goblin(), st_immunity_disease, 1);
    handle_effect(goblin(), disease, 1);
    EXPECT_TRUE(told("You are immune to the disease.")) << log_text();
    EXPECT_EQ(find_duration_effect(0, goblin(), 0, 0, 0, 0), 0);
}

// A pending level-up is not undone: gain experience never lowers it.
TEST_F(EffectHandlers, GainExperienceNeverTakesExperienceAway) {
    beings[goblin()].experience = experience_for_level(beings[goblin()].level + 3);
    const uint32_t before = beings[goblin()].experience;
    handle_effect(goblin(), on_self(4, 0, "1"), 1);
    EXPECT_EQ(beings[goblin()].experience, before);
    EXPECT_FALSE(told("more experienced"));
}

TEST_F(EffectHandlers, RestoreHealthOnAFullyHealedDiseasedBeingStillCuresIt) {
    teffect disease = on_self(ek_disease, 0, "1");
    make_fixed_dice(5, disease.periodic_dice);
    disease.damage_dice = tdamage_dice{};
    parse_damage("100", disease.damage_dice);
    handle_effect(goblin(), disease, 1);
    update_being(goblin(), 1); // the lasting record acts from the next recomputation
    ASSERT_EQ(being_status(beings[goblin()], st_diseased), 1);
    message_log.clear();
    handle_effect(goblin(), on_self(6, 0, "5"), 1);
    EXPECT_FALSE(told("restored")) << "nothing to heal";
    EXPECT_TRUE(told("You are no longer diseased.")) << log_text();
    EXPECT_EQ(find_duration_effect(0, goblin(), 0, 0, 0, 0), 0);
}

TEST_F(EffectHandlers, DoorsOpenCloseAndKnockOpensALock) {
    tcell& door = cell_at(fixtures::door_x, fixtures::door_y);
    ASSERT_EQ(door.furniture, fu_door);
    door.lock = 30;
    // A lock holds no being: the wand is aimed at the spot.
    teffect knock = aimed(sh_spot, 34, fixtures::door_x, fixtures::door_y, es_item_activate);
    make_fixed_dice(5, knock.power_dice);
    handle_effect(ogre(), knock, 1);
    EXPECT_TRUE(told("The door resists opening!")) << log_text();
    door.lock = 5;
    handle_effect(ogre(), knock, 1);
    EXPECT_EQ(door.furniture_state, 1);
    EXPECT_EQ(door.lock, 0);
    EXPECT_TRUE(told("The door opens!"));

    handle_effect(goblin(), on_self(68), 1); // close the doors of the goblin's room
    EXPECT_EQ(door.furniture_state, 0);
    EXPECT_TRUE(told("Some doors suddenly close!"));
    handle_effect(goblin(), on_self(67), 1); // cell doors only: none here
    EXPECT_EQ(door.furniture_state, 0);
    handle_effect(goblin(), on_self(65), 1);
    EXPECT_EQ(door.furniture_state, 1);
    EXPECT_TRUE(told("Some doors suddenly open!"));

    // A being in the doorway keeps the door open.
    place_being(goblin(), fixtures::door_x, fixtures::door_y, 1);
    handle_effect(goblin(), on_self(68), 1);
    EXPECT_EQ(door.furniture_state, 1);
}

// An unenchanted armour always takes the magic: lighter, less hindering, better protection.
TEST_F(EffectHandlers, EnchantingArmourRaisesItsLevelAndLightensIt) {
    item_plans.assign(2, titem_plan{});
    item_plans[1].name = "chainmail";
    item_plans[1].weight = 300;
    item_plans[1].movement = -2;
    titem armour{};
    armour.plan = 1;
    armour.amount = 1;
    armour.weight = 300;
    armour.movement = -2;
    being_items[goblin()].resize(2);
    being_items[goblin()][1] = armour;
    beings[goblin()].equipment[2] = 1; // the body slot
    handle_effect(goblin(), on_self(61), 1);
    const titem& a = being_items[goblin()][1];
    EXPECT_EQ(a.enchantment, 1);
    EXPECT_EQ(a.weight, 270u);
    EXPECT_EQ(a.movement, -1);
    EXPECT_EQ(at1(a.resistance_modifier, 2), 1);
    EXPECT_TRUE(has_item_flag(a, if_enchanted));
    EXPECT_TRUE(told("The armor glows radiantly! The enchantment was successful!")) << log_text();
    item_plans.clear();
}

TEST_F(EffectHandlers, ThePlayerSetsAKnownTrapButNeverASecondOne) {
    item_plans.assign(9, titem_plan{});
    teffect kit = aimed(sh_spot, 59, 4, 4, es_trap);
    kit.item_type = 7;
    kit.cell(1) = {4, 4};
    handle_effect(goblin(), kit, 1);
    EXPECT_EQ(cell_at(4, 4).trap, 7);
    EXPECT_LT(cell_at(4, 4).trap_difficulty, 0) << "known to the player at once";
    EXPECT_TRUE(told("You set up a trap."));
    kit.item_type = 8;
    handle_effect(goblin(), kit, 1);
    EXPECT_EQ(cell_at(4, 4).trap, 7);
    EXPECT_TRUE(told("There is already a trap at that spot!"));
    item_plans.clear();
}

TEST_F(EffectHandlers, BlinkAndTeleportMoveTheUserToAFreeSpot) {
    areas[1].exit_cells = areas[2].exit_cells = 1;
    for (int kind : {28, 74}) {
        SCOPED_TRACE(kind);
        const int x = beings[goblin()].x, y = beings[goblin()].y;
        handle_effect(goblin(), on_self(kind), 1);
        const tbeing& b = beings[goblin()];
        EXPECT_TRUE(b.x != x || b.y != y);
        EXPECT_EQ(cell_at(b.x, b.y).being, goblin());
        EXPECT_FALSE(told("vanishes")) << "the player's own blink is not told";
    }
}

TEST_F(EffectHandlers, CloneMakesAWeakerFollowerAndASecondOneGoesBerserk) {
    beings[goblin()].base_ability_of(1) = 15;
    const int before = count_beings();
    handle_effect(goblin(), on_self(30), 1);
    ASSERT_EQ(count_beings(), before + 1);
    EXPECT_TRUE(told("A clone appears!"));
    int clone = 0;
    for (std::size_t i = 1; i < beings.size(); ++i)
        if (beings[i].present != 0 && has_type_flag(beings[i], tf_cloned)) clone = int(i);
    ASSERT_GE(clone, 1);
    EXPECT_EQ(beings[clone].base_ability_of(1), 13);
    EXPECT_EQ(beings[clone].master, beings[goblin()].serial);
    EXPECT_EQ(beings[clone].name.str().rfind("clone of ", 0), 0u);

    handle_effect(goblin(), on_self(30), 1);
    EXPECT_TRUE(told("The clone goes berserk!")) << log_text();
}

// A cloning chamber: the clone steps out of the tube, and each pillar of the room beams into it.
TEST_F(EffectHandlers, AChamberClonePlaysItsTubeAndPillars) {
    settings.view_left = settings.view_top = 1, settings.view_right = settings.view_bottom = 12;
    beings[goblin()].area = 1;
    add_furniture(2, 9, fu_tube, 1);
    add_furniture(2, 2, fu_pillar, 1);
    add_furniture(5, 2, fu_pillar_broken, 1);
    indicator_lines.clear();
    handle_furniture_effect(goblin(), beings[goblin()].x, beings[goblin()].y, 30, 1);
    ASSERT_GE(cell_at(2, 9).being, 1) << "out of the tube: " << log_text();
    ASSERT_EQ(indicator_lines.size(), 2u) << "one beam a pillar";
    for (const tindicator_line& l : indicator_lines) {
        EXPECT_EQ(l.from_y, 2);
        EXPECT_EQ(l.to_x, 2);
        EXPECT_EQ(l.to_y, 9);
    }
}

TEST_F(EffectHandlers, SummonedBeingsServeTheirSummoner) {
    being_plans[fixtures::shrieker_plan].identifier = "be_summoned_panther";
    teffect summon = on_self(48);
    summon.source = es_natural_attack;
    make_fixed_dice(2, summon.size_dice);
    make_fixed_dice(10, summon.duration_dice);
    const int before = count_beings();
    handle_effect(ogre(), summon, 1);
    ASSERT_EQ(count_beings(), before + 2);
    for (std::size_t i = 1; i < beings.size(); ++i) {
        const tbeing& b = beings[i];
        if (b.present == 0 || b.plan != fixtures::shrieker_plan) continue;
        EXPECT_TRUE(has_type_flag(b, tf_summoned));
        EXPECT_EQ(b.master, beings[ogre()].serial);
        EXPECT_EQ(b.unsummon_time, game.game_clock + 10 * 15);
    }
    // A kind whose templates the game lacks summons nothing.
    handle_effect(ogre(), on_self(56), 1);
    EXPECT_EQ(count_beings(), before + 2);

    // Banishment kills the summoned hostiles the user sees.
    for (std::size_t i = 1; i < beings.size(); ++i) {
        sight_matrix[goblin()][i] = 1;
        if (beings[i].plan == fixtures::shrieker_plan) update_emotion(int(i), goblin(), -100, 1, 5);
    }
    teffect banish = on_self(27);
    make_fixed_dice(1, banish.size_dice);
    make_fixed_dice(20, banish.range_dice);
    handle_effect(goblin(), banish, 1);
    int left = 0;
    for (std::size_t i = 1; i < beings.size(); ++i)
        left += beings[i].present != 0 && has_type_flag(beings[i], tf_summoned);
    EXPECT_EQ(left, 1) << "size 1 banishes one";
}

TEST_F(EffectHandlers, CharmAndConfusionTestTheMindAndSpareTheImmune) {
    const int charmer = add_goblin(5, 3);
    teffect charm = wand_on(29, 3, 3, 50);
    make_fixed_dice(5, charm.periodic_dice);
    handle_effect(charmer, charm, 1);
    const tbeing& g = beings[goblin()];
    EXPECT_TRUE(has_type_flag(g, tf_charmed));
    EXPECT_EQ(g.master, beings[charmer].serial);
    EXPECT_EQ(g.charm_end, game.game_clock + 20 * 15) << "at least 20 rounds";
    EXPECT_TRUE(told("is charmed!")) << log_text();

    // A fungus has no mind to charm; a charmed being cannot be charmed again.
    const int fungus = add_being_to_level(4, 5, blank_being, 0, fixtures::shrieker_plan);
    charm.cell(1) = {4, 5};
    handle_effect(charmer, charm, 1);
    EXPECT_FALSE(has_type_flag(beings[fungus], tf_charmed));
    EXPECT_TRUE(told("is immune to your charm attempts!"));

    const int other = add_goblin(4, 4);
    teffect confuse = wand_on(31, 4, 4, 50);
    make_fixed_dice(3, confuse.periodic_dice);
    handle_effect(charmer, confuse, 1);
    EXPECT_TRUE(has_type_flag(beings[other], tf_confused));
    EXPECT_EQ(beings[other].confusion_end, game.game_clock + 3 * 15);

    // A weak wand fails: nothing changes but the sentence.
    const int third = add_goblin(2, 2);
    confuse.cell(1) = {2, 2};
    make_fixed_dice(0, confuse.power_dice);
    beings[third].resistance_of(4) = 20;
    handle_effect(charmer, confuse, 1);
    EXPECT_FALSE(has_type_flag(beings[third], tf_confused));
    EXPECT_TRUE(told("resists your confusion attempts!"));
}

TEST_F(EffectHandlers, PossessionHandsThePlayerABodyAndBreakingItGivesItBack) {
    talents.assign(2, ttalent{});
    talents[1].effect.kind = 38;
    const int body = add_goblin(4, 3);
    beings[goblin()].skill_of(3) = 100; // the check always succeeds
    teffect possess = aimed(sh_single, 37, 4, 3, es_trap);
    possess.source = es_natural_attack;
    make_fixed_dice(4, possess.duration_dice);
    handle_effect(goblin(), possess, 1);
    ASSERT_EQ(player, body);
    EXPECT_TRUE(has_type_flag(beings[body], tf_possessed));
    EXPECT_EQ(beings[body].talent_of(1), 1) << "the body can end the possession";
    EXPECT_EQ(beings[body].quickslot(1).kind, quickslot_talent) << "from its first quickslot";
    EXPECT_EQ(beings[body].quickslot(1).index, 1);
    EXPECT_EQ(beings[body].possession_end, game.game_clock + 4 * 15);

    teffect release = on_self(38);
    release.source = es_natural_attack;
    handle_effect(body, release, 1);
    EXPECT_EQ(player, goblin());
    EXPECT_FALSE(has_type_flag(beings[body], tf_possessed));
    EXPECT_EQ(beings[body].talent_of(1), 0);
    EXPECT_EQ(beings[body].quickslot(1).kind, 0) << "no quickslot keeps the talent taken back";

    // A creature cannot hand the player's control to its victim.
    const int caster = add_goblin(4, 4);
    beings[caster].skill_of(3) = 100;
    handle_effect(caster, possess, 1);
    EXPECT_EQ(player, goblin());
    EXPECT_FALSE(has_type_flag(beings[body], tf_possessed));
    talents.clear();
}

// A blow to the player's own body while it possesses another ends the possession it holds.
TEST_F(EffectHandlers, HurtingThePossessorsBodyEndsThePossession) {
    const int body = add_goblin(4, 3);
    beings[goblin()].type_flags[tf_player] = 1;
    beings[goblin()].skill_of(3) = 100;
    teffect possess = aimed(sh_single, 37, 4, 3);
    make_fixed_dice(10, possess.duration_dice);
    handle_effect(goblin(), possess, 1);
    ASSERT_EQ(player, body);
    tdamage blow{};
    blow.of(1) = 1;
    blow.total = 1;
    tdamage result{};
    damage_being(goblin(), ogre(), blow, result, 1, 0);
    EXPECT_EQ(player, goblin());
    EXPECT_FALSE(has_type_flag(beings[body], tf_possessed));
    EXPECT_EQ(beings[goblin()].possessed, 0);
}

TEST_F(EffectHandlers, HolyDamageStopsAfterItsCountOfUndead) {
    const int a = add_goblin(4, 4), b = add_goblin(4, 5);
    beings[a].type_flags[tf_undead] = beings[b].type_flags[tf_undead] = 1;
    teffect holy = on_self(73, 0, "holy:5");
    holy.source = es_natural_attack; // a trap has no origin being whose area it could search
    make_fixed_dice(1, holy.size_dice);
    const int ha = beings[a].health, hb = beings[b].health;
    handle_effect(goblin(), holy, 1);
    EXPECT_EQ(beings[a].health, ha - 5);
    EXPECT_EQ(beings[b].health, hb) << "size 1 hits one undead";
}

TEST_F(EffectHandlers, ManeuversStrikeAndRetreatLandsOnAFreeCell) {
    const int target = add_goblin(4, 3);
    teffect retreat = aimed(sh_opposite_free, 20, 4, 3);
    handle_effect(goblin(), retreat, 1);
    EXPECT_EQ(beings[goblin()].x, 2) << "one step back, away from the target";

    const int far = add_goblin(5, 9);
    teffect charge = aimed(sh_free, 16, 5, 9);
    handle_effect(goblin(), charge, 1);
    EXPECT_LE(get_being_distance(goblin(), far), 1) << "landed next to the target";
    (void)target;
}

// Every kind through the pipeline on the small world: no crash, no missing handler, nothing fatal.
TEST_F(EffectHandlers, EveryKindRunsThroughThePipeline) {
    for (int kind = 1; kind < effect_kind_count; ++kind) {
        SCOPED_TRACE(effect_kind_names[kind]);
        SetUp();
        const int other = add_goblin(4, 3);
        teffect e = aimed(sh_single, kind, 4, 3);
        make_fixed_dice(2, e.size_dice);
        make_fixed_dice(3, e.duration_dice);
        parse_damage("1", e.damage_dice);
        e.sub_type = 1;
        handle_effect(goblin(), e, 1);
        for (const std::string& line : error_log_lines) {
            // The entries' messages, not the routine names of their call traces.
            if (line.find("Release ") == std::string::npos) continue;
            EXPECT_EQ(line.find("handler"), std::string::npos) << line;
        }
        EXPECT_FALSE(quit_requested());
        (void)other;
        TearDown();
    }
    SetUp();
}

} // namespace
} // namespace dravok::testing
