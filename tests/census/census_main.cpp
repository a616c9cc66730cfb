// One bot game for the creature census: plays the seed's game to its end or the turn limit and
// counts, per dungeon level, the creatures that acted and how many of them woke from sleep,
// fled, used a talent, used an item, followed a leader, got a leader (recruited by the player or
// joining a master or a pack) and threw a melee weapon by its second, ranged mode. Each creature
// counts once per kind and level. Watches every creature turn through the services table, so the
// game itself is played unchanged. scripts/census.sh sums many games into one table.
// Usage: dravok_census SEED TURNS
// Prints one line per level: "level D acted N woke N fled N talent N item N followed N
// recruited N second_ranged N".
#include <array>
#include <cstdio>
#include <iostream>
#include <map>
#include <set>
#include <string>

#include "ai/attacking.h"
#include "ai/decision.h"
#include "platform/message_box.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "support/bot_command_line.h"
#include "support/play_bot.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/level_record.h"
#include "world/services.h"

namespace {

using namespace dravok;

enum census_kind { acted, woke, fled, talent, item, followed, recruited, second_ranged, kind_count };
constexpr std::array<const char*, kind_count> kind_names = {
    "acted", "woke", "fled", "talent", "item", "followed", "recruited", "second_ranged"};
constexpr int kind_talent = 16, kind_item = 15, kind_ranged = 12;

// Per level and kind, the serials of the creatures seen doing it.
std::map<int, std::array<std::set<int32_t>, kind_count>> census;
// Every creature's master as last seen, by serial: a new one is a recruitment.
std::map<int32_t, int32_t> masters;

void note(int kind, int32_t serial) {
    census[level.index][size_t(kind)].insert(serial);
}

void (*game_ai_act)(int, int) = nullptr;
void (*game_ai_wake_up)(int, int) = nullptr;

bool is_creature(int being) {
    return being >= 1 && being < int(beings.size()) && beings[size_t(being)].serial > 0 &&
           !has_type_flag(beings[size_t(being)], tf_player);
}

void watched_wake_up(int being, int depth) {
    const bool asleep = is_creature(being) && beings[size_t(being)].asleep_counter > 0;
    game_ai_wake_up(being, depth);
    if (asleep && beings[size_t(being)].asleep_counter == 0) note(woke, beings[size_t(being)].serial);
}

void watched_ai_act(int being, int depth) {
    if (!is_creature(being)) {
        game_ai_act(being, depth);
        return;
    }
    const tbeing& b = beings[size_t(being)];
    const int32_t serial = b.serial;
    const bool asleep = b.asleep_counter > 0;
    const bool second = throws_by_second_ranged_mode(being);
    game_ai_act(being, depth);
    if (being >= int(beings.size()) || beings[size_t(being)].serial != serial) return; // gone
    const tbeing& a = beings[size_t(being)];
    note(acted, serial);
    if (asleep && a.asleep_counter == 0) note(woke, serial);
    if (a.ai_plan == plan_flee || (a.ai_plan == plan_avoid && a.fled_from_serial != 0)) note(fled, serial);
    if (a.last_action_kind == kind_talent || a.ai_plan == plan_talent) note(talent, serial);
    if (a.last_action_kind == kind_item || a.ai_plan == plan_use_item) note(item, serial);
    if (a.ai_plan == plan_follow && a.master != 0) note(followed, serial);
    if (second && a.ai_plan == plan_ranged_attack && a.last_action_kind == kind_ranged)
        note(second_ranged, serial);
}

// The services are installed again whenever the program starts (the bot restarts it to load).
void watch() {
    if (services.ai_act != watched_ai_act) {
        game_ai_act = services.ai_act;
        services.ai_act = watched_ai_act;
    }
    if (services.ai_wake_up != watched_wake_up) {
        game_ai_wake_up = services.ai_wake_up;
        services.ai_wake_up = watched_wake_up;
    }
}

void scan_masters() {
    for (int i = 1; i < int(beings.size()); ++i) {
        if (!is_creature(i) || !beings[size_t(i)].present) continue;
        const tbeing& b = beings[size_t(i)];
        const auto known = masters.find(b.serial);
        if (known != masters.end() && known->second == 0 && b.master != 0) note(recruited, b.serial);
        masters[b.serial] = b.master;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (dravok::is_message_box_request(argc, argv)) return dravok::run_message_box_request(argc, argv);
    dravok::testing::bot_options options;
    if (!dravok::testing::read_bot_command_line(argc, argv, "dravok_census SEED TURNS", options)) return 2;
    options.on_progress = [](int) {
        watch();
        scan_masters();
    };
    dravok::testing::bot_report report;
    {
        dravok::testing::started_game game("census_" + std::to_string(options.seed));
        if (!game.ready()) {
            std::cerr << "the build has not made Data/ yet\n";
            return 2;
        }
        report = dravok::testing::play_bot_game(game, options);
    }
    std::cout << "game " << dravok::testing::report_line(report) << "\n";
    for (const auto& [depth, kinds] : census) {
        std::cout << "level " << depth;
        for (int k = 0; k < kind_count; ++k)
            std::cout << ' ' << kind_names[size_t(k)] << ' ' << kinds[size_t(k)].size();
        std::cout << "\n";
    }
    return report.failed() ? 1 : 0;
}
