// One-liners with the built game's goblin lines: heard when the player sees the speaker or the
// line is loud, not heard otherwise; the being's, the plan's and the game's cooldowns; the lines
// said lately; the speaker suffix in angle brackets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/layout_being.h"
#include "records/layout_game.h"
#include "rules/being_creation.h"
#include "rules/chatter.h"
#include "support/driver.h"
#include "support/process_state.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/game_lists.h"
#include "world/game_record.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/sight_records.h"
#include "world/tables.h"
#include "world/text_database.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

constexpr int kills_being = 12;

class Chatter : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dravok::testing::load_built_database());
        reset_table_run_fields();
        log_area_width = 100000; // one line per message
        recent_chatter.clear();
        last_chatter_time = 0;
    }
    void TearDown() override { log_area_width = 600; }

    int goblin(turn_driver&, int x, int y, bool seen) {
        const int g = add_being_to_level(x, y, blank_being, 1, find_being_plan_by_name("be_goblin"));
        EXPECT_GT(g, 0);
        beings[g].next_action_time = 1000000; // it waits
        sight_matrix[player][g] = seen ? 1 : 0;
        return g;
    }
    static int lines_with(const turn_driver& d, const std::string& text) {
        int n = 0;
        for (const std::string& m : d.messages())
            n += m.find(text) != std::string::npos ? 1 : 0;
        return n;
    }
};

TEST_F(Chatter, HeardWhenSeenOrLoudNotWhenUnseenAndQuiet) {
    turn_driver d;
    d.add_player(5, 5);
    const int seen = goblin(d, 5, 3, true);
    const int hidden = goblin(d, 9, 9, false);

    game.game_clock = beings[seen].chatter_time_of(chat_idle_chatter); // a new being waits to talk idly
    EXPECT_TRUE(add_oneliner(seen, player, chat_idle_chatter, 1, "", ""));
    EXPECT_EQ(lines_with(d, "$BThe goblin: $D"), 1) << "the speaker's name heads the line";

    EXPECT_FALSE(add_oneliner(hidden, player, chat_idle_chatter, 1, "", "")) << "quiet talk out of sight";
    EXPECT_EQ(lines_with(d, "Someone: "), 0);
    EXPECT_TRUE(add_oneliner(hidden, player, chat_shouts_alarm, 1, "", "")) << "an alarm carries";
    EXPECT_EQ(lines_with(d, "Someone: $DOi! Over here! We got one!"), 1);
}

TEST_F(Chatter, CooldownsOfTheBeingThePlanAndTheGame) {
    turn_driver d;
    d.add_player(5, 5);
    const int first = goblin(d, 5, 3, true);
    const int second = goblin(d, 7, 3, true);

    // An introduction is said once per being and holds the plan's others back for a while.
    EXPECT_TRUE(add_oneliner(first, player, chat_introduction_hostile, 1, "", ""));
    EXPECT_FALSE(add_oneliner(second, player, chat_introduction_hostile, 1, "", "")) << "the plan's cooldown";
    game.game_clock += 10 * 45;
    EXPECT_FALSE(add_oneliner(first, player, chat_introduction_hostile, 1, "", "")) << "once per being";
    EXPECT_TRUE(add_oneliner(second, player, chat_introduction_hostile, 1, "", ""));

    // kills_player: once in a game, whoever says it.
    EXPECT_TRUE(add_oneliner(first, player, chat_kills_player, 1, "", ""));
    game.game_clock += 100000;
    EXPECT_FALSE(add_oneliner(second, player, chat_kills_player, 1, "", ""));

    // kills_being: 30 steps for the being, 10 for the game; time passing through the key path.
    EXPECT_TRUE(add_oneliner(first, player, kills_being, 1, "", ""));
    EXPECT_FALSE(add_oneliner(first, player, kills_being, 1, "", ""));
    const uint32_t said = game.game_clock;
    while (game.game_clock < said + 30 * 15)
        d.press_command(REST);       // the player waits; the clock runs
    sight_matrix[player][first] = 1; // the dark room's sight pass saw nothing; the goblin stands in view
    EXPECT_TRUE(add_oneliner(first, player, kills_being, 1, "", "")) << "held only for its own time";
}

TEST_F(Chatter, LinesSaidLatelyAreNotRepeatedAndForgottenLater) {
    turn_driver d;
    d.add_player(5, 5);
    const int g = goblin(d, 5, 3, true);
    std::string line;
    ASSERT_TRUE(pick_chatter_line(g, chat_introduction_hostile, "", line, true, ""));
    EXPECT_EQ(recent_chatter, std::vector<std::string>{line});
    // Both of the goblin's introductions said lately: nothing fresh is left to say.
    recent_chatter = {"Look, lads, dinner delivered itself!", "Your stuff, my stuff. Hand it over."};
    last_chatter_time = game.game_clock;
    EXPECT_FALSE(pick_chatter_line(g, chat_introduction_hostile, "", line, true, ""));
    game.game_clock += 1500;
    EXPECT_TRUE(pick_chatter_line(g, chat_introduction_hostile, "", line, true, ""))
        << "forgotten after 1500";
    EXPECT_EQ(recent_chatter.size(), 1u);
}

TEST_F(Chatter, AnAngleBracketTextFollowsTheSpeakersName) {
    turn_driver d;
    d.add_player(5, 5);
    const int k = add_being_to_level(5, 3, blank_being, 1, find_being_plan_by_name("be_kobold"));
    ASSERT_GT(k, 0);
    beings[k].next_action_time = 1000000;
    sight_matrix[player][k] = 1;
    recent_chatter = {"Yip! Shiny things for us!"}; // the other line was said lately
    last_chatter_time = game.game_clock;
    ASSERT_TRUE(add_oneliner(k, player, chat_introduction_hostile, 1, "", ""));
    EXPECT_EQ(lines_with(d, "The kobold snarls: $DIntruder! Stab it, stab it!"), 1);
}

} // namespace
} // namespace dravok
