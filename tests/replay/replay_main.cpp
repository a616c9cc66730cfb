// Recorded games: `record` plays a bot game and writes every input the game got (the seed, the
// timer ticks, the keys, the restarts after a save) with a fingerprint of the world every 50
// keys and at the end; `play` feeds those inputs through the window's key path again, with no
// bot, and fails at the first fingerprint that differs, naming the key and the round.
// Usage: dravok_replay record SEED TURNS FILE
//        dravok_replay play FILE
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
#include "world/globals.h"
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

int play(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << "cannot read " << path << "\n";
        return 2;
    }
    started_game game("replay");
    if (!game.ready()) {
        std::cerr << "the build has not made Data/ yet\n";
        return 2;
    }
    if (!game.start()) {
        std::cerr << path << ": the game did not reach the main menu\n";
        return 1;
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

} // namespace

int main(int argc, char** argv) {
    if (dravok::is_message_box_request(argc, argv)) return dravok::run_message_box_request(argc, argv);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("DRAVOK_HEADLESS", "1", 0);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "record" && argc == 5)
        return record(uint32_t(std::stoul(argv[2])), std::stoi(argv[3]), argv[4]);
    if (mode == "play" && argc == 3) return play(argv[2]);
    std::cerr << "usage: dravok_replay record SEED TURNS FILE\n       dravok_replay play FILE\n";
    return 2;
}
