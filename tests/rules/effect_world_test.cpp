// A generated level where 200 creatures use every effect kind on each other for 2,000 rounds
// while the player rests: no missing handler, nothing fatal, and the same seed gives the same
// world. The creatures' choice of attack is made here in turn, as their decisions would.
#include <gtest/gtest.h>

#include <vector>

#include "ai/ai_world.h"
#include "ai/light.h"
#include "generation/level_creation.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/lasting_effects.h"
#include "support/driver.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/lasting_effects.h"
#include "world/level_record.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok::testing {
namespace {

constexpr int creature_count = 200;
constexpr int round_count = 2000;
constexpr int turns_between_uses = 10;

// The effect creature `i` uses in `round`: every kind in turn, aimed at another creature.
teffect effect_for(int i, int round, int x, int y) {
    int kind = 1 + (i * 7 + round) % (effect_kind_count - 1);
    if (kind == ek_restoration) kind = ek_damage;
    teffect e = effect_template;
    e.source = es_natural_attack;
    e.kind = uint8_t(kind);
    e.shape = (round / turns_between_uses) % 3 == 0 ? sh_ball : sh_single;
    e.aim = {uint8_t(x), uint8_t(y)};
    e.sub_type = uint8_t(1 + i % 4);
    make_fixed_dice(8, e.range_dice);
    parse_dice("1d3", e.size_dice);
    parse_dice("1d4", e.duration_dice);
    parse_dice("1d3", e.periodic_dice);
    parse_dice("1d10", e.power_dice);
    parse_damage(kind == 9 || kind == 11 || kind == 13 || kind == 15 ? "-1" : "1d4", e.damage_dice);
    return e;
}

struct run_result {
    uint64_t hash = 0;
    uint32_t clock = 0;
    int uses = 0;
};

run_result run(uint32_t seed) {
    run_result r;
    prepare_sight_tables();
    clear_static_lights();
    turn_driver d(128);
    int pick = 1;
    for (int i = 1; i < int(levels.size()); ++i)
        if (levels[i].map_size > levels[pick].map_size) pick = i;
    level = levels[pick];
    level.map_size = max_map_size;
    map_size = level.map_size;
    random_seed = seed;
    create_level(1);
    clear_static_lights();
    duration_effects.assign(initial_duration_effects, effect_template);
    make_goblin_plan();
    int x = 0, y = 0;
    random_free_floor(x, y);
    const int hero = d.add_player(x, y);
    game.player_serial = uint32_t(beings[hero].serial);
    // The driver's hand-made hero gets the threshold a created character has.
    beings[hero].level = 1;
    beings[hero].experience_next = experience_for_level(2);
    std::vector<int> creatures;
    for (int i = 0; i < creature_count; ++i) {
        random_free_floor(x, y);
        creatures.push_back(add_goblin(d, x, y, uint32_t(1 + i % 14)));
    }
    for (int round = 0; round < round_count && !quit_requested(); ++round) {
        update_lights();
        for (int i = 0; i < creature_count; ++i) {
            const int c = creatures[std::size_t(i)];
            if ((i + round) % turns_between_uses != 0 || !is_being_ok(c) || beings[c].present == 0) continue;
            const int t = creatures[std::size_t((i + 1 + round) % creature_count)];
            if (!is_being_ok(t) || beings[t].present == 0) continue;
            handle_effect(c, effect_for(i, round, beings[t].x, beings[t].y), 1);
            ++r.uses;
        }
        if (player != hero) player = hero; // no creature hands over the player's control
        d.press_command(REST);
    }
    r.hash = world_hash();
    r.clock = game.game_clock;
    tidy_after_level();
    return r;
}

TEST(EffectWorld, TwoHundredCreaturesUseEveryEffectKindForTwoThousandRounds) {
    ASSERT_TRUE(load_database_from(std::string(DRAVOK_DATA_DIR) + "/Dravok.dbs"));
    const run_result first = run(20261210);
    EXPECT_FALSE(quit_requested()) << "a fatal error";
    EXPECT_GE(first.clock, uint32_t(round_count) * 15) << "every round passed";
    EXPECT_GT(first.uses, creature_count * round_count / turns_between_uses / 4)
        << "effects were used all along";
    for (const std::string& line : error_log_lines) {
        // The entries' messages, not the routine names of their call traces.
        if (line.find("Release ") == std::string::npos) continue;
        EXPECT_EQ(line.find("handler"), std::string::npos) << line;
    }
    error_log_lines.clear();
    ASSERT_TRUE(load_database_from(std::string(DRAVOK_DATA_DIR) + "/Dravok.dbs"));
    EXPECT_EQ(run(20261210).hash, first.hash) << "the same seed gives the same world";
    duration_effects.assign(initial_duration_effects, effect_template);
    levels.clear();
    vaults.clear();
    contents.clear();
    error_log_lines.clear();
}

} // namespace
} // namespace dravok::testing
