// Recorded games: `record` plays a bot game and writes every input the game got (the seed, the
// timer ticks, the keys, the restarts after a save) with a fingerprint of the world every 50
// keys and at the end; `play` feeds those inputs through the window's key path again, with no
// bot, and fails at the first fingerprint that differs, naming the key and the round.
// `after` replays one game, returns to the main menu the player's way and lets the bot play a
// second record's seed from there: it must end in the world that record holds.
// Usage: dravok_replay record SEED TURNS FILE
//        dravok_replay play FILE
//        dravok_replay after FIRST-FILE SECOND-FILE   (the bot plays the second after the first)
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/timers.h"
#include "records/layout_game.h"
#include "rules/action_time.h"
#include "support/game_start.h"
#include "support/play_bot.h"
#include "support/world_print.h"
#include "ui/dialogs.h"
#include "ui/key_bindings.h"
#include "ui/key_entry.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/menu_model.h"
#include "world/random.h"

namespace {

using namespace dravok;
using namespace dravok::testing;

constexpr int keys_between_checks = 50;
constexpr int tick_ms = 30; // the bot's tick
constexpr int log_lines = 10;

std::string hex(uint64_t h) {
    char text[20];
    std::snprintf(text, sizeof text, "%016" PRIx64, h);
    return text;
}

// The parts of the print, for naming the part that differs.
std::string parts_now() {
    std::string text;
    for (const world_part& part : world_print_parts())
        text += std::string(text.empty() ? "" : ",") + part.name + "=" + hex(part.hash).substr(0, 8);
    return text;
}

std::string round_now() {
    return std::to_string(game.game_clock / round_time);
}

int record(uint32_t seed, int turns, const std::string& path) {
    std::vector<std::string> lines;
    int pending_ticks = 0, keys = 0;
    auto flush_ticks = [&] {
        if (pending_ticks > 0) lines.push_back("tick " + std::to_string(pending_ticks));
        pending_ticks = 0;
    };
    bot_options options;
    options.seed = seed;
    options.turn_limit = turns;
    options.on_event = [&](const std::string& event) {
        if (event == "tick") {
            ++pending_ticks;
            return;
        }
        flush_ticks();
        if (event.rfind("key ", 0) == 0 && ++keys % keys_between_checks == 0)
            lines.push_back("check " + hex(world_print()) + " key " + std::to_string(keys) + " round " +
                            round_now() + " " + parts_now());
        lines.push_back(event);
    };
    started_game game("record_" + std::to_string(seed));
    if (!game.ready()) {
        std::cerr << "the build has not made Data/ yet\n";
        return 2;
    }
    const bot_report report = play_bot_game(game, options);
    if (report.failed()) {
        std::cerr << "the bot's game failed: " << report_line(report) << "\n";
        return 1;
    }
    flush_ticks();
    std::ofstream out(path, std::ios::trunc);
    out << "# A recorded game, replayed by dravok_replay play; scripts/record_games.sh records it again.\n";
    out << "# " << report_line(report) << "\n";
    out << "limit " << turns << "\n";
    for (const std::string& line : lines)
        out << line << "\n";
    out << "final " << hex(world_print()) << " keys " << keys << " round " << round_now() << " "
        << parts_now() << "\n";
    for (const std::string& line : last_log_lines(log_lines))
        out << "log " << line << "\n";
    out.close();
    if (!out) {
        std::cerr << "cannot write " << path << "\n";
        return 1;
    }
    std::cout << path << ": " << report_line(report) << ", " << keys << " keys\n";
    return 0;
}

// Leaves a game in progress the player's way: Escape opens the game menu, whose RETURN TO MAIN
// MENU ends the game once its question is answered. A game that ended is at the main menu already.
bool return_to_main_menu(started_game& game) {
    auto selected = [] {
        const int r = selected_menu_row();
        return r >= 1 && r < int(menu_items.size()) ? menu_items[r].text : std::string();
    };
    for (int tries = 0; tries < 40; ++tries) {
        if (game_mode == mode_menu && menu.id == menu_main) return true;
        if (game_mode == mode_menu && menu.id == menu_game) {
            for (int row = 0; row < 20 && selected() != "RETURN TO MAIN MENU"; ++row)
                game.press(key_down);
            game.press(key_enter);
        } else if (game_mode == mode_dialog && dialog.kind == dialog_leave_game) {
            game.press(key_right); // "Yes": the game is left unsaved
            game.press(key_enter);
        } else {
            game.press(key_escape);
        }
        game.clock.advance(tick_ms);
        run_due_timers();
    }
    return false;
}

// Feeds one recorded game into a game at its main menu; 0 when every print matched.
int replay_into(started_game& game, const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << "cannot read " << path << "\n";
        return 2;
    }
    std::vector<std::string> expected_log;
    std::string line, final_line;
    int keys = 0, number = 0, last_good_key = 0;
    while (std::getline(in, line)) {
        ++number;
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word.empty() || word[0] == '#') continue;
        if (word == "seed") {
            words >> random_seed;
        } else if (word == "tick") {
            int count = 0;
            words >> count;
            for (int i = 0; i < count; ++i) {
                game.clock.advance(tick_ms);
                run_due_timers();
            }
        } else if (word == "wait") {
            int ms = 0;
            words >> ms;
            game.clock.advance(ms);
            run_due_timers();
        } else if (word == "key") {
            int key = 0, shift = 0, ctrl = 0, alt = 0;
            words >> key >> shift >> ctrl >> alt;
            ++keys;
            game.press(key, tshift_state{shift != 0, ctrl != 0, alt != 0});
        } else if (word == "restart") {
            if (!game.restart()) {
                std::cerr << path << ":" << number << ": the game did not start again\n";
                return 1;
            }
        } else if (word == "check" || word == "final") {
            std::string hash, key_word, key_count, round_word, round, parts;
            words >> hash >> key_word >> key_count >> round_word >> round >> parts;
            if (word == "final") final_line = line;
            if (hash != hex(world_print())) {
                std::cerr << path << ":" << number << ": the world first differs between key "
                          << last_good_key << " and key " << keys << " (checked at round " << round
                          << " when recorded, round " << round_now() << " now)\n";
                if (word == "final") std::cerr << "(only at the end)\n";
                if (!parts.empty())
                    std::cerr << "parts recorded " << parts << "\n      now      " << parts_now() << "\n";
                std::cerr << "log now:\n";
                for (const std::string& l : last_log_lines(log_lines))
                    std::cerr << "  " << l << "\n";
                return 1;
            }
            last_good_key = keys;
        } else if (word == "limit") {
            // The bot's turn limit, for playing the game anew after another one.
        } else if (word == "log") {
            expected_log.push_back(line.substr(4));
        } else {
            std::cerr << path << ":" << number << ": unknown line: " << line << "\n";
            return 2;
        }
    }
    if (final_line.empty()) {
        std::cerr << path << ": no final line\n";
        return 2;
    }
    if (expected_log != last_log_lines(log_lines)) {
        std::cerr << path << ": the log's last lines differ\n";
        return 1;
    }
    std::cout << path << ": " << keys << " keys replayed, the same world\n";
    return 0;
}

int play(const std::string& path) {
    started_game game("replay");
    if (!game.ready()) {
        std::cerr << "the build has not made Data/ yet\n";
        return 2;
    }
    if (!game.start()) {
        std::cerr << path << ": the game did not reach the main menu\n";
        return 1;
    }
    return replay_into(game, path);
}

// The bot's seed, turn limit and final print of a recorded game.
struct recorded_ending {
    uint32_t seed = 0;
    int limit = 0;
    std::string final_hash, final_parts;
    std::vector<std::string> log;
};

bool read_ending(const std::string& path, recorded_ending& out) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "seed") words >> out.seed;
        if (word == "limit") words >> out.limit;
        if (word == "final") {
            std::string keys_word, keys, round_word, round;
            words >> out.final_hash >> keys_word >> keys >> round_word >> round >> out.final_parts;
        }
        if (word == "log") out.log.push_back(line.substr(4));
    }
    return out.seed != 0 && out.limit != 0 && !out.final_hash.empty();
}

// One game after another in one program run: the first recorded game is replayed, the game
// returns to the main menu, and the bot plays the second seed's game from there. Its world at
// the end must be the one the second record holds, made in a fresh process: nothing of the first
// game may reach the second.
int play_after(const std::string& first, const std::string& second) {
    recorded_ending ending;
    if (!read_ending(second, ending)) {
        std::cerr << second << ": no seed, limit or final line\n";
        return 2;
    }
    started_game game("replay_after");
    if (!game.ready()) {
        std::cerr << "the build has not made Data/ yet\n";
        return 2;
    }
    const int64_t start_ms = game.clock.unix_ms();
    if (!game.start()) {
        std::cerr << "the game did not reach the main menu\n";
        return 1;
    }
    const int64_t menu_ms = game.clock.unix_ms() - start_ms;
    if (const int rc = replay_into(game, first); rc != 0) return rc;
    if (!return_to_main_menu(game)) {
        std::cerr << first << ": no way back to the main menu from mode " << game_mode << "\n";
        return 1;
    }
    // The wall clock goes back to where a fresh start has it at its main menu.
    game.clock.set_unix_ms(start_ms + menu_ms);
    bot_options options;
    options.seed = ending.seed;
    options.turn_limit = ending.limit;
    options.from_main_menu = true;
    const bot_report report = play_bot_game(game, options);
    if (hex(world_print()) != ending.final_hash || last_log_lines(log_lines) != ending.log) {
        std::cerr << second << ": played after " << first << ", the game ends in another world ("
                  << report_line(report) << ")\nparts recorded " << ending.final_parts << "\n      now      "
                  << parts_now() << "\nlog now:\n";
        for (const std::string& l : last_log_lines(log_lines))
            std::cerr << "  " << l << "\n";
        return 1;
    }
    std::cout << second << ": played after " << first << ", the same world as in a fresh process\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (dravok::is_message_box_request(argc, argv)) return dravok::run_message_box_request(argc, argv);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("DRAVOK_HEADLESS", "1", 0);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "record" && argc == 5)
        return record(uint32_t(std::stoul(argv[2])), std::stoi(argv[3]), argv[4]);
    if (mode == "after" && argc == 4) return play_after(argv[2], argv[3]);
    if (mode == "play" && argc == 3) return play(argv[2]);
    std::cerr << "usage: dravok_replay record SEED TURNS FILE\n       dravok_replay play FILE\n"
                 "       dravok_replay after FIRST-FILE SECOND-FILE\n";
    return 2;
}
