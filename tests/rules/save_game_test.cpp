// Saving, loading and ending a game: a game on the built database saved through the game menu,
// read back record for record with its random seed, loaded through the load menu; a save
// interrupted by a full disk keeping the earlier save; damaged saves refused and deleted, never
// half loaded; the save list's summary checks; a death ending in the obituary, the history and
// the statistics kept across a restart; a screenshot from its key.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ai/emotion.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "platform/timers.h"
#include "records/being_flags.h"
#include "records/codec.h"
#include "rules/being_creation.h"
#include "rules/character_sheet.h"
#include "rules/damage.h"
#include "rules/level_files.h"
#include "rules/level_setup.h"
#include "rules/pantheon.h"
#include "rules/save_game.h"
#include "rules/scheduler.h"
#include "support/creation_keys.h"
#include "support/game_start.h"
#include "support/plain_creature.h"
#include "support/portal_keys.h"
#include "ui/key_bindings.h"
#include "ui/lister_model.h"
#include "ui/menus.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/data_files.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_lists.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/history_file.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/map_grid.h"
#include "world/menu_model.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/saves.h"
#include "world/services.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/statistics.h"
#include "world/tables.h"
#include "world/text_expand.h"
#include "world/transfer.h"

namespace dravok {
namespace {

using testing::create_through_keys;
using testing::created;
using testing::started_game;
namespace fs = std::filesystem;

constexpr uint8_t first_floor = 41;
// The hub of the built database.
constexpr int hub_level = 11;

std::string selected_text() {
    const int r = selected_menu_row();
    return r >= 1 ? menu_items[r].text : "";
}

std::vector<uint8_t> file_bytes(const std::string& path) {
    return read_file(path).value_or(std::vector<uint8_t>{});
}

void put_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// What a save must give back: the records as they were written.
struct tsnapshot {
    tgame record{};
    std::vector<uint8_t> tables;
    std::vector<uint8_t> travellers;
    std::map<int, std::vector<uint8_t>> level_files;
    std::vector<std::string> history;
};

tsnapshot take_snapshot() {
    tsnapshot s;
    s.record = game;
    tbyte_stream tables;
    write_global_state(tables);
    s.tables = tables.bytes();
    tbyte_stream travellers;
    for (int slot = 1; slot <= game.transfer_count; ++slot) {
        travellers.write_record(transfer_beings[slot]);
        for (int i = 1; i <= transfer_beings[slot].highest_item; ++i)
            travellers.write_record(transfer_items[slot][i]);
    }
    s.travellers = travellers.bytes();
    for (int i = 1; i < int(levels.size()); ++i)
        if (levels[i].file_size != 0) s.level_files[i] = file_bytes(level_file_path(i));
    s.history = history;
    return s;
}

class SaveGame : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!program.ready()) FAIL() << "the build has not made Data/ yet";
        reset_keybindings();
    }
    void TearDown() override { set_write_limit_for_tests(std::nullopt); }

    // Makes a level current the way a level change does, with no level being left.
    static void enter(int index) {
        game.target_level = uint16_t(index);
        game.current_level = 0;
        ASSERT_TRUE(setup_level(1));
    }
    static bool free_cell(int& x, int& y) {
        for (x = 2; x < map_size; ++x)
            for (y = 2; y < map_size; ++y)
                if (cell_at(x, y).block >= first_floor && is_free_floor(x, y, 1, 1, 0, 0, 1)) return true;
        return false;
    }
    static tbeing character(const std::string& name) {
        tbeing b = testing::one_cell_being(name, 10);
        b.type_flags[tf_player] = 1;
        b.commanded = 1;
        return b;
    }

    // The program started, level 3 visited earlier, the character standing on level 1 with a
    // companion waiting between levels, in the main mode.
    void play(const std::string& name = "Ulla") {
        ASSERT_TRUE(running ? program.restart() : program.start());
        running = true;
        ASSERT_GT(levels.size(), 3u) << "the database has three levels";
        game.game_clock = 100;
        enter(3);
        update_level(1);
        ASSERT_TRUE(save_level());
        enter(1);
        int x = 0, y = 0;
        ASSERT_TRUE(free_cell(x, y));
        const int hero = add_being_to_level(x, y, character(name), 1, 0);
        ASSERT_NE(hero, 0);
        game.player_serial = uint32_t(beings[hero].serial);
        player = player_character = hero;
        tbeing dog = character("dog");
        dog.type_flags[tf_player] = 0;
        dog.commanded = 0;
        dog.highest_item = 2;
        transfer_beings[1] = dog;
        transfer_items[1][1].serial = 7001;
        transfer_items[1][2].serial = 7002;
        game.transfer_count = 1;
        ASSERT_TRUE(arrive_at_level(1));
        game_mode = mode_main;
        random_seed = 424242;
    }

    // The portal of this level that leads to the target level, taken through the keys.
    void take_portal_to(int target) {
        ASSERT_TRUE(testing::take_portal_to(program, target))
            << "no way from level " << int(level.index) << " to level " << target;
    }
    static std::string testing_levels_last_error() {
        return read_text_file(program_folder() + "Error-log.txt").value_or("");
    }
    void press_command(int command) {
        const tkeybinding b = keybindings[command][0];
        program.press(b.key,
                      tshift_state{b.modifier == key_shift, b.modifier == key_ctrl, b.modifier == key_alt});
    }
    void save_through_menu() {
        press_command(GAME_MENU);
        ASSERT_EQ(menu.id, menu_game);
        for (int i = 0; i < 20 && selected_text() != "SAVE GAME & QUIT"; ++i)
            program.press(key_down);
        ASSERT_EQ(selected_text(), "SAVE GAME & QUIT");
        program.press(key_enter);
    }
    // From the main menu: CONTINUE GAME, then the first save of the load menu.
    void load_through_menu() {
        ASSERT_EQ(menu.id, menu_main);
        program.press(key_down);
        ASSERT_EQ(selected_text(), "CONTINUE GAME");
        program.press(key_enter);
        ASSERT_EQ(menu.id, menu_load);
        program.press(key_enter);
    }
    // The rest of the round, as after any action (the spectator takes over), the spectator's
    // ticks, then the main menu (no character came from the creation menus).
    void run_to_the_main_menu() {
        handle_rounds();
        for (int tick = 0; tick < 200 && game_mode != mode_menu; ++tick) {
            program.clock.advance(1000);
            run_due_timers();
        }
        ASSERT_EQ(game_mode, mode_menu);
    }
    std::string obituary_named(const std::string& prefix) const {
        for (const auto& entry : fs::directory_iterator(program.folder / "Obituary"))
            if (entry.path().filename().string().rfind(prefix, 0) == 0)
                return read_text_file(entry.path().string()).value_or("");
        return "";
    }
    std::string path(const char* extension, const std::string& name = "Ulla") const {
        return save_file_path(name, extension);
    }

    started_game program{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    bool running = false;
};

// The records a save file holds, cut out of its bytes as the format places them.
tsnapshot records_in_save_file(const std::vector<uint8_t>& save) {
    tsnapshot s;
    uint32_t trailer = 0;
    std::memcpy(&trailer, save.data() + save.size() - 4, 4);
    const std::size_t main_length = std::size_t(checksum_mask(1, trailer) & 0xFFFFFFFFu);
    tbyte_stream main(std::vector<uint8_t>(save.begin(), save.begin() + std::ptrdiff_t(main_length)));
    EXPECT_TRUE(decode_stream(main));
    EXPECT_TRUE(check_file_header(main, 15, sizeof(tgame)));
    main.read_record(s.record);
    const auto first = main.bytes().begin() + std::ptrdiff_t(main.position());
    s.tables.assign(first, first + std::ptrdiff_t(global_state_size()));
    s.travellers.assign(first + std::ptrdiff_t(global_state_size()), main.bytes().end());
    std::size_t offset = main_length;
    // Level rows come first in the tables' state, 128 bytes each: file size at 56, encoded at 60.
    for (std::size_t row = 0; row + 128 <= std::size_t(s.record.level_count) * 128; row += 128) {
        uint32_t file_size = 0, encoded_size = 0;
        std::memcpy(&file_size, &s.tables[row + 56], 4);
        std::memcpy(&encoded_size, &s.tables[row + 60], 4);
        if (file_size == 0) continue;
        s.level_files[int(row / 128) + 1].assign(save.begin() + std::ptrdiff_t(offset),
                                                 save.begin() + std::ptrdiff_t(offset + encoded_size));
        offset += encoded_size;
    }
    EXPECT_EQ(offset + 4, save.size()) << "the level files fill the rest, before the length";
    return s;
}

// An ascended being is renamed by the name generator from the letters of its old name.
bool renamed_from(std::string_view name, std::string_view old_name) {
    std::string a(name), b(old_name);
    for (char& c : a)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : b)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b && !name.empty() && std::isupper(static_cast<unsigned char>(name[0]));
}

TEST_F(SaveGame, SavedThroughTheMenuReadsBackRecordForRecordAndLoadsThroughTheLoadMenu) {
    play();
    const tsnapshot before = take_snapshot();
    const std::vector<uint8_t> level3 = file_bytes(level_file_path(3));
    const uint32_t seed = random_seed;
    const uint32_t player_serial = game.player_serial;
    save_through_menu();
    ASSERT_TRUE(quit_requested());
    ASSERT_TRUE(file_exists(path(save_extension)));
    ASSERT_TRUE(file_exists(path(summary_extension)));
    ASSERT_TRUE(file_exists(path(save_history_extension)));

    // The program again: what the file holds is what the game had.
    ASSERT_TRUE(program.restart());
    const tsnapshot written = records_in_save_file(file_bytes(path(save_extension)));
    EXPECT_EQ(written.record.save_seed, seed);
    EXPECT_EQ(written.record.player_serial, player_serial);
    EXPECT_EQ(written.travellers, before.travellers);
    ASSERT_EQ(written.level_files.size(), 2u) << "levels 1 and 3, in that order";
    EXPECT_EQ(written.level_files.at(3), level3);

    // The load menu's list holds the save with its summary.
    ASSERT_TRUE(program.restart());
    ASSERT_EQ(save_names, std::vector<std::string>{"Ulla"});
    EXPECT_EQ(past_characters[1].name.view(), "Ulla");
    EXPECT_EQ(past_characters[1].date_made, file_time_as_datetime(path(save_extension)));

    // Read back before its level is entered: every record as written, the seed restored.
    random_seed = 1;
    ASSERT_TRUE(read_saved_game("Ulla"));
    EXPECT_EQ(std::memcmp(&game, &written.record, sizeof(tgame)), 0);
    EXPECT_EQ(random_seed, 424242u);
    const tsnapshot read = take_snapshot();
    EXPECT_EQ(read.tables, written.tables);
    EXPECT_EQ(read.travellers, written.travellers);
    EXPECT_EQ(read.level_files, written.level_files);
    EXPECT_EQ(read.history, before.history);
    EXPECT_FALSE(read.history.empty());

    // Loaded through the menu: the character stands on level 1 and the save is used up.
    ASSERT_TRUE(program.restart());
    load_through_menu();
    EXPECT_FALSE(quit_requested());
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(level.index, 1);
    ASSERT_NE(player, 0);
    EXPECT_EQ(beings[player].name.view(), "Ulla");
    EXPECT_TRUE(save_files_gone("Ulla"));
    // A second load of the same name finds no file.
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(load_game("Ulla"));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Missing file"), std::string::npos);
}

// A character made through the creation menus, a step taken, saved and quit through the game
// menu; the program again, the records read back as written; loaded through CONTINUE GAME.
TEST_F(SaveGame, AGameStartedThroughTheCreationMenusComesBackThroughTheLoadMenu) {
    ASSERT_TRUE(program.start());
    const created made = create_through_keys(program, "");
    ASSERT_EQ(game_mode, mode_main);
    ASSERT_NE(player, 0);
    for (int d = 1; d <= 8; ++d) {
        const int x = beings[player].x + direction_steps[d].dx, y = beings[player].y + direction_steps[d].dy;
        if (!is_free_floor(x, y, 1, 1, 0, 0, 1)) continue;
        press_command(d);
        break;
    }
    const tbeing walked = beings[player];
    const tsnapshot before = take_snapshot();
    const uint32_t seed = random_seed;
    save_through_menu();
    ASSERT_TRUE(quit_requested());

    ASSERT_TRUE(program.restart());
    ASSERT_EQ(save_names, std::vector<std::string>{"Morwen"});
    const tsnapshot written = records_in_save_file(file_bytes(path(save_extension, "Morwen")));
    EXPECT_EQ(written.record.save_seed, seed);
    EXPECT_EQ(written.record.player_serial, before.record.player_serial);
    ASSERT_EQ(written.level_files.size(), 1u) << "the first level only";
    random_seed = 1;
    ASSERT_TRUE(read_saved_game("Morwen"));
    EXPECT_EQ(std::memcmp(&game, &written.record, sizeof(tgame)), 0);
    EXPECT_EQ(random_seed, seed);
    const tsnapshot read = take_snapshot();
    EXPECT_EQ(read.tables, written.tables);
    EXPECT_EQ(read.level_files, written.level_files);
    EXPECT_EQ(read.history, before.history);

    ASSERT_TRUE(program.restart());
    load_through_menu();
    EXPECT_FALSE(quit_requested());
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(level.index, 1);
    ASSERT_NE(player, 0);
    EXPECT_EQ(beings[player].serial, walked.serial);
    EXPECT_EQ(beings[player].name.view(), "Morwen");
    EXPECT_EQ(beings[player].plan, made.sheet.race_plan);
    EXPECT_EQ(beings[player].x, walked.x);
    EXPECT_EQ(beings[player].y, walked.y);
    EXPECT_EQ(beings[player].talent_of(made.chosen_talent), walked.talent_of(made.chosen_talent));
    EXPECT_EQ(std::memcmp(beings[player].base_ability, walked.base_ability, sizeof walked.base_ability), 0);
    EXPECT_TRUE(save_files_gone("Morwen"));
}

TEST_F(SaveGame, ASaveCutShortByAFullDiskLeavesTheEarlierSaveLoadable) {
    play();
    ASSERT_TRUE(save_game());
    const std::vector<uint8_t> earlier = file_bytes(path(save_extension));
    const std::vector<uint8_t> earlier_summary = file_bytes(path(summary_extension));
    clear_quit_request();
    game.game_clock += 1000;
    // Room for the level file written first, not for the save that holds it and more.
    const std::size_t level_file = file_bytes(level_file_path(1)).size();
    ASSERT_GT(earlier.size(), level_file);
    ::testing::internal::CaptureStderr();
    set_write_limit_for_tests((earlier.size() + level_file) / 2);
    save_through_menu();
    set_write_limit_for_tests(std::nullopt);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Could not write file"), std::string::npos);
    EXPECT_FALSE(quit_requested()) << "the game goes on when its save failed";
    EXPECT_EQ(file_bytes(path(save_extension)), earlier);
    EXPECT_EQ(file_bytes(path(summary_extension)), earlier_summary);
    EXPECT_TRUE(fs::directory_iterator(program.folder / "Save") != fs::directory_iterator());
    for (const auto& entry : fs::directory_iterator(program.folder / "Save"))
        EXPECT_NE(entry.path().extension(), ".new") << entry.path();

    ASSERT_TRUE(program.restart());
    ASSERT_EQ(save_names, std::vector<std::string>{"Ulla"});
    load_through_menu();
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_FALSE(quit_requested());
}

// The program killed before each rename of a save (a child process that ends at the n-th): at the
// next start the earlier save or the new one is listed and loads, never neither, and nothing is
// left under a temporary name.
TEST_F(SaveGame, ASaveKilledBeforeAnyOfItsRenamesLeavesTheEarlierOrTheNewSaveLoadable) {
    constexpr int finished = 0, killed = 3;
    int stop_at = 1;
    std::set<uint32_t> seen;
    for (; stop_at < 40; ++stop_at) {
        SCOPED_TRACE("stopped before rename " + std::to_string(stop_at));
        play();
        ASSERT_TRUE(save_game());
        clear_quit_request();
        const uint32_t earlier_clock = game.game_clock;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int renames = 0;
            set_rename_hook_for_tests([&] {
                if (++renames == stop_at) ::_exit(killed);
            });
            game.game_clock += 1000;
            ::_exit(save_game() ? finished : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_TRUE(WEXITSTATUS(status) == killed || WEXITSTATUS(status) == finished);

        ASSERT_TRUE(program.restart());
        for (const auto& entry : fs::directory_iterator(program.folder / "Save")) {
            EXPECT_NE(entry.path().extension(), ".new") << entry.path();
            EXPECT_NE(entry.path().extension(), ".part") << entry.path();
        }
        ASSERT_EQ(save_names, std::vector<std::string>{"Ulla"});
        const uint32_t saved_clock = records_in_save_file(file_bytes(path(save_extension))).record.game_clock;
        EXPECT_TRUE(saved_clock == earlier_clock || saved_clock == earlier_clock + 1000) << saved_clock;
        seen.insert(saved_clock - earlier_clock);
        load_through_menu();
        EXPECT_EQ(game_mode, mode_main);
        EXPECT_FALSE(quit_requested());
        ASSERT_NE(player, 0);
        EXPECT_EQ(beings[player].name.view(), "Ulla");
        EXPECT_TRUE(save_files_gone("Ulla"));
        if (WEXITSTATUS(status) == finished) break;
    }
    EXPECT_GE(stop_at, 7) << "the level file, three files and three renames into place";
    EXPECT_EQ(seen, (std::set<uint32_t>{0, 1000})) << "both the earlier and the new save were met";
}

// One save and the same keys give the same game whatever the process did before: loaded in a
// fresh program, and in one that first played another game and went back to the main menu.
TEST_F(SaveGame, OneSavePlaysTheSameInAProcessThatPlayedAnotherGameFirst) {
    ASSERT_TRUE(program.start());
    create_through_keys(program, "");
    ASSERT_EQ(game_mode, mode_main);
    save_through_menu();
    ASSERT_TRUE(quit_requested());
    const fs::path kept = program.folder / "kept";
    fs::create_directories(kept);
    for (const char* extension : {save_extension, summary_extension, save_history_extension}) {
        const fs::path from = path(extension, "Morwen");
        fs::copy_file(from, kept / from.filename());
        fs::last_write_time(kept / from.filename(), fs::last_write_time(from));
    }
    auto put_back = [&] {
        for (const auto& entry : fs::directory_iterator(kept)) {
            const fs::path to = program.folder / "Save" / entry.path().filename();
            fs::copy_file(entry.path(), to, fs::copy_options::overwrite_existing);
            fs::last_write_time(to, fs::last_write_time(entry.path()));
        }
    };
    // Loaded, then a walk, a rest and the stairs down: what the world drew and did.
    auto play_saved = [&] {
        load_through_menu();
        EXPECT_EQ(game_mode, mode_main);
        for (int d : {MOVE_E, MOVE_E, MOVE_S, MOVE_W, MOVE_N, MOVE_N, REST})
            press_command(d);
        // A new level made: its items are where the memory of earlier picks shows.
        EXPECT_TRUE(testing::take_portal_to(program, 2));
        std::vector<std::string> result = message_log;
        for (int i = 1; i <= level.highest_item; ++i)
            result.push_back(std::to_string(level_items[i].plan) + ":" +
                             std::to_string(level_items[i].image));
        for (int i = 1; i <= level.highest_being; ++i)
            result.push_back(std::to_string(beings[i].plan) + "/" + std::to_string(beings[i].image));
        result.push_back(std::to_string(random_seed) + " " + std::to_string(game.game_clock) + " " +
                         std::to_string(beings[player].x) + "," + std::to_string(beings[player].y));
        return result;
    };

    ASSERT_TRUE(program.restart());
    const std::vector<std::string> fresh = play_saved();

    put_back();
    ASSERT_TRUE(program.restart());
    create_through_keys(program, "");
    ASSERT_EQ(game_mode, mode_main);
    for (int d : {MOVE_S, MOVE_S, MOVE_E, MOVE_W, MOVE_N, REST})
        press_command(d);
    press_command(GAME_MENU);
    for (int i = 0; i < 20 && selected_text() != "RETURN TO MAIN MENU"; ++i)
        program.press(key_down);
    ASSERT_EQ(selected_text(), "RETURN TO MAIN MENU");
    program.press(key_enter);
    program.press(key_right); // "Yes" to leaving the run
    program.press(key_enter);
    ASSERT_EQ(menu.id, menu_main);
    EXPECT_EQ(play_saved(), fresh);

    // The memory of recent picks that a game leaves when the next is loaded without the main
    // menu's new cycle (as the benchmarks and bots load): the loaded game still plays the same.
    put_back();
    ASSERT_TRUE(program.restart());
    for (titem_plan& p : item_plans)
        p.last_image = 1;
    for (tbeing_plan& p : being_plans) {
        p.last_variant = 1;
        p.used_variants[0] = 1;
    }
    std::fill(std::begin(splash_last_image), std::end(splash_last_image), 1);
    EXPECT_EQ(play_saved(), fresh);
}

// A FIFO or a link where a save writes its temporary file: the save through the menu fails with
// its message at once, the game goes on, nothing is written through the link and the earlier save
// stays.
TEST_F(SaveGame, AFifoOrALinkAtATemporaryNameFailsTheSaveAtOnce) {
    play();
    ASSERT_TRUE(save_game());
    clear_quit_request();
    const std::vector<uint8_t> earlier = file_bytes(path(save_extension));
    const std::string outside = (program.folder / "outside").string();
    put_file(outside, {'o', 'k'});
    const std::string save_part = path(save_extension) + ".new.part";
    const std::string summary_part = path(summary_extension) + ".new.part";
    const struct {
        const char* what;
        std::function<void()> make;
    } cases[] = {
        {"a FIFO for the save", [&] { ASSERT_EQ(::mkfifo(save_part.c_str(), 0644), 0); }},
        {"a link for the summary", [&] { ASSERT_EQ(::symlink(outside.c_str(), summary_part.c_str()), 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.make();
        game.game_clock += 1000;
        ::testing::internal::CaptureStderr();
        const auto start = std::chrono::steady_clock::now();
        save_through_menu();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_NE(::testing::internal::GetCapturedStderr().find("Could not write file"), std::string::npos);
        EXPECT_FALSE(quit_requested()) << "the game goes on when its save failed";
        EXPECT_EQ(file_bytes(path(save_extension)), earlier);
        EXPECT_EQ(file_bytes(outside), (std::vector<uint8_t>{'o', 'k'}));
        fs::remove(save_part);
        fs::remove(summary_part);
        // Back to the game from the menu that stayed open.
        for (int i = 0; i < 20 && selected_text() != "RESUME"; ++i)
            program.press(key_up);
        ASSERT_EQ(selected_text(), "RESUME");
        program.press(key_enter);
        ASSERT_EQ(game_mode, mode_main);
    }
}

TEST_F(SaveGame, ADamagedSaveIsRefusedWithTheCorruptFileMessageDeletedAndNothingHalfLoaded) {
    play();
    ASSERT_TRUE(save_game());
    const std::vector<uint8_t> good = file_bytes(path(save_extension));
    const std::vector<uint8_t> summary = file_bytes(path(summary_extension));
    const std::vector<uint8_t> level_file = file_bytes(level_file_path(1));
    uint32_t trailer = 0;
    std::memcpy(&trailer, good.data() + good.size() - 4, 4);
    const std::size_t main_length = std::size_t(checksum_mask(1, trailer) & 0xFFFFFFFFu);

    auto flipped = [&](std::size_t at) {
        std::vector<uint8_t> b = good;
        b[at] ^= 0x5A;
        return b;
    };
    auto with_trailer = [&](uint32_t length) {
        std::vector<uint8_t> b = good;
        const auto masked = uint32_t(checksum_mask(1, length));
        std::memcpy(b.data() + b.size() - 4, &masked, 4);
        return b;
    };
    // The main part re-encoded whole, so only its content is wrong.
    auto with_record = [&](auto change) {
        tbyte_stream main(std::vector<uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(main_length)));
        decode_stream(main);
        std::vector<uint8_t> plain = main.take();
        change(plain);
        tbyte_stream again(plain);
        again.seek(plain.size());
        encode_stream(again);
        std::vector<uint8_t> b = again.take();
        const uint32_t length = uint32_t(b.size());
        b.insert(b.end(), good.begin() + std::ptrdiff_t(main_length), good.end() - 4);
        const auto masked = uint32_t(checksum_mask(1, length));
        const auto* m = reinterpret_cast<const uint8_t*>(&masked);
        b.insert(b.end(), m, m + 4);
        return b;
    };
    std::vector<uint8_t> garbage(good.size());
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = uint8_t(i * 131 + 7);

    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"three bytes", {1, 2, 3}},
        {"cut after the envelope's start", std::vector<uint8_t>(good.begin(), good.begin() + 40)},
        {"cut in the main part",
         std::vector<uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(main_length / 2))},
        {"cut in the level files", std::vector<uint8_t>(good.begin(), good.end() - 100)},
        {"last byte missing", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"a byte flipped in the main part", flipped(main_length / 2)},
        {"a byte flipped in a level file", flipped(main_length + 40)},
        {"a byte flipped in the length", flipped(good.size() - 2)},
        {"garbage of the right size", garbage},
        {"the summary's bytes", summary},
        {"a level file's bytes", level_file},
        {"a length beyond the file", with_trailer(0xFFFFFFF0u)},
        {"a length below the envelope", with_trailer(12)},
        {"a length one short", with_trailer(uint32_t(main_length - 1))},
        {"another level count",
         with_record([](std::vector<uint8_t>& p) { p[8 + offsetof(tgame, level_count)] ^= 1; })},
        {"another size signature", with_record([](std::vector<uint8_t>& p) { p[8] ^= 1; })},
        {"another release", with_record([](std::vector<uint8_t>& p) { p[0] = 16; })},
        {"an absurd traveller count", with_record([](std::vector<uint8_t>& p) {
             std::memset(&p[8 + offsetof(tgame, transfer_count)], 0xFF, 2);
         })},
        {"an absurd item count", with_record([](std::vector<uint8_t>& p) {
             const std::size_t being = p.size() - sizeof(tbeing) - 2 * sizeof(titem);
             std::memset(&p[being + offsetof(tbeing, highest_item)], 0xFF, 2);
         })},
        {"an absurd level file size", with_record([](std::vector<uint8_t>& p) {
             const std::size_t state = 8 + sizeof(tgame);
             std::memset(&p[state + 60], 0x7F, 4);
         })},
        // Sums right, counts wrong: level 1's row (first in the tables' state) reads its file
        // with one item more, or with no beings (the character gone).
        {"a level's item count one more",
         with_record([](std::vector<uint8_t>& p) { ++p[8 + sizeof(tgame) + 48]; })},
        {"a level without its beings",
         with_record([](std::vector<uint8_t>& p) { std::memset(&p[8 + sizeof(tgame) + 46], 0, 2); })},
        {"no level to go on on", with_record([](std::vector<uint8_t>& p) {
             std::memset(&p[8 + offsetof(tgame, target_level)], 0, 2);
         })},
        {"the character on no level saved", with_record([](std::vector<uint8_t>& p) {
             const uint16_t third = 3;
             std::memcpy(&p[8 + offsetof(tgame, target_level)], &third, 2);
         })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        put_file(path(save_extension), c.bytes);
        put_file(path(summary_extension), summary);
        put_file(path(save_history_extension), {'x', '\r', '\n'});
        clear_quit_request();
        tgame before = game;
        const std::vector<uint8_t> tables_before = take_snapshot().tables;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(load_game("Ulla"));
        const std::string shown = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(shown.find("is corrupted or not compatible"), std::string::npos) << shown;
        EXPECT_TRUE(quit_requested());
        EXPECT_TRUE(save_files_gone("Ulla"));
        // The call trace inside the game record is the only part loading writes.
        tgame after = game;
        std::memset(after.call_trace, 0, sizeof after.call_trace);
        std::memset(before.call_trace, 0, sizeof before.call_trace);
        EXPECT_EQ(std::memcmp(&after, &before, sizeof before), 0) << "the running game is untouched";
        EXPECT_EQ(take_snapshot().tables, tables_before);
    }
}

TEST_F(SaveGame, TwoThousandMutatedSavesAreJudgedWithoutACrash) {
    play();
    ASSERT_TRUE(save_game());
    const std::vector<uint8_t> good = file_bytes(path(save_extension));
    ASSERT_TRUE(save_bytes_sound(good));
    uint32_t seed = 99;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    int refused = 0;
    for (int run = 0; run < 2000; ++run) {
        std::vector<uint8_t> bytes = good;
        switch (next() % 4) {
        case 0: // a few bytes changed anywhere
            for (uint32_t n = 1 + next() % 8; n > 0; --n)
                bytes[next() % bytes.size()] = uint8_t(next() >> 24);
            break;
        case 1: // cut short
            bytes.resize(next() % bytes.size());
            break;
        case 2: // a run of bytes inserted
            bytes.insert(bytes.begin() + std::ptrdiff_t(next() % bytes.size()), 1 + next() % 64,
                         uint8_t(next()));
            break;
        default: // another length in the trailer
            bytes[bytes.size() - 1 - next() % 4] = uint8_t(next() >> 24);
            break;
        }
        refused += save_bytes_sound(bytes) ? 0 : 1;
    }
    EXPECT_GT(refused, 1900);
}

TEST_F(SaveGame, TheSaveListKeepsOnlySavesWhoseSummaryMatchesTheirSave) {
    play();
    ASSERT_TRUE(save_game());
    const fs::path save = program.folder / "Save";
    // A second save under another name, made later: it comes first.
    fs::copy_file(save / "Ulla.dsg", save / "Bram.dsg");
    fs::copy_file(save / "Ulla.dsi", save / "Bram.dsi");
    fs::copy_file(save / "Ulla.dsr", save / "Bram.dsr");
    // A save touched after it was written, and one with its summary gone.
    const std::string name_touched = "Ulla";
    fs::last_write_time(save / "Ulla.dsg", fs::last_write_time(save / "Ulla.dsg") + std::chrono::seconds(5));
    ::testing::internal::CaptureStderr();
    build_save_list();
    ::testing::internal::GetCapturedStderr();
    // Bram's summary names Ulla: renamed saves are deleted; Ulla's date no longer matches.
    EXPECT_TRUE(save_names.empty());
    EXPECT_TRUE(save_files_gone("Bram"));
    EXPECT_TRUE(save_files_gone(name_touched));
    EXPECT_EQ(past_characters.size(), 1u);

    // A good save and a save without a summary; a file with the extension in capitals is no save.
    clear_quit_request();
    program.restart();
    play();
    ASSERT_TRUE(save_game());
    fs::copy_file(save / "Ulla.dsg", save / "Gone.dsg");
    fs::copy_file(save / "Ulla.dsg", save / "Caps.DSG");
    build_save_list();
    EXPECT_EQ(save_names, std::vector<std::string>{"Ulla"});
    EXPECT_FALSE(fs::exists(save / "Gone.dsg"));
    EXPECT_TRUE(fs::exists(save / "Caps.DSG"));
    EXPECT_EQ(past_characters.size(), 2u);
}

TEST_F(SaveGame, NamesNeverLeadOutOfTheSaveFolder) {
    play("../../evil/Ulla");
    ASSERT_TRUE(save_game());
    EXPECT_TRUE(file_exists(save_file_path("______evil_Ulla", save_extension)));
    EXPECT_FALSE(fs::exists(program.folder / "evil"));
    build_save_list();
    EXPECT_EQ(save_names, std::vector<std::string>{"______evil_Ulla"});
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(load_game("../Ulla"));
    ::testing::internal::GetCapturedStderr();
}

TEST_F(SaveGame, ADeathEndsInTheObituaryTheHistoryAndACountedDeath) {
    play();
    settings.create_obituary = 1;
    game.seconds_played = 5400;
    const uint16_t deaths = statistics.deaths;
    tdamage blow{};
    blow.of(1) = 500;
    blow.total = 500;
    tdamage result{};
    // A trap's blow as the trap handler deals it: the damage, then the death.
    damage_being(player, 0, blow, result, 1, cause_trap);
    ASSERT_EQ(result.killed, 1);
    kill_being(player, result, 1);
    ASSERT_EQ(state.died, 1);
    run_to_the_main_menu();
    std::string own_name;
    for (const auto& entry : fs::directory_iterator(program.folder / "Obituary"))
        if (entry.path().filename() != "Last character.txt") own_name = entry.path().filename().string();
    EXPECT_NE(own_name.find("_dl01_xl00_Ulla.txt"), std::string::npos) << own_name;
    const std::string last =
        read_text_file((program.folder / "Obituary" / "Last character.txt").string()).value_or("");
    const std::string own = read_text_file((program.folder / "Obituary" / own_name).string()).value_or("");
    EXPECT_EQ(last, own);
    EXPECT_EQ(last.rfind("DRAVOK obituary (release 15)\r\n\r\n\r\nULLA\r\n", 0), 0u) << last;
    for (const char* part : {"Killed by a trap.", "Health       10", "ABILITIES (base / current / modifier)",
                             "Body         10    10", "SKILLS (base / current)", "RESISTANCES", "EQUIPMENT",
                             "MAPS EXPLORED / HIDDEN AREAS DISCOVERED", "Total ", "HISTORY",
                             "   90 minutes    dl  1     xl  0    hp 000/010    Killed by a trap."})
        EXPECT_NE(last.find(part), std::string::npos) << part;
    // No talents, devices or kills: not even their headings.
    for (const char* part : {"TALENTS", "DEVICE USES", "CREATURES DEFEATED", "INVENTORY"})
        EXPECT_EQ(last.find(part), std::string::npos) << part;
    EXPECT_EQ(statistics.deaths, deaths + 1);

    // The next start reads the counted death and the time back.
    ASSERT_TRUE(program.restart());
    EXPECT_EQ(statistics.deaths, deaths + 1);
    EXPECT_GE(statistics.seconds_played, 5400u);
    EXPECT_EQ(hours_text(5400), "1.5");
    EXPECT_EQ(hours_text(0), "0.0");
}

TEST_F(SaveGame, AStatisticsFileOfAnotherShapeIsDeleted) {
    ASSERT_TRUE(program.start());
    const std::string path = (program.folder / "Data" / "Dravok.dst").string();
    statistics = tstatistics{};
    statistics.wins = 3;
    save_statistics();
    EXPECT_EQ(file_bytes(path).size(), 24u);
    statistics = tstatistics{};
    load_statistics();
    EXPECT_EQ(statistics.wins, 3);
    std::vector<uint8_t> good = file_bytes(path);
    std::vector<uint8_t> longer = good;
    longer[4] = 20; // a record of 20 bytes
    longer.resize(28);
    std::vector<uint8_t> release = good;
    release[2] = 1; // 0x1000F is not release 15
    for (const std::vector<uint8_t>& bad :
         {std::vector<uint8_t>{}, std::vector<uint8_t>(good.begin(), good.end() - 1), longer, release}) {
        put_file(path, bad);
        statistics.wins = 9;
        load_statistics();
        EXPECT_EQ(statistics.wins, 9) << "the record keeps its values";
        EXPECT_FALSE(file_exists(path));
    }
}

TEST_F(SaveGame, TheScreenshotAndMapKeysWritePicturesOfTheWindowAndTheMap) {
    play();
    program.screenshot("before_screenshot_key");
    press_command(SCREENSHOT);
    std::vector<fs::path> pictures;
    for (const auto& entry : fs::directory_iterator(program.folder / "Screenshot"))
        pictures.push_back(entry.path());
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].extension(), ".png");
    Bitmap picture;
    ASSERT_TRUE(read_png(pictures[0].string(), picture));
    const Bitmap* screen = services.screen_picture();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(picture.width(), screen->width());
    EXPECT_EQ(picture.height(), screen->height());
    const std::string said = "Screenshot saved to";
    EXPECT_TRUE(std::any_of(message_log.begin(), message_log.end(),
                            [&](const std::string& line) { return line.find(said) != std::string::npos; }));

    // The map key, a second later: the explored cells of the level on a 1152-pixel grid.
    int x = 0, y = 0;
    ASSERT_TRUE(free_cell(x, y));
    cell_at(x, y).explored = 1;
    cell_at(x, y).area = 1;
    program.clock.advance(1000);
    press_command(MAPSHOT);
    fs::path map_picture;
    for (const auto& entry : fs::directory_iterator(program.folder / "Screenshot"))
        if (entry.path() != pictures[0]) map_picture = entry.path();
    Bitmap map;
    ASSERT_TRUE(read_png(map_picture.string(), map));
    EXPECT_EQ(map.width(), 1152);
    EXPECT_EQ(map.height(), 1152);
    // The cells are stretched over the whole side; the grid lines keep whole steps.
    const auto centre = [&](int cell) { return int((cell - 0.5) * 1152 / map_size); };
    // The grid lines drift across the cells when the map side does not divide 1152, so the
    // cell is looked at over its whole stretch.
    bool lit = false;
    for (int px = (x - 1) * 1152 / map_size; px < x * 1152 / map_size; ++px)
        for (int py = (y - 1) * 1152 / map_size; py < y * 1152 / map_size; ++py)
            lit = lit || map.pixel(px, py) != colours::black;
    EXPECT_TRUE(lit);
    EXPECT_EQ(map.pixel(centre(1), centre(1)), colours::black) << "a wall never seen";
}

TEST_F(SaveGame, AscendingToDemigodhoodStoresThePlayerAndItsCompanionsForTheNextGame) {
    play();
    int x = 0, y = 0;
    ASSERT_TRUE(free_cell(x, y));
    tbeing friend_record = character("Bram");
    friend_record.type_flags[tf_player] = 0;
    friend_record.commanded = 0;
    friend_record.type_flags[tf_companion] = 1;
    friend_record.type_flags[tf_humanoid] = 1;
    friend_record.type_flags[tf_unique] = 1;
    ASSERT_NE(add_being_to_level(x, y, friend_record, 1, 0), 0);
    const tstatistics before = statistics;
    // The ascension answer of the dialogue.
    beings[player].type_flags[tf_demigod] = 1;
    add_demigod(player);
    ascend_companions(1);
    ascend_player();
    EXPECT_EQ(state.won, 1);
    run_to_the_main_menu();
    EXPECT_EQ(statistics.demigod_ascensions, before.demigod_ascensions + 1);
    EXPECT_EQ(statistics.wins, before.wins + 1);
    const std::string obituary = obituary_named("Demigod_");
    EXPECT_NE(obituary.find("Became a demigod!"), std::string::npos);
    EXPECT_NE(obituary.find("Ascended to demigodhood!"), std::string::npos);

    // The next game reads the two demigods, the player first.
    ASSERT_TRUE(program.restart());
    ASSERT_EQ(demigods.size(), 3u);
    EXPECT_TRUE(renamed_from(demigods[1].name.view(), "Ulla")) << demigods[1].name.view();
    EXPECT_EQ(demigods[1].type_flags[tf_former_player], 1);
    EXPECT_EQ(demigods[1].type_flags[tf_player], 0);
    EXPECT_EQ(demigods[1].demigod, 1);
    EXPECT_TRUE(renamed_from(demigods[2].name.view(), "Bram")) << demigods[2].name.view();
    EXPECT_EQ(demigods[2].type_flags[tf_former_companion], 1);
    EXPECT_EQ(demigods[2].type_flags[tf_unique], 0);
    EXPECT_EQ(demigods[2].type_flags[tf_demigod], 1);
    EXPECT_EQ(statistics.demigod_ascensions, before.demigod_ascensions + 1);
}

TEST_F(SaveGame, AscendingToGodhoodTakesTheGodsPlaceInTheNextGamesPantheon) {
    play();
    constexpr int god = 7;
    const int slot = find_avatar_slot(god);
    ASSERT_NE(slot, 0) << "the fresh pantheon holds every god";
    beings[player].type_flags[tf_god] = 1;
    beings[player].type_flags[tf_avatar] = 1;
    beings[player].avatar_slot = god;
    const tstatistics before = statistics;
    replace_avatar_with_being(god, player);
    ascend_player();
    run_to_the_main_menu();
    EXPECT_EQ(statistics.god_ascensions, before.god_ascensions + 1);
    EXPECT_NE(obituary_named("God_").find("Became a god!"), std::string::npos);

    ASSERT_TRUE(program.restart());
    EXPECT_EQ(find_avatar_slot(god), slot);
    EXPECT_TRUE(renamed_from(avatars[slot].name.view(), "Ulla")) << avatars[slot].name.view();
    EXPECT_EQ(avatars[slot].title.view(), avatars[slot].name.view());
    EXPECT_EQ(avatars[slot].type_flags[tf_former_player], 1);
    EXPECT_EQ(avatars[slot].commanded, 0);
}

// The cosmic essence used from the backpack of a character made through the creation menus: the
// pantheon file goes at once and stays gone, the game ends as the Overgod's, the obituary and the
// statistics keep it, and the next game from the main menu makes a new pantheon.
TEST_F(SaveGame, BecomingTheOvergodIsTheUltimateEnding) {
    ASSERT_TRUE(program.start());
    create_through_keys(program, "");
    ASSERT_EQ(game_mode, mode_main);
    const std::string pantheon = (program.folder / "Save" / "Avatars.dav").string();
    ASSERT_TRUE(file_exists(pantheon));
    const int cosmic = find_item_plan_by_name("it_essence_cosmic");
    const int essence = add_item_to_being(player, blank_item, cosmic, 1, one_dice);
    ASSERT_NE(essence, 0);
    const tstatistics before = statistics;
    press_command(INVENTORY);
    ASSERT_EQ(game_mode, mode_inventory);
    const tlister_pane& pane = lister.panes[size_t(lister.current)];
    int row = 0;
    for (int r = 1; r <= pane.row_count() && row == 0; ++r)
        if (!pane.rows[size_t(r)].is_header() && pane.rows[size_t(r)].item == essence) row = r;
    ASSERT_NE(row, 0);
    for (int i = 0; i < 60 && lister_cursor_row(lister.current) != row; ++i)
        program.press(key_down);
    program.press(key_enter);
    EXPECT_TRUE(program.logged("You have become the Overgod!"));
    EXPECT_EQ(state.won, 1);
    EXPECT_EQ(game_mode, mode_spectator);
    EXPECT_FALSE(file_exists(pantheon)) << "the gods of this world are gone";
    EXPECT_EQ(get_amount_of_items(player_character, cosmic, 0, 1), 1) << "the essence stays";

    for (int tick = 0; tick < 200 && game_mode == mode_spectator; ++tick) {
        program.clock.advance(1000);
        run_due_timers();
    }
    ASSERT_NE(game_mode, mode_spectator) << "the spectator's phase ends";
    EXPECT_FALSE(file_exists(pantheon)) << "nothing writes it again in this world";
    EXPECT_EQ(statistics.overgod_ascensions, before.overgod_ascensions + 1);
    const std::string obituary = obituary_named("Overgod_");
    EXPECT_NE(obituary.find("Became the Overgod! (the ultimate ending)"), std::string::npos);
    const std::size_t consumed = obituary.find("Consumed the cosmic essence.\r\n");
    EXPECT_NE(consumed, std::string::npos);
    EXPECT_GT(obituary.find("Became the Overgod!\r\n"), consumed) << "the history lines in their order";
    // "Go to main menu": the next game gets a new pantheon, and it is kept.
    ASSERT_EQ(game_mode, mode_dialog);
    program.press(key_right);
    program.press(key_enter);
    ASSERT_EQ(game_mode, mode_menu);
    EXPECT_TRUE(file_exists(pantheon)) << "a new world has its gods again";
    ASSERT_TRUE(program.restart());
    EXPECT_EQ(statistics.overgod_ascensions, before.overgod_ascensions + 1);
}

// The first start makes the pantheon: every god once, each in its kit, kept for the next start;
// a god's plan then makes a copy of the avatar holding its id, whatever slot that is.
TEST_F(SaveGame, AFreshPantheonHoldsEveryGodOnceInItsKit) {
    ASSERT_TRUE(program.start());
    EXPECT_TRUE(file_exists((program.folder / "Save" / "Avatars.dav").string()));
    std::set<int> ids;
    for (int slot = 1; slot <= avatar_slot_count; ++slot) {
        SCOPED_TRACE(slot);
        const tbeing& a = avatars[slot];
        ASSERT_TRUE(a.plan >= 1 && a.plan < being_plans.size());
        EXPECT_TRUE(has_type_flag(a, tf_god));
        EXPECT_EQ(a.avatar_slot, being_plans[a.plan].special);
        EXPECT_EQ(a.present, 1);
        EXPECT_EQ(a.serial, 0);
        EXPECT_EQ(a.name_known, 1);
        EXPECT_EQ(a.name.view(), a.title.view());
        ids.insert(a.avatar_slot);
        const auto kit = std::count_if(avatar_items[slot].begin(), avatar_items[slot].end(),
                                       [](const titem& i) { return i.plan != 0; });
        EXPECT_GE(kit, 1) << "its armour at least: the divine arms are fewer than the gods";
    }
    EXPECT_EQ(ids.size(), std::size_t(avatar_slot_count)) << "each god once";
    EXPECT_EQ(demigods.size(), 1u);

    // The pantheon placeholder lists the gods in slot order, then the demigods still alive.
    std::string listed;
    expand_text("%deities%", 0, 0, listed);
    std::string gods = "THE PANTHEON\\n\\n";
    for (int slot = 1; slot <= avatar_slot_count; ++slot)
        gods += avatars[slot].name.str() + "\\n";
    EXPECT_EQ(listed, gods) << "no demigods yet: no heading for them";
    tbeing alive = avatars[1], dead = avatars[2];
    alive.name = "Ulla the Bold";
    dead.name = "Orm the Late";
    dead.present = 0;
    demigods.push_back(dead);
    demigods.push_back(alive);
    expand_text("%deities%", 0, 0, listed);
    EXPECT_EQ(listed, gods + "\\nTHE DEMIGODS\\n\\nUlla the Bold\\n") << "the dead demigod is left out";
    demigods.resize(1);

    const auto made = avatars;
    ASSERT_TRUE(program.restart());
    for (int slot = 1; slot <= avatar_slot_count; ++slot) {
        EXPECT_EQ(std::memcmp(&avatars[slot], &made[slot], sizeof(tbeing)), 0) << slot;
        tbeing god;
        create_being(avatars[slot].plan, 1, god);
        EXPECT_EQ(god.avatar_slot, avatars[slot].avatar_slot) << slot;
        EXPECT_EQ(god.name.view(), avatars[slot].name.view()) << slot;
        EXPECT_GT(god.serial, 0) << "a serial of this game";
    }
}

// A game's character made a demigod; the next game, started through the creation menus, takes
// the stairs down to the third level and its gate to the hub: the demigod waits there with a
// serial of this game, warms to the player and greets in turn, and the sheet is the hub's.
TEST_F(SaveGame, ADemigodOfAnEarlierGameWaitsAtTheHubAndGreets) {
    play();
    // A companion of a kind that greets and chatters ascends with the character.
    int kind = 0;
    for (int p = 1; p < int(being_plans.size()) && kind == 0; ++p)
        if (being_plans[p].type_flags[tf_humanoid] && being_plans[p].chatter_switch_of(1) &&
            being_plans[p].chatter_switch_of(50))
            kind = p;
    ASSERT_NE(kind, 0);
    int x = 0, y = 0;
    ASSERT_TRUE(free_cell(x, y));
    const int companion = add_being_to_level(x, y, blank_being, 1, kind);
    ASSERT_NE(companion, 0);
    beings[companion].type_flags[tf_companion] = 1;
    beings[player].type_flags[tf_demigod] = 1;
    add_demigod(player);
    ascend_companions(1);
    ASSERT_EQ(demigods.size(), 3u);

    ASSERT_TRUE(program.restart());
    ASSERT_EQ(demigods.size(), 3u);
    const std::string former_player = demigods[1].name.str(), former_companion = demigods[2].name.str();
    create_through_keys(program, "");
    ASSERT_EQ(game_mode, mode_main);
    for (int to : {2, 3, hub_level}) {
        take_portal_to(to);
        ASSERT_EQ(level.index, to) << testing_levels_last_error();
    }
    ASSERT_NE(level.hub, 0);
    program.screenshot("hub_arrival");
    const uint32_t clock = game.game_clock;
    for (int stored = 1; stored <= 2; ++stored) {
        SCOPED_TRACE(stored);
        int demigod = 0;
        for (int i = 1; i < int(beings.size()); ++i)
            if (beings[i].present != 0 && beings[i].demigod == stored) demigod = i;
        ASSERT_NE(demigod, 0) << "the demigod waits at the hub";
        tbeing& d = beings[demigod];
        EXPECT_EQ(d.name.view(), stored == 1 ? former_player : former_companion);
        int same_serial = 0;
        for (const tbeing& b : beings)
            same_serial += b.serial == d.serial ? 1 : 0;
        EXPECT_EQ(same_serial, 1) << "a serial of this game, no other being's";
        // Demigods keep no presets: the warmth is all there is.
        EXPECT_EQ(get_emotion(demigod, player, false), 50);
        if (stored == 1) continue; // a being of no plan says nothing
        const uint32_t greeting = d.chatter_time_of(1);
        EXPECT_GE(greeting, clock + 75);
        EXPECT_LE(greeting, clock + 2 * (75 + 9 * 15)) << "the second to greet at the latest";
    }
    EXPECT_EQ(game_character.dungeon_level, hub_level) << "the sheet as the character stands at the hub";
    EXPECT_EQ(game_character.level, beings[player].level);
    EXPECT_EQ(game_character.name.view(), "Morwen");
}

TEST_F(SaveGame, ADamagedPantheonIsDeletedAndNotRead) {
    ASSERT_TRUE(program.start());
    state.pantheon_disabled = 0;
    // A small pantheon of one god with two items and one dead demigod.
    for (int slot = 1; slot <= avatar_slot_count; ++slot) {
        avatars[slot] = tbeing{};
        avatar_items[slot].clear();
    }
    avatars[2].avatar_slot = 4;
    avatars[2].present = 1;
    avatar_items[2].assign(3, blank_item);
    avatar_items[2][2].serial = 77;
    demigods.resize(2);
    demigod_items.resize(2);
    demigods[1].present = 0; // died in a later game: no items
    save_avatars();
    const std::string path = (program.folder / "Save" / "Avatars.dav").string();
    const std::vector<uint8_t> good = file_bytes(path);
    ASSERT_TRUE(load_avatars());
    EXPECT_EQ(avatar_items[2].size(), 3u);
    EXPECT_EQ(avatar_items[2][2].serial, 77);
    EXPECT_EQ(demigods.size(), 2u);
    // The plain payload rewritten whole, so its sums hold and only its content is wrong.
    auto with_plain = [&](auto change) {
        tbyte_stream s(good);
        decode_stream(s);
        std::vector<uint8_t> plain = s.take();
        change(plain);
        tbyte_stream again(plain);
        again.seek(plain.size());
        encode_stream(again);
        return again.take();
    };
    std::vector<uint8_t> flipped = good;
    flipped[good.size() / 2] ^= 0x21;
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"cut short", std::vector<uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(good.size() / 3))},
        {"a byte flipped", flipped},
        {"another record size", with_plain([](std::vector<uint8_t>& p) { p[8] ^= 1; })},
        {"an absurd item count", with_plain([](std::vector<uint8_t>& p) {
             std::memset(&p[14 + sizeof(tbeing) + offsetof(tbeing, highest_item)], 0xFF, 2);
         })},
        {"an absurd demigod count", with_plain([](std::vector<uint8_t>& p) {
             std::memset(&p[14 + 8 * sizeof(tbeing) + 2 * sizeof(titem)], 0xFF, 4);
         })},
        {"the end missing", with_plain([](std::vector<uint8_t>& p) { p.resize(p.size() - 1); })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        put_file(path, c.bytes);
        EXPECT_FALSE(load_avatars());
        EXPECT_FALSE(file_exists(path));
        EXPECT_EQ(find_avatar_slot(4), 0) << "nothing of it was kept";
        EXPECT_EQ(demigods.size(), 1u);
    }
}

} // namespace
} // namespace dravok
