// One bot game for the soak run: plays the seed's game to its end or the turn limit, prints one
// line (seed, turns, deepest level, ending) and the error log's entries, and exits 1 when the
// game hung or ended in a fatal error. While it plays, the turn count goes to the heartbeat file,
// so the soak script can tell a hang inside one key from a slow game. A start level past 1 begins
// the game there with a character of that depth's strength, from a save (see depth_start.h).
// Usage: dravok_soak SEED TURNS [HEARTBEAT-FILE] [START-LEVEL]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/message_box.h"
#include "support/bot_command_line.h"
#include "support/play_bot.h"

int main(int argc, char** argv) {
    if (dravok::is_message_box_request(argc, argv)) return dravok::run_message_box_request(argc, argv);
    dravok::testing::bot_options options;
    if (!dravok::testing::read_bot_command_line(
            argc, argv, "dravok_soak SEED TURNS [HEARTBEAT-FILE] [START-LEVEL]", options))
        return 2;
    options.trace = std::getenv("DRAVOK_BOT_TRACE") != nullptr;
    if (argc > 4) options.start_depth = std::stoi(argv[4]);
    const std::string heartbeat = argc > 3 ? argv[3] : "";
    if (!heartbeat.empty())
        options.on_progress = [&](int turns) { std::ofstream(heartbeat, std::ios::trunc) << turns << '\n'; };
    dravok::testing::bot_report report;
    {
        dravok::testing::started_game game("soak_" + std::to_string(options.seed));
        if (!game.ready()) {
            std::cerr << "the build has not made Data/ yet\n";
            return 2;
        }
        report = dravok::testing::play_bot_game(game, options);
    }
    std::cout << dravok::testing::report_line(report) << std::endl;
    for (const std::string& line : report.errors)
        std::cout << "  error log:" << line << std::endl;
    // A deeper start is a save made for that level: the game must have gone on from its load.
    if (options.start_depth > 1 && report.loads == 0) {
        std::cout << "  the save made for the start on level " << options.start_depth << " was not loaded"
                  << std::endl;
        return 1;
    }
    return report.failed() ? 1 : 0;
}
