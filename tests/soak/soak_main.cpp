// One bot game for the soak run: plays the seed's game to its end or the turn limit, prints one
// line (seed, turns, deepest level, ending) and the error log's entries, and exits 1 when the
// game hung or ended in a fatal error. While it plays, the turn count goes to the heartbeat file,
// so the soak script can tell a hang inside one key from a slow game.
// Usage: dravok_soak SEED TURNS [HEARTBEAT-FILE]
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
    if (!dravok::testing::read_bot_command_line(argc, argv, "dravok_soak SEED TURNS [HEARTBEAT-FILE]",
                                                options))
        return 2;
    options.trace = std::getenv("DRAVOK_BOT_TRACE") != nullptr;
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
    return report.failed() ? 1 : 0;
}
