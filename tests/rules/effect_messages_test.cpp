// Effect sentences: the text database's own wording first, the built-in sentences otherwise, and
// silence for what the player cannot see.
#include <gtest/gtest.h>

#include <string>

#include "ai/light.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"
#include "rules/effect_messages.h"
#include "rules/effect_names.h"
#include "rules/effect_tables.h"
#include "support/driver.h"
#include "support/process_state.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/message_log.h"
#include "world/tables.h"
#include "world/text_database.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

class EffectMessages : public ::testing::Test {
  protected:
    void SetUp() override {
        talents.assign(3, ttalent{});
        talents[1].identifier = "tl_flame";
        talents[1].name = "Flame";
        talents[1].type = 4;              // spells
        talents[1].required_skill[2] = 1; // magic and no other skill: a spell
        talents[2].identifier = "tl_kick";
        talents[2].name = "Kick";
        talents[2].type = 3;
        item_plans.assign(4, titem_plan{});
        item_plans[1].identifier = "tr_ambush";
        item_plans[1].name = "ambush trap";
        item_plans[2].identifier = "tr_reveal_passage";
        item_plans[2].name = "hidden lever";
        item_plans[3].identifier = "it_potion_fog";
        item_plans[3].name = "Potion of Fog";
        text_database = {"@none", "@tl_kick_player", "The kick lands on you!"};
        build_text_sections(2);
        log_area_width = 100000;
    }
    void TearDown() override { log_area_width = 600; }

    static teffect effect(int source, int origin, int target) {
        teffect e = effect_template;
        e.source = uint8_t(source);
        e.origin = uint16_t(origin ? beings[origin].serial : 0);
        e.target = uint16_t(target ? beings[target].serial : 0);
        return e;
    }
};

TEST_F(EffectMessages, OpeningSentencesComeFromTheDatabaseOrAreBuilt) {
    turn_driver d(20);
    const int hero = d.add_player(3, 3);
    beings[hero].light_radius = 4; // a torch: the hero sees the room
    const int seen = d.add_creature(5, 3, 100000, "goblin");
    for (int y = 1; y <= 20; ++y)
        d.wall(10, y);
    const int unseen = d.add_creature(15, 3, 100000, "goblin");
    update_lights();

    teffect spell = effect(es_talent, hero, seen);
    spell.talent = 1;
    teffect kick = effect(es_talent, seen, hero);
    kick.talent = 2;
    teffect hidden = effect(es_talent, unseen, hero);
    hidden.talent = 1;
    teffect ambush = effect(es_trap, 0, hero);
    ambush.item_type = 1;
    teffect reveal = effect(es_trap, 0, hero);
    reveal.item_type = 2;
    struct row {
        const char* what;
        teffect e;
        std::string sentence;
    };
    const row rows[] = {
        {"a spell without a section", spell, "$BYou cast $NFlame$B."},
        {"the database's own wording", kick, "The kick lands on you!"},
        {"a talent used out of sight", hidden, ""},
        {"an ambush", ambush, "$FAn ambush!"},
        {"a revealed passage", reveal, "$NA secret area is revealed!"},
    };
    for (const row& r : rows)
        EXPECT_EQ(compose_effect_message(r.e), r.sentence) << r.what;
}

TEST_F(EffectMessages, AMapEffectEndsSilentlyOutOfSightAndByItsSourceNameInSight) {
    turn_driver d(20);
    const int hero = d.add_player(3, 3);
    beings[hero].light_radius = 4;
    for (int y = 1; y <= 20; ++y)
        d.wall(10, y);
    update_lights();
    teffect fog = effect(es_item_activate, 0, 0);
    fog.item_type = 3;
    fog.shape = sh_cloud;
    fog.kind = 41;
    fog.aim = {15, 3};
    fog.cell(1) = {15, 3};
    fog.cell(2) = {0, 0};
    clear_message_log();
    compose_effect_end_message(fog);
    EXPECT_TRUE(message_log.empty()) << "out of sight: no sentence";

    fog.aim = {4, 3};
    fog.cell(1) = {4, 3};
    compose_effect_end_message(fog);
    EXPECT_TRUE(d.logged("The effect of Fog vanishes.")) << "named by the words after the potion prefix";
    EXPECT_EQ(get_effect_source_name(fog), "Fog");
}

} // namespace
} // namespace dravok
