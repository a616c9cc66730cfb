// A being's real figures and its equipment: update_being against values worked out by hand,
// the hand rules of the weapon sets, the body modifier's share of a blow, the quiver, the cost
// of equipping, item values, and the mends of possession and item icons.
#include <gtest/gtest.h>

#include "fixtures/item_world_test.h"
#include "fixtures/small_world.h"
#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/damage.h"
#include "rules/equipment.h"
#include "rules/item_choice.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/encumbrance.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/item_creation.h"
#include "world/item_description.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/item_value.h"
#include "world/map.h"
#include "world/regeneration.h"
#include "world/sprite_lookup.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {
namespace {

enum test_plan : int {
    long_sword = 1,
    great_sword,
    dagger,
    bastard_sword, // versatile
    short_bow,
    arrows,
    bolts,
    wooden_shield,
    helmet,
    ring,
    chain_mail,
    anvil,
    plan_count
};
constexpr int body = 1, motion = 2, spirit = 4, skill_melee = 4;

class Equipment : public fixtures::item_world_test {
  protected:
    void SetUp() override {
        item_world_test::SetUp();
        item_plans.assign(plan_count, titem_plan{});
        plan(long_sword, "it_sword_long", {if_weapon, if_sword, if_melee}, 8);
        plan(great_sword, "it_sword_great", {if_weapon, if_sword, if_melee, if_two_handed}, 12);
        plan(dagger, "it_dagger", {if_weapon, if_blade, if_melee}, 4);
        plan(bastard_sword, "it_sword_bastard", {if_weapon, if_sword, if_melee, if_versatile}, 9);
        plan(short_bow, "it_bow_short", {if_weapon, if_bow, if_ranged, if_two_handed}, 6);
        plan(arrows, "it_arrow", {if_ammunition, if_arrow}, 3);
        plan(bolts, "it_bolt", {if_ammunition, if_bolt}, 4);
        plan(wooden_shield, "it_shield_wooden", {if_shield}, 2);
        plan(helmet, "it_helmet", {if_wearable, if_helmet}, 0);
        plan(ring, "it_ring_gold", {if_jewellery, if_ring}, 0);
        plan(chain_mail, "it_armour_chain", {if_wearable, if_armor}, 0);
        plan(anvil, "it_anvil", {if_other}, 0);
        item_plans[anvil].weight = 1600;
        hero_ = make_hero(10, 10);
    }
    void TearDown() override {
        set_program_folder("");
        error_log_lines.clear();
        clear_sprite_infos();
    }
    static void plan(int index, const char* id, std::initializer_list<int> flags, int damage) {
        titem_plan& p = item_plans[index];
        p.identifier = id;
        p.name = id + 3;
        for (int f : flags)
            p.flags[f] = 1;
        if (damage > 0) p.damage.of(3) = fixed(damage);
        p.price = 10;
    }
    // A being able to use items with the given body and motion, at (4, 4).
    static int make_hero(int body_value, int motion_value) {
        tbeing r = blank_being;
        r.serial = int32_t(++game.being_serial);
        r.name = "hero";
        r.width = r.height = 1;
        r.type_flags[tf_can_use_items] = 1;
        for (int k = 1; k <= ability_count; ++k)
            r.base_ability_of(k) = 10;
        r.base_ability_of(body) = int8_t(body_value);
        r.base_ability_of(motion) = int8_t(motion_value);
        r.health_base = 10;
        r.stamina_base = 5;
        r.active_set = 13;
        const int index = add_being_to_level(4, 4, r, 0, 0);
        update_being(index, 0);
        return index;
    }
    int give(int plan_index, int amount = 1) {
        return add_item_to_being(hero_, blank_item, plan_index, 0, fixed(amount));
    }
    bool wear(int item, int slot) {
        const bool done = equip_item(hero_, item, slot, 0, true);
        update_being(hero_, 0);
        return done;
    }
    tbeing& hero() { return beings[hero_]; }
    int hero_ = 0;
};

TEST_F(Equipment, UpdateBeingGivesTheFiguresOfItsFormulas) {
    struct row {
        const char* what;
        int level, body, motion, spirit, base_melee, natural_value;
        int worn_body_bonus; // a helmet raising body
        bool lasting_critical_status;
        int health_max, stamina_max, melee_skill, speed, attack_bonus, melee_critical;
    };
    // Health max = level x body modifier + 10; stamina max = level x spirit modifier + 5; melee
    // skill = base + motion modifier; speed and the natural attack add the motion modifier.
    const row rows[] = {
        {"plain", 1, 10, 10, 10, 3, 5, 0, false, 10, 5, 3, 0, 5, 0},
        {"strong at level 3", 3, 14, 10, 8, 3, 5, 0, false, 16, 2, 3, 0, 5, 0},
        // Body 0 carries nothing: even an empty pack is the heaviest load, motion 10 - 10 = 0.
        {"no body: at least 1", 5, 0, 10, 10, 3, 5, 0, false, 1, 5, -6, -9, -4, 0},
        {"a helmet of body +4", 2, 10, 10, 10, 3, 5, 4, false, 14, 5, 3, 0, 5, 0},
        {"nimble", 1, 10, 12, 10, 3, 5, 0, false, 10, 5, 4, 1, 6, 0},
        {"improved criticals", 1, 10, 10, 10, 3, 5, 0, true, 10, 5, 3, 0, 5, 4},
    };
    for (const row& r : rows) {
        tbeing& b = hero();
        b.level = uint8_t(r.level);
        b.base_ability_of(body) = int8_t(r.body);
        b.base_ability_of(motion) = int8_t(r.motion);
        b.base_ability_of(spirit) = int8_t(r.spirit);
        b.base_skill_of(skill_melee) = int8_t(r.base_melee);
        b.natural_attack(1).value = uint8_t(r.natural_value);
        b.status_of(st_improved_melee_criticals) = r.lasting_critical_status ? 3 : 0;
        b.status_of(st_dualwield) = 1; // a derived status: gone after the update
        b.health = b.stamina = 999;
        if (r.worn_body_bonus != 0) {
            const int hat = give(helmet);
            being_items[hero_][hat].ability_modifier_of(body) = int8_t(r.worn_body_bonus);
            equip_item(hero_, hat, slot_head, 0, true);
        }
        update_being(hero_, 0);
        const tbeing& a = hero();
        EXPECT_EQ(a.health_max, r.health_max) << r.what;
        EXPECT_EQ(a.stamina_max, r.stamina_max) << r.what;
        EXPECT_EQ(a.health, a.health_max) << r.what << ": cut to the maximum";
        EXPECT_EQ(a.skill_of(skill_melee), r.melee_skill) << r.what;
        EXPECT_EQ(a.speed_bonus, r.speed) << r.what;
        EXPECT_EQ(a.natural_attack(1).attack_bonus, r.attack_bonus) << r.what;
        EXPECT_EQ(a.melee_critical, r.melee_critical) << r.what;
        EXPECT_EQ(a.status_of(st_dualwield), 0) << r.what;
        EXPECT_EQ(a.item_ability_modifier[body - 1], r.worn_body_bonus) << r.what;
        if (r.worn_body_bonus != 0) equip_item(hero_, 0, slot_head, 0, true);
    }
}

TEST_F(Equipment, LoadBeyondTheLimitStopsMotion) {
    EXPECT_EQ(carry_capacity(10), 151200u);
    EXPECT_EQ(carry_capacity(0), 0u);
    EXPECT_EQ(carry_capacity(1), 500u);
    hero().base_ability_of(body) = 1; // capacity 500, limit 1500
    give(anvil);
    update_being(hero_, 0);
    EXPECT_EQ(hero().ability_of(motion), 0);
    EXPECT_EQ(hero().status_of(st_encumbered_6), 1);
    EXPECT_EQ(hero().encumbrance, 5);
}

TEST_F(Equipment, HandRulesOfTheWeaponSets) {
    const int great = give(great_sword), knife = give(dagger), bow = give(short_bow),
              sword = give(long_sword);
    const int shield = give(wooden_shield);
    EXPECT_FALSE(item_fits_slot(hero_, knife, slot_set1_off)) << "without dual wielding only a shield";
    EXPECT_TRUE(item_fits_slot(hero_, shield, slot_set1_off));
    hero().status_of(st_dualwield) = 3;
    EXPECT_TRUE(item_fits_slot(hero_, knife, slot_set1_off));
    EXPECT_FALSE(item_fits_slot(hero_, great, slot_set1_off)) << "two hands go into a main hand";
    ASSERT_TRUE(wear(great, slot_set1_main));
    EXPECT_FALSE(item_fits_slot(hero_, knife, slot_set1_off)) << "nothing joins a two-handed weapon";
    equip_item(hero_, 0, slot_set1_main, 0, true);
    ASSERT_TRUE(wear(knife, slot_set1_off));
    EXPECT_FALSE(item_fits_slot(hero_, great, slot_set1_main)) << "the other hand is full";
    EXPECT_FALSE(item_fits_slot(hero_, bow, slot_set1_main)) << "no bow beside a weapon";
    EXPECT_EQ(get_equipment_slot(hero_, bow, 0), slot_set2_main) << "the second set takes it";
    equip_item(hero_, 0, slot_set1_off, 0, true);
    EXPECT_EQ(get_equipment_slot(hero_, bow, 0), slot_set2_main) << "a launcher belongs to the second set";
    EXPECT_EQ(get_equipment_slot(hero_, sword, 0), slot_set1_main);

    const int first = give(ring), second = give(ring);
    EXPECT_EQ(get_equipment_slot(hero_, first, 0), slot_finger1);
    wear(first, 0);
    EXPECT_EQ(get_equipment_slot(hero_, second, 0), slot_finger2) << "the second ring takes the other finger";
}

TEST_F(Equipment, TheBodyModifiersShareOfABlow) {
    hero().base_ability_of(body) = 14; // modifier 2
    update_being(hero_, 0);
    const int versatile = give(bastard_sword);
    wear(versatile, slot_set1_main);
    EXPECT_EQ(hero().weapon_set.melee_damage_bonus[0], 3) << "both hands on a versatile sword: 1.5 x 2";
    EXPECT_FLOAT_EQ(hero().weapon_set.body_factor[0], 1.5f);
    wear(give(wooden_shield), slot_set1_off);
    EXPECT_EQ(hero().weapon_set.melee_damage_bonus[0], 2) << "with a shield: once";
    EXPECT_EQ(hero().weapon_set.shield_held, 1);

    equip_item(hero_, 0, slot_set1_off, 0, true);
    hero().status_of(st_dualwield) = 3;
    const int skill = hero().skill_of(skill_melee);
    wear(give(dagger), slot_set1_off);
    const tweapon_set& w = hero().weapon_set;
    EXPECT_EQ(w.melee_attack[0], skill - 2);
    EXPECT_EQ(w.melee_attack[1], skill - 4);
    EXPECT_EQ(w.melee_defence[1], skill - 4);
    EXPECT_EQ(w.melee_damage_bonus[1], 1) << "the off hand gets half a positive modifier";
    EXPECT_EQ(w.bare_hands, 0);
}

TEST_F(Equipment, ABowWithBoltsCannotShootAndWantsArrows) {
    const int bow = give(short_bow);
    const int quarrels = give(bolts, 20);
    wear(bow, slot_set2_main);
    wear(quarrels, slot_quiver);
    hero().active_set = 15;
    update_being(hero_, 0);
    EXPECT_EQ(hero().weapon_set.quiver_matches_launcher, 0);
    EXPECT_EQ(hero().weapon_set.launcher_without_ammo, 1);
    EXPECT_EQ(hero().wish_of(if_arrow), 0) << "a full quiver of bolts is recorded";
    equip_item(hero_, 0, slot_quiver, 0, true);
    update_being(hero_, 0);
    EXPECT_EQ(hero().wish_of(if_arrow), 1) << "an empty quiver under a bow wants arrows";
    const int shafts = give(arrows, 40);
    wear(shafts, slot_quiver);
    EXPECT_EQ(hero().weapon_set.quiver_matches_launcher, 1);
    EXPECT_EQ(hero().weapon_set.ammunition_amount, 40u);
}

TEST_F(Equipment, EquippingCostsAnActionButTheQuiverIsFree) {
    game.game_clock = 1000;
    EXPECT_TRUE(equip_item(hero_, give(helmet), 0, 0, false));
    EXPECT_EQ(hero().next_action_time, 1030u) << "30 less a motion modifier of 0";
    EXPECT_EQ(hero().last_action_kind, 5);
    hero().next_action_time = 1000;
    EXPECT_TRUE(equip_item(hero_, give(arrows, 10), slot_quiver, 0, false));
    EXPECT_EQ(hero().next_action_time, 1000u);
}

TEST_F(Equipment, EquipBeingWearsTheBestFittingItems) {
    give(dagger);
    const int sword = give(long_sword);
    const int bow = give(short_bow);
    const int shafts = give(arrows, 30);
    const int hat = give(helmet);
    state.busy = 0;
    EXPECT_TRUE(equip_being(hero_, 0, 0));
    EXPECT_EQ(hero().equipment_of(slot_set1_main), sword) << "the more valuable blade";
    EXPECT_EQ(hero().equipment_of(slot_set2_main), bow);
    EXPECT_EQ(hero().equipment_of(slot_quiver), shafts);
    EXPECT_EQ(hero().equipment_of(slot_head), hat);
}

TEST_F(Equipment, ItemValues) {
    titem mail{};
    mail.plan = chain_mail;
    mail.flags[if_armor] = mail.flags[if_wearable] = 1;
    item_plans[chain_mail].price = 40;
    mail.enchantment = 1;
    EXPECT_EQ(calculate_item_value(mail), 70u) << "progressive_sum(40, 5, 2.0)";
    titem hat = mail;
    hat.plan = helmet;
    hat.flags[if_armor] = 0;
    item_plans[helmet].price = 40;
    EXPECT_EQ(calculate_item_value(hat), 40u) << "the level counts only for armour";

    titem gold{};
    gold.plan = anvil;
    for (const auto& [price, value] : {std::pair{1234u, 1200u}, {155u, 160u}, {99u, 99u}, {145u, 140u}}) {
        item_plans[anvil].price = price;
        EXPECT_EQ(calculate_item_value(gold), value) << price;
    }
    titem band{};
    band.plan = ring;
    band.flags[if_ring] = 1;
    item_plans[ring].price = 9000;
    EXPECT_EQ(calculate_item_value(band), 2500u) << "rings are capped";
}

TEST_F(Equipment, DamageEndsTheThrallsPossessionNotThePossessors) {
    tbeing& b = hero();
    b.type_flags[tf_player] = 1;
    b.commanded = 1;
    const int thrall = world_.goblin;
    beings[thrall].type_flags[tf_possessed] = 1;
    b.possessed = beings[thrall].serial;
    beings[thrall].leader = b.serial;
    tdamage blow{}, result{};
    blow.of(1) = 1;
    damage_being(hero_, 0, blow, result, 1, cause_attack);
    EXPECT_EQ(beings[thrall].type_flags[tf_possessed], 0) << "the thrall is free";
    EXPECT_EQ(beings[hero_].commanded, 1) << "the hit character keeps its own command";
}

TEST_F(Equipment, AnItemsIconComesFromTheIconList) {
    set_sprite_info(sprites_item, long_sword, {100, 1, 1});
    set_sprite_info(sprites_icon, long_sword, {7, 1, 1});
    titem blade;
    create_item(long_sword, fixed(1), 0, blade);
    EXPECT_EQ(blade.image, 100);
    EXPECT_EQ(blade.icon, 7);
}

TEST_F(Equipment, ItemDescriptions) {
    titem blade;
    create_item(long_sword, fixed(1), 0, blade);
    blade.enchantment = 2;
    std::string text;
    describe_item(hero_, blade, text);
    EXPECT_NE(text.find("$dMelee attack modifier: $B$S+2"), std::string::npos) << text;
    EXPECT_NE(text.find("$dBase damage: $B8-8"), std::string::npos) << text;

    titem wand{};
    wand.plan = helmet;
    wand.flags[if_device] = wand.flags[if_wand] = 1;
    wand.ability_minimum[2] = 14; // mind
    wand.charges = 3;
    describe_item(hero_, wand, text);
    EXPECT_NE(text.find("$dDevice use difficulty: $BMind: 14 $B($F10$B)"), std::string::npos) << text;
    EXPECT_EQ(text.find("Ability requirements"), std::string::npos);
    EXPECT_NE(text.find("$dCharges: $Bunknown"), std::string::npos) << "a mind below the minimum";

    titem shafts, sword;
    create_item(arrows, fixed(12), 0, shafts);
    create_item(long_sword, fixed(1), 0, sword);
    add_item_to_level(5, 5, shafts, 0, one_dice, 0);
    add_item_to_level(5, 5, sword, 0, one_dice, 0);
    cell_item_table_text(5, 5, text);
    EXPECT_EQ(text, "12 x Arrow\r\nSword_long");
}

TEST_F(Equipment, AnOffHandWeaponWithoutDualWieldingIsTakenOff) {
    hero().status_of(st_dualwield) = 3;
    const int knife = give(dagger);
    wear(give(long_sword), slot_set1_main);
    wear(knife, slot_set1_off);
    ASSERT_EQ(hero().equipment_of(slot_set1_off), knife);
    hero().status_of(st_dualwield) = 0;
    update_being(hero_, 0);
    EXPECT_EQ(hero().equipment_of(slot_set1_off), 0);
    EXPECT_EQ(being_items[hero_][knife].slot, 0);
    EXPECT_EQ(hero().weapon_set.melee[1], 0);
}

TEST_F(Equipment, RegenerationCountsDownOncePerCall) {
    tbeing& b = hero();
    b.health_max = 20;
    b.health = 10;
    b.health_regen = 3;
    b.health_regen_delay = 2;
    b.health_regen_countdown = 2;
    b.last_health_loss = 0;
    game.game_clock = 1000; // many rounds later
    regenerate_being(hero_, 0);
    EXPECT_EQ(b.health_regen_countdown, 1) << "one step however long it waited";
    EXPECT_EQ(b.health, 10);
    regenerate_being(hero_, 0);
    EXPECT_EQ(b.health_regen_countdown, 1) << "not a whole round since the last step";
    game.game_clock += 15;
    regenerate_being(hero_, 0);
    EXPECT_EQ(b.health, 13) << "the countdown ran out: the amount is gained";
    EXPECT_EQ(b.health_regen_countdown, 2) << "and the countdown starts again";
}

TEST_F(Equipment, UnneededPlainGearIsDroppedEnchantedKept) {
    const int plain = give(long_sword);
    const int fine = give(long_sword);
    being_items[hero_][fine].enchantment = 1;
    state.busy = 0;
    EXPECT_TRUE(drop_unneeded_items(hero_, false, 0));
    EXPECT_EQ(being_items[hero_][plain].plan, 0) << "the plain sword is dropped";
    EXPECT_EQ(being_items[hero_][fine].plan, long_sword);
    EXPECT_EQ(cell_at(4, 4).loose_items, 1) << "onto the being's cell";
}

} // namespace
} // namespace dravok
