// Levels in play: a game on the built database's levels, the character taking the stairs down
// and back with a follower, level files restored byte for byte and damaged files refused,
// creatures spawning at the stairs, followers between levels and the explore target.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <type_traits>

#include "ai/emotion.h"
#include "ai/explore_targets.h"
#include "ai/light.h"
#include "ai/player_view.h"
#include "generation/portals.h"
#include "level_fixture.h"
#include "platform/files.h"
#include "records/codec.h"
#include "rules/being_creation.h"
#include "rules/level_files.h"
#include "rules/level_setup.h"
#include "rules/spawning.h"
#include "rules/transfer.h"
#include "support/driver.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/data_files.h"
#include "world/database.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/grid.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/sight_records.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/world_lifecycle.h"

namespace dravok {
namespace {

using testing::turn_driver;

// The plain payload of a level file as save_level wrote it.
std::vector<uint8_t> level_payload(int index) {
    tbyte_stream stream;
    EXPECT_EQ(read_encoded_file(level_file_path(index), stream), tencoded_read::ok);
    return stream.bytes();
}

// The level as it stands, written the way save_level writes it.
std::vector<uint8_t> current_payload() {
    const int index = level.index;
    const tlevel kept = levels[index];
    save_level();
    std::vector<uint8_t> bytes = level_payload(index);
    levels[index] = kept;
    return bytes;
}

// A floor cell of the player's area next to the being, free of furniture and beings.
bool free_neighbour(int being, int& out_x, int& out_y, int& direction) {
    for (int d = 1; d <= 8; ++d) {
        const int x = beings[being].x + direction_steps[d].dx, y = beings[being].y + direction_steps[d].dy;
        const tcell& c = cell_at(x, y);
        if (on_map(x, y) && c.block >= first_floor_block && c.furniture == 0 && c.being == 0) {
            out_x = x, out_y = y, direction = d;
            return true;
        }
    }
    return false;
}

int direction_to(int being, int x, int y) {
    for (int d = 1; d <= 8; ++d)
        if (beings[being].x + direction_steps[d].dx == x && beings[being].y + direction_steps[d].dy == y)
            return d;
    return 0;
}

tbeing hero_record() {
    tbeing b = blank_being;
    b.serial = int32_t(++game.being_serial);
    b.name = "hero";
    b.width = b.height = 1;
    for (int k = 1; k <= ability_count; ++k)
        b.base_ability_of(k) = b.ability_of(k) = 10;
    b.health_base = b.health = b.health_max = 10;
    b.type_flags[tf_player] = 1;
    b.commanded = 1;
    b.dark_vision = 3;
    return b;
}

// The database's levels, a temporary program folder for the level files, the world allocated
// as the game allocates it.
class LevelsInPlay : public testing_levels::levels_in_play_test {
  protected:
    LevelsInPlay() : levels_in_play_test(20261210u) {}
    // Makes the level current the way a level change does, with no level being left.
    void enter_new_level(int index) {
        game.target_level = uint16_t(index);
        game.current_level = 0;
        ASSERT_TRUE(setup_level(1));
    }
    // The portals between levels 1 and 2: one on level 1 leading down to one on level 2 that
    // leads back. False when the database has none.
    bool find_stairs(int& down, int& up) {
        for (int p = 1; p < int(portals.size()); ++p) {
            const tportal& a = portals[p];
            if (a.level != 1 || a.destination == 0 || a.destination >= portals.size()) continue;
            const tportal& b = portals[a.destination];
            if (b.level == 2 && b.destination == p) {
                down = p, up = a.destination;
                return true;
            }
        }
        return false;
    }
    // The generator placed the portal's furniture and recorded its cell.
    static bool placed_portal(int p, int& x, int& y) {
        x = portals[p].x, y = portals[p].y;
        return on_map(x, y) && get_furniture(x, y, 1) == portals[p].request.object_id;
    }
    // A free floor cell beside (x, y).
    static bool free_cell_beside(int x, int y, int& out_x, int& out_y) {
        for (int d = 1; d <= 8; ++d) {
            out_x = x + direction_steps[d].dx, out_y = y + direction_steps[d].dy;
            if (is_free_floor(out_x, out_y, 1, 1, 0, 0, 1)) return true;
        }
        return false;
    }
    static int first_floor_cell(int& x, int& y) {
        for (x = 2; x < map_size; ++x)
            for (y = 2; y < map_size; ++y)
                if (cell_at(x, y).block >= first_floor_block && cell_at(x, y).furniture == 0 &&
                    cell_at(x, y).being == 0 && cell_at(x, y).loose_items == 0 &&
                    cell_at(x, y).held_items == 0 && is_free_floor(x, y, 1, 1, 0, 0, 1))
                    return 1;
        return 0;
    }
};

// The item itself, or a stack it went into (coins join the stack a creature carries).
bool carried_by_a_creature(const titem& item) {
    for (std::size_t b = 1; b < beings.size() && b < being_items.size(); ++b)
        for (const titem& it : being_items[b])
            if (beings[b].present &&
                (it.serial == item.serial ||
                 (it.identifier.view() == item.identifier.view() && it.amount > 0 && item.amount > 0)))
                return true;
    return false;
}

TEST_F(LevelsInPlay, TheCharacterTakesTheStairsDownWithAFollowerAndFindsTheFirstLevelAsItLeftIt) {
    int down = 0, up = 0;
    ASSERT_TRUE(find_stairs(down, up)) << "the database joins levels 1 and 2";
    turn_driver d;
    free_beings();
    allocate_world();

    // Both levels made with their stairs where the generator put them, the character beside the
    // stairs down of level 1 with its dog (setup_game's part), both written as the game writes a
    // level it leaves.
    enter_new_level(2);
    int ux = 0, uy = 0;
    ASSERT_TRUE(placed_portal(up, ux, uy)) << "the stairs up of level 2";
    update_level(1);
    ASSERT_TRUE(save_level());
    enter_new_level(1);
    int sx = 0, sy = 0, to_stairs = 0;
    ASSERT_TRUE(placed_portal(down, sx, sy)) << "the stairs down of level 1";
    int x = 0, y = 0;
    ASSERT_TRUE(free_cell_beside(sx, sy, x, y));
    const int hero = add_being_to_level(x, y, hero_record(), 1, 0);
    game.player_serial = uint32_t(beings[hero].serial);
    player = player_character = hero;
    tbeing dog = hero_record();
    dog.name = "dog";
    dog.type_flags[tf_player] = 0;
    dog.commanded = 0;
    dog.master = beings[hero].serial;
    int dx = 0, dy = 0, unused = 0;
    ASSERT_TRUE(free_neighbour(hero, dx, dy, unused));
    const int dog_index = add_being_to_level(dx, dy, dog, 1, 0);
    ASSERT_NE(dog_index, 0);
    // A creature of the level far from the stairs, which stays.
    tbeing rat = hero_record();
    rat.name = "rat";
    rat.type_flags[tf_player] = 0;
    rat.commanded = 0;
    int rx = 0, ry = 0;
    for (rx = map_size - 2; rx > 1 && ry == 0; --rx)
        for (int cy = map_size - 2; cy > 1 && ry == 0; --cy)
            if (is_free_floor(rx, cy, 1, 1, 0, 0, 1)) ry = cy;
    ASSERT_NE(add_being_to_level(rx + 1, ry, rat, 1, 0), 0);
    update_level(1);
    ASSERT_TRUE(save_level());

    // The game starts on level 1 as a new game does, at time 100.
    game.game_clock = 100;
    enter_new_level(1);
    ASSERT_TRUE(arrive_at_level(1));
    game_mode = mode_main;
    const int first_hero = player;
    ASSERT_NE(first_hero, 0);
    to_stairs = direction_to(player, sx, sy);
    ASSERT_NE(to_stairs, 0);

    // Level 1's explore marks, which mean nothing on level 2 (nor in the next game).
    explore_taken.fill(1);

    // Bumping the stairs asks; "Yes" takes them.
    d.press_command(to_stairs);
    ASSERT_EQ(game_mode, mode_dialog);
    d.press(vk::right);
    d.press(vk::enter);
    ASSERT_FALSE(quit_requested()) << testing_levels::last_logged_message();
    EXPECT_EQ(level.index, 2);
    ASSERT_NE(player, 0);
    EXPECT_EQ(beings[player].name.view(), "hero");
    EXPECT_LE(get_distance(beings[player].x, beings[player].y, ux, uy), 1) << "arrived at the stairs up";
    // The creatures of level 2 act before the player again, so the dog may already be here.
    EXPECT_LE(game.transfer_count, 1) << "the dog comes at most a round later";
    EXPECT_TRUE(d.logged("You are at dungeon level 2"));
    EXPECT_EQ(std::count(explore_taken.cells.begin(), explore_taken.cells.end(), uint8_t(1)), 0)
        << "arriving forgets the explore marks";
    const std::vector<uint8_t> stored = level_payload(1);
    EXPECT_EQ(levels[1].file_size, stored.size());

    // A step away and back: the dog arrives beside its master a round after it.
    int qx = 0, qy = 0, away = 0;
    ASSERT_TRUE(free_neighbour(player, qx, qy, away));
    d.press_command(away);
    d.press_command((away + 3) % 8 + 1);
    int dog_here = 0;
    for (int i = 1; i < int(beings.size()); ++i)
        if (beings[i].present && beings[i].name.view() == "dog") dog_here = i;
    ASSERT_NE(dog_here, 0) << "the follower arrived";
    EXPECT_EQ(game.transfer_count, 0);
    EXPECT_EQ(beings[dog_here].master, beings[player].serial);

    // Back up: level 1 comes back from its file.
    ASSERT_NE(direction_to(player, portals[up].x, portals[up].y), 0) << "back beside the stairs";
    d.press_command(direction_to(player, portals[up].x, portals[up].y));
    ASSERT_EQ(game_mode, mode_dialog);
    d.press(vk::right);
    d.press(vk::enter);
    ASSERT_FALSE(quit_requested()) << testing_levels::last_logged_message();
    EXPECT_EQ(level.index, 1);
    EXPECT_TRUE(d.logged("You are at dungeon level 1"));
    EXPECT_NE(levels[2].file_size, 0u) << "level 2 was written when left";
    // Cells, floor items and creatures as stored (the creatures' catch-up may move them).
    tbyte_stream map_now;
    write_level_map(map_now);
    // The stored map's own length: creatures catching up may have smeared splashes since, and
    // the map is written in runs.
    const auto cells_now = std::make_unique<std::remove_cvref_t<decltype(map_cells)>>(map_cells);
    tbyte_stream stored_stream(stored);
    ASSERT_TRUE(read_level_map(stored_stream));
    std::size_t at = stored_stream.position();
    map_cells = *cells_now;
    // The block, shape and area planes; the explored plane grows with what the player sees again.
    const std::size_t planes = 3u * std::size_t(map_size) * std::size_t(map_size);
    EXPECT_TRUE(std::equal(map_now.bytes().begin(), map_now.bytes().begin() + long(planes), stored.begin()))
        << "cells";
    at += levels[1].area_count * sizeof(tarea);
    for (int i = 1; i <= levels[1].highest_item; ++i, at += sizeof(titem)) {
        titem was;
        std::memcpy(&was, &stored[at], sizeof was);
        // A creature catching up may have picked a floor item up: it then carries it.
        if (level_items[i].identifier.view().empty() && !was.identifier.view().empty()) {
            EXPECT_TRUE(carried_by_a_creature(was)) << "item " << i << " neither on the floor nor carried";
            continue;
        }
        EXPECT_EQ(std::memcmp(&stored[at], &level_items[i], sizeof(titem)), 0) << "item " << i;
    }
    int creatures = 0;
    for (int i = 1; i <= levels[1].highest_being; ++i) {
        tbeing was;
        std::memcpy(&was, &stored[at], sizeof was);
        at += sizeof(tbeing) + levels[1].highest_being * sizeof(uint32_t) + was.highest_item * sizeof(titem);
        if (was.present == 0) continue;
        ++creatures;
        EXPECT_EQ(beings[i].serial, was.serial) << "being " << i;
        EXPECT_EQ(beings[i].present, 1) << "being " << i;
    }
    EXPECT_GT(creatures, 0) << "the level's own creatures were stored";
    EXPECT_EQ(beings[player].name.view(), "hero");
}

// The level record and everything save_level writes come back from load_level byte for byte;
// damaged files are refused with the corrupt-file or missing-file message.
TEST_F(LevelsInPlay, ALevelFileRestoresItsLevelByteForByteAndDamagedFilesAreRefused) {
    turn_driver d;
    free_beings();
    allocate_world();
    enter_new_level(1);
    int x = 0, y = 0;
    ASSERT_TRUE(first_floor_cell(x, y));
    const int hero = add_being_to_level(x, y, hero_record(), 1, 0);
    being_items[hero][3] = blank_item;
    being_items[hero][3].plan = 1;
    being_items[hero][3].serial = 77;
    first_seen_matrix[hero][hero] = 5;
    // A loose item alone on a cell (its top item is rebuilt, not stored), a found trap.
    int loose = 1;
    while (loose < int(level_items.size()) && level_items[loose].plan != 0)
        ++loose;
    ASSERT_LT(loose, int(level_items.size()));
    level_items[loose] = blank_item;
    level_items[loose].plan = 1;
    level_items[loose].serial = 78;
    level_items[loose].x = uint8_t(x);
    level_items[loose].y = uint8_t(y);
    cell_at(x, y).loose_items = 1;
    cell_at(x, y).top_item = uint16_t(loose);
    cell_at(x, y).trap_difficulty = -5;
    duration_effects[2].kind = 7;
    duration_effects[2].target = uint16_t(beings[hero].serial);
    update_level(1);
    const tlevel record = level;
    const std::vector<uint8_t> written = current_payload();
    ASSERT_TRUE(save_level());
    const tgrid<tcell> cells = map_cells;

    game.target_level = 1;
    game.current_level = 0;
    ASSERT_TRUE(setup_level(1)) << "loaded";
    EXPECT_EQ(std::memcmp(&level, &levels[1], sizeof level), 0);
    EXPECT_EQ(std::memcmp(&level, &record, offsetof(tlevel, file_size)), 0) << "the level record";
    EXPECT_EQ(current_payload(), written) << "map, areas, items, beings, effects";
    EXPECT_EQ(cell_at(x, y).top_item, loose) << "rebuilt for a single loose item";
    EXPECT_EQ(cell_at(x, y).trap_difficulty, -5);
    for (int cx = 1; cx <= map_size; ++cx)
        for (int cy = 1; cy <= map_size; ++cy)
            ASSERT_EQ(std::memcmp(&cells(cx, cy), &map_cells(cx, cy), sizeof(tcell)), 0) << cx << "," << cy;

    const std::string path = level_file_path(1);
    const std::vector<uint8_t> good = *read_file(path);
    const tlevel good_record = levels[1];
    struct damage {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> change;
        const char* message;
    };
    const damage cases[] = {
        {"truncated", [](std::vector<uint8_t>& f) { f.resize(f.size() / 2); }, "is corrupted"},
        {"a byte flipped", [](std::vector<uint8_t>& f) { f[f.size() / 3] ^= 0x40; }, "is corrupted"},
        {"garbage", [](std::vector<uint8_t>& f) { f.assign(5000, 0xAB); }, "is corrupted"},
        {"empty", [](std::vector<uint8_t>& f) { f.clear(); }, "is corrupted"},
        {"shorter than its envelope", [](std::vector<uint8_t>& f) { f.resize(12); }, "is corrupted"},
        {"the file of another visit",
         [&](std::vector<uint8_t>&) {
             level_items[loose].serial = 79;
             save_level(); // a newer file, while the record keeps the older sums
         },
         "is corrupted"},
        {"missing", [&](std::vector<uint8_t>&) {}, "Missing file"},
    };
    for (const damage& k : cases) {
        clear_quit_request();
        std::vector<uint8_t> bytes = good;
        k.change(bytes);
        if (std::string(k.what) == "missing") {
            delete_file(path);
        } else if (std::string(k.what) != "the file of another visit") {
            ASSERT_TRUE(write_file(path, std::span<const uint8_t>(bytes)));
        }
        levels[1] = good_record;
        level = good_record;
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const bool loaded = load_level();
        const std::string said =
            ::testing::internal::GetCapturedStdout() + ::testing::internal::GetCapturedStderr();
        EXPECT_FALSE(loaded) << k.what;
        EXPECT_TRUE(quit_requested()) << k.what;
        EXPECT_NE(said.find(k.message), std::string::npos) << k.what << ": " << said;
        EXPECT_NE(said.find(path), std::string::npos) << k.what << ": the file is named";
    }
    clear_quit_request();
}

TEST_F(LevelsInPlay, CreaturesSpawnAtTheStairsAtTheLevelsRate) {
    turn_driver d;
    free_beings();
    allocate_world();
    enter_new_level(1);
    int down = 0, up = 0;
    ASSERT_TRUE(find_stairs(down, up));
    int x = 0, y = 0;
    ASSERT_TRUE(placed_portal(down, x, y));
    auto beings_near_stairs = [&] {
        int n = 0;
        for (int i = 1; i < int(beings.size()); ++i)
            if (beings[i].present && get_distance(beings[i].x, beings[i].y, x, y) <= 3) ++n;
        return n;
    };
    const int near_before = beings_near_stairs();
    // A spawn group some templates belong to.
    int group = 0;
    for (int p = 1; p < int(being_plans.size()) && group == 0; ++p)
        if (being_plans[p].width == 1 && being_plans[p].spawn_groups[0] != 0 &&
            being_plans[p].max_per_game == 0)
            group = being_plans[p].spawn_groups[0];
    ASSERT_NE(group, 0);
    level.spawn_group = uint16_t(group);
    level.spawn_chance = 100;
    level.spawn_interval = tdice{};
    level.spawn_interval.count = 1;
    level.spawn_interval.sides = 1;
    level.spawn_interval.bonus = 9; // ten rounds
    level.spawn_count = tdice{};
    level.spawn_count.bonus = 1;
    level.spawn_max = 3;
    level.spawned = 0;
    level.spawn_malus = 0;
    level.next_spawn = game.game_clock;

    struct step {
        uint32_t clock;
        int spawned;
        uint32_t next;
    };
    const uint32_t t0 = game.game_clock;
    const step steps[] = {
        {t0, 1, t0 + 150},       // due: one creature, the timer ten rounds on
        {t0 + 149, 1, t0 + 150}, // not yet due
        {t0 + 150, 2, t0 + 300}, {t0 + 300, 3, t0 + 450},
        {t0 + 450, 3, t0 + 450}, // the level's maximum is reached
    };
    for (const step& s : steps) {
        game.game_clock = s.clock;
        spawn_beings(1);
        EXPECT_EQ(level.spawned, s.spawned) << s.clock - t0;
        EXPECT_EQ(level.next_spawn, s.next) << s.clock - t0;
    }
    EXPECT_EQ(beings_near_stairs() - near_before, 3) << "they come in at the stairs";

    // A malus of 10 against a chance of 20: the timer advances, nothing comes.
    level.spawn_max = 10;
    level.spawn_chance = 20;
    level.spawn_malus = 10;
    game.game_clock = level.next_spawn;
    spawn_beings(1);
    EXPECT_EQ(level.spawned, 3);
    EXPECT_EQ(level.next_spawn, game.game_clock + 150);
    // Without stairs or teleporters nothing spawns.
    level.spawn_malus = 0;
    level.spawn_chance = 100;
    remove_furniture(x, y, false, 1);
    game.game_clock = level.next_spawn;
    spawn_beings(1);
    EXPECT_EQ(level.spawned, 3);
}

// A hostile close on the player's heels follows it down; one a step too far, or too dull, stays.
TEST(FollowersBetweenLevels, APursuerFollowsOnlyCloseAngryAndClever) {
    struct pursuer {
        const char* what;
        int attitude, distance, mind;
        bool follows;
    };
    const pursuer cases[] = {
        {"close, angry and clever", -20, 3, 7, true},
        {"too dull", -20, 3, 6, false},
        {"a step too far", -20, 4, 7, false},
        {"not angry enough", -19, 3, 7, false},
    };
    for (const pursuer& k : cases) {
        turn_driver d;
        const int hero = d.add_player(3, 3);
        const int rat = d.add_creature(8, 8, 1000);
        beings[rat].ability_of(3) = int8_t(k.mind);
        const int entry = update_emotion(rat, hero, k.attitude, 0, k.distance);
        ASSERT_NE(entry, 0);
        beings[rat].attitude_of(entry).value = int16_t(k.attitude);
        beings[rat].attitude_of(entry).distance = uint16_t(k.distance);
        EXPECT_EQ(follows_to_next_level(rat), k.follows) << k.what;
        EXPECT_TRUE(follows_to_next_level(hero));
    }
}

TEST(FollowersBetweenLevels, ThreeFollowersArriveInThreeRoundsAfterThePlayer) {
    turn_driver d(20);
    level.index = 1;
    const int hero = d.add_player(5, 5);
    game.player_serial = uint32_t(beings[hero].serial);
    for (int i = 0; i < 3; ++i) {
        const int f = d.add_creature(6 + i, 6, 1000, "dog");
        beings[f].master = beings[hero].serial;
    }
    const int big = d.add_creature(12, 12, 1000, "ogre");
    place_being(big, 0, 0, 1);
    beings[big].width = 2;
    place_being(big, 12, 12, 1);
    beings[big].master = beings[hero].serial;
    store_transfer_beings(1);
    EXPECT_EQ(game.transfer_count, 4) << "the player and three dogs; the two-cell ogre stays";
    EXPECT_EQ(beings[big].present, 1);
    game.arrival_x = 10, game.arrival_y = 10;
    for (int round = 1; round <= 4; ++round) {
        restore_transfer_beings(1);
        EXPECT_EQ(game.transfer_count, 4 - round) << round;
        EXPECT_EQ(game.next_arrival_time, game.game_clock + 15);
        if (round == 1) {
            EXPECT_EQ(beings[player].name.view(), "hero") << "the player's being first";
        }
        game.game_clock += 15;
    }
}

// A level with nothing left to explore gives no target after the three rounds, and the rounds
// that clear the used targets leave none marked.
TEST(ExploreTargets, AFullyExploredLevelGivesNone) {
    turn_driver d(12);
    areas.assign(2, blank_area);
    areas[1].x1 = areas[1].y1 = 1;
    areas[1].x2 = areas[1].y2 = 12;
    areas[1].ordinal = 1;
    d.add_player(3, 3);
    for (int x = 1; x <= 12; ++x)
        for (int y = 1; y <= 12; ++y)
            cell_at(x, y).explored = 1;
    explore_taken.fill(0);
    explore_taken(5, 5) = 1;
    state.explore_cursor_x = state.explore_cursor_y = 0;
    state.autopilot_cursor_x = 3, state.autopilot_cursor_y = 3;
    EXPECT_EQ(find_explore_target(), 0u);
    EXPECT_EQ(explore_taken(5, 5), 0) << "the second round forgot the used targets";
    EXPECT_EQ(state.explore_cursor_x, 3) << "the cursor starts at the autopilot cursor";
}

} // namespace
} // namespace dravok
