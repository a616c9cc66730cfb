// Whole turns through the real key path: key gate, bindings, dispatch, actions and scheduler.
#include <gtest/gtest.h>

#include "ai/emotion.h"
#include "ai/light.h"

#include "platform/desktop.h"
#include "platform/events.h"
#include "platform/timers.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "rules/action_time.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/movement.h"
#include "rules/scheduler.h"
#include "support/driver.h"
#include "ui/draw.h"
#include "ui/game_timers.h"
#include "ui/game_window.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/lasting_effects.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_effect_cell.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {
namespace {

using testing::turn_driver;

constexpr tshift_state ctrl{false, true, false};

TEST(Turn, MoveKeyMovesThePlayerAndCostsMoveTime) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    d.press(key_up);
    EXPECT_EQ(beings[p].x, 5);
    EXPECT_EQ(beings[p].y, 4);
    EXPECT_EQ(cell_at(5, 4).being, p);
    EXPECT_EQ(cell_at(5, 5).being, 0);
    EXPECT_EQ(beings[p].next_action_time, 15u);
    EXPECT_EQ(game.game_clock, 15u) << "the scheduler ran up to the player's next turn";

    beings[p].speed_bonus = 4;
    d.press(104); // NUMPAD_8
    EXPECT_EQ(beings[p].y, 3);
    EXPECT_EQ(beings[p].next_action_time, 15u + 11u);
    EXPECT_EQ(last_picked_being, p);
}

TEST(Turn, ActionCostsNeverFallBelowOne) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    beings[p].ability_modifier[1] = 20;
    EXPECT_EQ(action_time(p, 15), 1);
    EXPECT_EQ(action_time(p, 15, false), 15);
    EXPECT_EQ(action_time_mult(p, 20, 2), 1);
    EXPECT_EQ(action_time_mult(p, 20, 2, false), 40);
    beings[p].ability_modifier[1] = -3;
    EXPECT_EQ(action_time(p, 15), 18);
    beings[p].speed_bonus = 20;
    EXPECT_EQ(move_time(p, 15), 1);
}

TEST(Turn, EarlierCreatureActsFirstAndLaterOneWaits) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    const int late = d.add_creature(8, 8, 20);
    const int early = d.add_creature(9, 9, 10);
    d.press(key_down);
    EXPECT_EQ(beings[early].next_action_time, 25u) << "acted at 10, before the player's turn at 15";
    EXPECT_EQ(beings[late].next_action_time, 20u) << "not due before the player";
    EXPECT_EQ(game.game_clock, 15u);
    EXPECT_EQ(last_picked_being, p);
}

TEST(Turn, TieGoesToTheLowerIndex) {
    {
        turn_driver d;
        const int p = d.add_player(5, 5);
        const int c = d.add_creature(8, 8, 15);
        d.press(key_down); // the player is due at 15 too, and has the lower index
        EXPECT_EQ(beings[c].next_action_time, 15u);
        EXPECT_EQ(last_picked_being, p);
    }
    {
        turn_driver d;
        const int c = d.add_creature(8, 8, 15);
        const int p = d.add_player(5, 5);
        ASSERT_LT(c, p);
        d.press(key_down);
        EXPECT_EQ(beings[c].next_action_time, 30u) << "the creature wins the tie and acts first";
        EXPECT_EQ(last_picked_being, p);
    }
    {
        turn_driver d;
        const int a = d.add_creature(3, 3, 0xFFFFFFFFu);
        const int b = d.add_creature(4, 4, 7);
        const int c = d.add_creature(5, 5, 7);
        EXPECT_EQ(pick_next_being(), b) << "unsigned compare; lowest index of the smallest time";
        beings[b].present = beings[c].present = 0;
        EXPECT_EQ(pick_next_being(), a) << "a being that never acts is picked only when alone";
    }
}

TEST(Turn, KeyWhileRestingStopsTheRestAndNothingElse) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    beings[p].health = 5;
    beings[p].health_regen = 1;
    beings[p].health_regen_delay = 1;
    d.key_during_pump(key_up);
    d.press_command(REST_UNTIL_HEALED);
    EXPECT_TRUE(d.logged("Stopped resting."));
    EXPECT_EQ(beings[p].resting, 0);
    EXPECT_EQ(beings[p].rest_rounds, 0u);
    EXPECT_EQ(beings[p].y, 5) << "the key only stopped the rest";
    EXPECT_EQ(beings[p].next_action_time, 0u) << "no rest round was taken";
    EXPECT_EQ(game.game_clock, 0u);
}

TEST(Turn, RestUntilHealedRunsRoundsUntilFullHealth) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    const int c = d.add_creature(8, 8, 40);
    beings[p].health = 5;
    beings[p].health_regen = 1;
    beings[p].health_regen_delay = 1;
    d.press_command(REST_UNTIL_HEALED);
    EXPECT_EQ(beings[p].health, 10);
    EXPECT_EQ(beings[p].resting, 0);
    EXPECT_EQ(beings[p].last_action_kind, 1);
    // One regeneration at the key; the countdown then falls once per whole round, so each further
    // point takes a round of rest.
    EXPECT_EQ(beings[p].next_action_time, 5u * 15u);
    EXPECT_EQ(beings[c].next_action_time, 85u)
        << "the creature acted at 40, 55 and 70 while the player rested";
}

TEST(Turn, RestWithFullHealthRestsAHundredRounds) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    beings[p].health_regen = 1;
    beings[p].health_regen_delay = 1;
    d.press_command(REST_UNTIL_HEALED);
    EXPECT_EQ(beings[p].rest_rounds, 0u);
    EXPECT_EQ(beings[p].next_action_time, 100u * 15u);
}

TEST(Turn, RestRefusals) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    d.press_command(REST_UNTIL_HEALED);
    EXPECT_TRUE(d.logged("You can not rest!"));
    beings[p].health_regen = beings[p].health_regen_delay = 1;
    beings[p].seen_hostiles = 1;
    d.press_command(REST_UNTIL_HEALED);
    EXPECT_TRUE(d.logged("Can not rest while hostile creatures are seen!"));
    EXPECT_EQ(beings[p].next_action_time, 0u);
}

TEST(Turn, RestOneRoundCostsARound) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    d.press_command(REST);
    EXPECT_EQ(beings[p].next_action_time, 15u);
    EXPECT_EQ(beings[p].last_action_kind, 1);
}

TEST(Turn, ContinuedWalkStopsAfterTenSteps) {
    turn_driver d(30);
    const int p = d.add_player(15, 25);
    d.press(key_up, ctrl);
    EXPECT_EQ(beings[p].y, 15);
    EXPECT_EQ(state.run_counter, 0);
    EXPECT_EQ(beings[p].next_action_time, 150u);
}

TEST(Turn, ContinuedWalkStopsAtAWallAndInACorridorAtASidePassage) {
    turn_driver d(12);
    const int p = d.add_player(5, 5);
    d.press(key_up, ctrl);
    EXPECT_EQ(beings[p].y, 2) << "open ground: stops when a wall lies ahead";

    // A corridor running north along x = 5 with a side passage opening at y = 6.
    turn_driver c(20);
    for (int y = 2; y <= 18; ++y) {
        c.wall(4, y);
        c.wall(6, y);
    }
    c.floor(6, 6);
    const int q = c.add_player(5, 15);
    c.press(key_up, ctrl);
    EXPECT_EQ(beings[q].y, 6) << "stops where more than two neighbours are floor";
}

TEST(Turn, KeyWhileRunningStopsTheRun) {
    turn_driver d(30);
    const int p = d.add_player(15, 25);
    d.key_during_pump('G');
    d.press(key_up, ctrl);
    EXPECT_EQ(beings[p].y, 24) << "the first step, then the key stopped the run";
    EXPECT_TRUE(d.logged("Stopped continuous walk."));
    EXPECT_EQ(state.run_counter, 0);
}

TEST(Turn, RefusedMoveCostsARound) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    beings[p].base_ability_of(2) = beings[p].ability_of(2) = 0; // no motion
    d.press(key_up);
    EXPECT_TRUE(d.logged("You can not move!"));
    EXPECT_EQ(beings[p].y, 5);
    EXPECT_EQ(beings[p].next_action_time, 15u);
}

TEST(Turn, BumpsIntoBeingsAndFurniture) {
    struct bump_case {
        const char* what;
        void (*setup)(int other);
        uint32_t cost;
        bool moved;
    };
    // The player's view decides friendliness from the attitudes both ways.
    static const auto feel = [](int o, int value) {
        update_emotion(o, player, value, 0, 1);
        update_emotion(player, o, value, 0, 1);
    };
    const bump_case cases[] = {
        {"hostile: attack", [](int o) { feel(o, -100); }, 15, false},
        {"friendly: displace", [](int o) { feel(o, 100); }, 20, true},
        {"passive: smashed", [](int o) { beings[o].type_flags[tf_passive] = 1; }, 15, false},
        {"hostile, no melee with the weapon in hand",
         [](int o) {
             feel(o, -100);
             beings[player].weapon_set.bare_hands = beings[player].weapon_set.melee_available = 0;
         },
         0, false},
    };
    for (const bump_case& k : cases) {
        turn_driver d;
        const int p = d.add_player(5, 5);
        const int other = d.add_creature(5, 4, 1000);
        k.setup(other);
        update_lights(); // the frame before the key: the player sees the being it bumps
        d.press(key_up);
        EXPECT_EQ(beings[p].next_action_time, k.cost) << k.what;
        EXPECT_EQ(beings[p].y, k.moved ? 4 : 5) << k.what;
        if (k.moved) {
            EXPECT_EQ(beings[other].y, 5) << k.what << ": the two swap places";
        }
        if (std::string(k.what).starts_with("passive")) {
            EXPECT_EQ(beings[other].present, 0) << k.what;
            EXPECT_TRUE(d.logged("You smash the rat.")) << k.what;
        }
    }
}

TEST(Turn, BumpingFurniture) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    cell_at(5, 4).furniture = 8; // a closed door
    d.press(key_up);
    EXPECT_EQ(beings[p].y, 5);
    EXPECT_EQ(beings[p].next_action_time, 30u) << "opening costs 30";

    // An open door is stepped onto.
    cell_at(5, 4).furniture_state = 1;
    d.press(key_up);
    EXPECT_EQ(beings[p].y, 4);

    // Bumping a wall with an open door counter-clockwise of the direction closes that door.
    turn_driver w;
    const int q = w.add_player(5, 5);
    w.wall(5, 4);
    cell_at(4, 4).furniture = 8; // northwest: counter-clockwise of north
    cell_at(4, 4).furniture_state = 1;
    w.press(key_up);
    EXPECT_EQ(beings[q].y, 5);
    EXPECT_EQ(beings[q].next_action_time, 45u) << "closing costs 45";
    w.wall(6, 5);
    cell_at(6, 6).furniture = 8; // southeast is not counter-clockwise of east
    cell_at(6, 6).furniture_state = 1;
    w.press(key_right);
    EXPECT_EQ(beings[q].next_action_time, 45u) << "a plain wall bump costs nothing";
}

// A web under the being, as a lasting effect of the given power.
void web_under(int b, uint16_t power) {
    duration_effects.assign(2, effect_template);
    duration_effects[1].power = power;
    duration_effects[1].serial = 1; // a stored effect, not a blank slot
    duration_effects[1].kind = 58;
    duration_effects[1].shape = 10;
    tmap_effect_cell& cell = map_effect_grid(beings[b].x, beings[b].y);
    cell.effect = 1;
    cell.kind = 58;
}

TEST(Turn, StrugglingOutOfAWeb) {
    {
        turn_driver d;
        const int p = d.add_player(5, 5);
        web_under(p, 200);
        d.press(key_up);
        EXPECT_EQ(beings[p].y, 5);
        EXPECT_TRUE(d.logged("You fail to move through the web."));
        EXPECT_EQ(beings[p].next_action_time, 15u) << "a failed struggle costs a round";
    }
    {
        turn_driver d;
        const int p = d.add_player(5, 5);
        beings[p].base_ability_of(1) = beings[p].ability_of(1) = 40;
        beings[p].ability_modifier[0] = 15;
        web_under(p, 0);
        d.press(key_up);
        EXPECT_TRUE(d.logged("You rip through the web."));
        EXPECT_EQ(beings[p].y, 4) << "torn free, the step goes on";
    }
    {
        turn_driver d;
        const int p = d.add_player(5, 5);
        beings[p].base_ability_of(1) = beings[p].ability_of(1) = 40;
        beings[p].ability_modifier[0] = 15;
        d.add_creature(5, 4, 1000);
        web_under(p, 0);
        d.press(key_up);
        EXPECT_EQ(beings[p].y, 5);
        EXPECT_EQ(beings[p].next_action_time, 15u) << "free of the web but the way is blocked: still 15";
    }
}

TEST(Turn, TrapsUnderfoot) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    beings[p].base_skill_of(2) = 40; // nimble enough to dodge any trap
    update_being(p, 1);
    cell_at(5, 4).trap = 1;
    cell_at(5, 4).trap_difficulty = 12; // hidden
    d.press(key_up);
    EXPECT_EQ(beings[p].y, 4) << "a hidden trap does not stop the step";
    EXPECT_TRUE(d.logged("There is a trap here but you managed to avoid it!"));
    EXPECT_EQ(cell_at(5, 4).trap_difficulty, -12) << "and it is known now";

    cell_at(5, 3).trap = 1;
    cell_at(5, 3).trap_difficulty = -5; // known
    d.press(key_up);
    EXPECT_EQ(beings[p].y, 4);
    EXPECT_EQ(game_mode, 6) << "bumping a known trap asks first";
}

TEST(Turn, KeyGateAndModes) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    state.busy = 1;
    EXPECT_EQ(d.press(key_up), 0) << "swallowed while busy";
    EXPECT_EQ(beings[p].y, 5);
    state.busy = 0;
    EXPECT_EQ(d.press(key_shift, {true, false, false}), 0) << "a lone modifier is swallowed";
    EXPECT_EQ(game.key_presses, 0u);

    game_mode = mode_spectator; // keys other than Escape do nothing
    d.press(key_up);
    EXPECT_EQ(beings[p].y, 5);
    EXPECT_EQ(game.key_presses, 1u);
    EXPECT_EQ(game.key_history_of(1).key, key_up);

    // Ctrl pressed while Shift is held is a key of its own (key 17 with modifier 16).
    const uint32_t presses = game.key_presses;
    d.press(key_ctrl, {true, true, false});
    EXPECT_EQ(game.key_presses, presses + 1);
    EXPECT_EQ(game.key_history_of(1).key, key_ctrl);
    EXPECT_EQ(game.key_history_of(1).modifier, key_shift);

    game_mode = mode_main;
    d.give_keyboard_layout();
    d.press_command(HELP);
    EXPECT_EQ(game_mode, 13);
    d.press('K');
    EXPECT_EQ(help_key, 'K');
    d.press('K');
    EXPECT_EQ(help_key, 0) << "the same key again clears the highlight";
    d.press(key_ctrl, {false, true, false});
    EXPECT_EQ(help_modifier, key_ctrl) << "a lone modifier marks it in the help screen";
    d.press(key_escape);
    EXPECT_EQ(game_mode, 3);
}

TEST(Turn, TravelEndsWhenNoStepIsPossibleAndAKeyStopsIt) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    beings[p].path.purpose = 13;
    beings[p].path.target_x = 9;
    beings[p].path.target_y = 9;
    d.run_rounds();
    EXPECT_EQ(beings[p].path.purpose, 0) << "no step and no new path: travel ends";

    beings[p].path.purpose = 13;
    d.press(key_up);
    EXPECT_TRUE(d.logged("Stopped autopilot."));
    EXPECT_EQ(beings[p].path.purpose, 0);
    EXPECT_EQ(beings[p].y, 5) << "the key only stopped the travel";
}

TEST(Turn, LogScrollStopsAtBothEnds) {
    turn_driver d;
    d.add_player(5, 5);
    for (int i = 0; i < 3; ++i)
        add_message("$Bline " + std::to_string(i));
    d.press_command(LOG_DOWN);
    EXPECT_EQ(settings.log_scroll, 0) << "fewer lines than the log shows: nothing to scroll";
    for (int i = 0; i < 10; ++i)
        add_message("$Bmore " + std::to_string(i));
    const int lines = int(message_log.size());
    for (int i = 0; i < lines + 3; ++i)
        d.press_command(LOG_DOWN);
    EXPECT_EQ(settings.log_scroll, lines - settings.log_lines);
    for (int i = 0; i < lines + 3; ++i)
        d.press_command(LOG_UP);
    EXPECT_EQ(settings.log_scroll, 0);
}

TEST(Turn, NoPresentBeingClosesTheWindow) {
    turn_driver d;
    ::testing::internal::CaptureStderr();
    d.run_rounds();
    EXPECT_NE(
        ::testing::internal::GetCapturedStderr().find("No being found for next action in handle_rounds!"),
        std::string::npos);
    EXPECT_TRUE(event_loop_ended()) << "the window closes";
}

TEST(Turn, StalledCreatureTurnIsBookedARound) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    const int c = d.add_creature(8, 8, 5);
    // A present creature the decision chain cannot act for (off the map) leaves its clock.
    beings[c].x = beings[c].y = 0;
    d.press(key_up);
    EXPECT_EQ(beings[c].next_action_time, 20u);
    EXPECT_FALSE(error_log_lines.empty());
    EXPECT_EQ(beings[p].next_action_time, 15u);
}

TEST(Turn, DeathHandsOverToTheSpectator) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    state.died = 1;
    d.run_rounds();
    EXPECT_EQ(beings[p].commanded, 0);
    // Without the spectator's template the hand-over stops the game in order.
    EXPECT_TRUE(quit_requested());
}

TEST(Turn, DeathAddsASpectatorThatOnlyWatches) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    being_plans.assign(2, tbeing_plan{});
    being_plans[1].identifier = "be_spectator";
    being_plans[1].name = "spectator";
    being_plans[1].width = being_plans[1].height = 1;
    game.death_x = 6;
    game.death_y = 6;
    state.died = 1;
    d.run_rounds();
    ASSERT_NE(player, p);
    ASSERT_GT(player, 0);
    EXPECT_EQ(beings[player].x, 6);
    EXPECT_EQ(beings[player].health_max, 0);
    EXPECT_EQ(beings[player].commanded, 0) << "the spectator is never under command";
    EXPECT_EQ(state.spectator_serial, uint32_t(beings[player].serial));
    EXPECT_EQ(game_mode, 2);
    EXPECT_TRUE(d.logged("The world goes dark! You die..."));
    EXPECT_FALSE(quit_requested());
    // A second pass does not hand over again: the world runs until the tick's 7 units.
    const int spectator = player;
    spectator_timer_tick(spectator_timer());
    EXPECT_EQ(player, spectator);
    being_plans.clear();
}

TEST(Turn, RestingAtFullHealthTakesOneRound) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    beings[p].resting = 1;
    d.run_rounds();
    EXPECT_EQ(beings[p].resting, 0);
    EXPECT_EQ(beings[p].next_action_time, 15u);
}

TEST(Turn, VictoryHandsOverOnce) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    beings[p].type_flags[tf_god] = 1;
    state.won = 1;
    d.run_rounds();
    EXPECT_EQ(game_mode, 2);
    EXPECT_EQ(state.spectator_serial, uint32_t(beings[p].serial));
    EXPECT_TRUE(d.logged("You have become a god!"));
    EXPECT_TRUE(spectator_timer().enabled());
    EXPECT_EQ(beings[p].commanded, 0);
    // The world keeps running under the spectator timer: every pick is a creature turn.
    spectator_timer_tick(spectator_timer());
    EXPECT_GE(game.game_clock, 7u);
}

TEST(Turn, MapPointsFillThenReplaceTheNearest) {
    turn_driver d(30);
    const int p = d.add_player(2, 2);
    for (int i = 1; i <= 9; ++i) {
        place_being(p, 2 * i, 2, 1);
        d.press_command(SET_MAP_POINT);
        EXPECT_TRUE(d.logged("Map point " + std::to_string(i) + " set.")) << i;
    }
    d.press_command(SET_MAP_POINT);
    EXPECT_TRUE(d.logged("There already is a map point here."));
    place_being(p, 7, 3, 1);
    d.press_command(SET_MAP_POINT);
    EXPECT_TRUE(d.logged("Map point 3 replaced.")) << "(6, 2) is nearest to (7, 3)";
    EXPECT_EQ(level.map_point(3).x, 7);
    EXPECT_EQ(beings[p].next_action_time, 0u) << "map points cost no time";
}

} // namespace
} // namespace dravok
