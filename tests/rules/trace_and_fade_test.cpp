// The error log's call trace and the message log's fading, both through the real key path: a
// report from deep inside a melee blow names every routine from the key press down, and the log
// lines that stood before a command lose their colours once the player has acted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/layout_being.h"
#include "rules/being_creation.h"
#include "support/content_turns.h"
#include "support/driver.h"
#include "support/process_state.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/item_creation.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/message_log.h"
#include "world/random.h"
#include "world/settings_record.h"
#include "world/sight_records.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

class TraceAndFade : public dravok::testing::content_turns_test {};

// The weapon in the being's active main hand; 0 when it holds none.
int wielded(int being) {
    return beings[being].equipment_of(beings[being].active_set);
}

// The trace lines of the newest entry (two blanks and the routine, " ->" between them).
std::vector<std::string> newest_trace() {
    std::vector<std::string> trace;
    bool in_entry = false;
    for (const std::string& line : error_log_lines) {
        if (line.find("Release ") != std::string::npos) {
            if (in_entry) break;
            in_entry = true;
            continue;
        }
        if (!in_entry) continue;
        if (line.empty()) {
            if (!trace.empty()) break;
            continue;
        }
        std::string name = line.substr(2);
        if (name.size() > 3 && name.compare(name.size() - 3, 3, " ->") == 0) name.resize(name.size() - 3);
        trace.push_back(name);
    }
    return trace;
}

TEST_F(TraceAndFade, AReportFromInsideAMeleeBlowNamesTheChainFromTheKeyPress) {
    turn_driver d;
    random_seed = 4242u;
    const int p = d.add_character(5, 5, "be_debug_player");
    const int rat = add_being_to_level(5, 4, blank_being, 1, find_being_plan_by_name("be_rat_giant"));
    ASSERT_GT(rat, 0);
    beings[rat].next_action_time = 100000;
    beings[rat].skill_of(2) = 0;
    beings[rat].ability_of(2) = 0; // helpless: every blow lands
    beings[rat].health = beings[rat].health_max = 10000;
    // The rat takes no harm from the blow, so only the hit effect runs below it.
    const int weapon = wielded(p);
    ASSERT_GT(weapon, 0) << "the character wields the weapon of its kit";
    titem& blade = being_items[p][weapon];
    blade.hit_effect.kind = 44; // calls a celestial: its template has no images here, a logged fault
    make_fixed_dice(1, blade.hit_effect.size_dice);
    make_fixed_dice(1, blade.hit_effect.duration_dice);
    sight_matrix[p][rat] = sight_matrix[rat][p] = 1;
    error_log_lines.clear();

    d.press(key_up);

    const std::vector<std::string> trace = newest_trace();
    ASSERT_FALSE(trace.empty()) << "an entry was written";
    const std::vector<std::string> head = {"UI_KeyEntry, form_key_down",
                                           "UI_KeyEntry, handle_commands",
                                           "UI_MainCommands, handle_main_commands",
                                           "Rules_Movement, move_step",
                                           "Rules_Movement, bump_actions",
                                           "Rules_Melee, melee_attack",
                                           "Rules_AttackCommon, run_attack_hit_effect"};
    ASSERT_GE(trace.size(), head.size() + 2);
    for (std::size_t i = 0; i < head.size(); ++i)
        EXPECT_EQ(trace[i], head[i]) << "entry " << i + 1;
    EXPECT_EQ(trace.back(), "World_Beings, create_being") << "the routine that reported";
    for (const std::string& name : trace)
        EXPECT_NE(name, "-") << "every routine of the chain carries a name";
}

TEST_F(TraceAndFade, TheSchedulerAndTheEndOfGameChainsHaveNames) {
    EXPECT_EQ(trace_name(trace_handle_rounds), "Rules_Scheduler, handle_rounds");
    EXPECT_EQ(trace_name(trace_player_killed_or_won), "Rules_Scheduler, player_killed_or_won");
    EXPECT_EQ(trace_name(trace_form_key_down), "UI_KeyEntry, form_key_down");
}

TEST_F(TraceAndFade, OldLinesFadeAfterThePlayerActsAndTheActionsOwnLinesKeepTheirColours) {
    turn_driver d;
    random_seed = 99u;
    const int p = d.add_character(5, 5, "be_debug_player");
    const int rat = add_being_to_level(5, 4, blank_being, 1, find_being_plan_by_name("be_rat_giant"));
    ASSERT_GT(rat, 0);
    beings[rat].next_action_time = 100000;
    beings[rat].health = beings[rat].health_max = 10000;
    ASSERT_GT(wielded(p), 0);
    sight_matrix[p][rat] = sight_matrix[rat][p] = 1;
    settings.fading = 1;
    add_message("$FAn old warning.");
    add_message("$SAn old success.");

    d.press(key_up); // a blow at the rat: the player acted and the blow is told
    const auto line_with = [](const std::string& text) {
        for (const std::string& line : message_log)
            if (line.find(text) != std::string::npos) return line;
        return std::string();
    };
    EXPECT_EQ(line_with("An old warning.").find('$'), std::string::npos) << "older than the command";
    EXPECT_EQ(line_with("An old success.").find('$'), std::string::npos);
    const std::string blow = line_with("giant rat");
    ASSERT_FALSE(blow.empty());
    EXPECT_NE(blow.find('$'), std::string::npos) << "written during the action";

    d.press(key_up);
    EXPECT_NE(line_with("giant rat").find('$'), std::string::npos) << "the newest blow is coloured";
    EXPECT_EQ(message_log.back().find('$'), std::string::npos) << "the first blow faded at the second";
}

} // namespace
} // namespace dravok
