// The play-testing bot; see play_bot.h.
#include "support/play_bot.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "ai/paths.h"
#include "platform/timers.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "rules/action_time.h"
#include "ui/dialogs.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/globals.h"
#include "world/map.h"
#include "world/menu_model.h"
#include "world/message_log.h"
#include "world/random.h"

namespace dravok::testing {

namespace {

using wall_clock = std::chrono::steady_clock;

// Milliseconds of window time between the bot's keys: the animation and level-up timers run.
constexpr int tick_ms = 30;
// Health below this share (percent) sends the bot to rest or to its potions.
constexpr int low_health_percent = 80;
// Below this share in a fight the bot reaches for its items now and then.
constexpr int dire_health_percent = 35;
// Keys in one menu before the bot backs out of it.
constexpr int keys_per_menu = 60;
// Rounds on one level before the bot looks for the stairs down, explored or not.
constexpr int turns_per_level = 300;
// Rounds of exploring before the bot looks for stairs again when it found none.
constexpr int stairs_retry_turns = 40;
// Spectator ticks before the game-over dialog must be up.
constexpr int spectator_tick_limit = 400;

class bot {
  public:
    bot(started_game& game, const bot_options& options) : game_(game), options_(options), rng_(options.seed) {
        report_.seed = options.seed;
    }

    bot_report run() {
        random_seed = options_.seed;
        if (!(game_.start())) return finish("no start");
        last_progress_ = wall_clock::now();
        for (;;) {
            if (!report_.ending.empty()) break;
            if (quit_requested()) {
                if (!saving_) return finish("fatal");
                saving_ = false;
                ++report_.saves;
                if (!game_.restart()) return finish("no start");
                loading_ = true;
                continue;
            }
            note_progress();
            if (turns() >= options_.turn_limit && game_mode == mode_main) return finish("turn limit");
            if (wall_clock::now() - last_progress_ > std::chrono::seconds(options_.hang_seconds))
                return finish("hang");
            tick();
            step();
        }
        return report_;
    }

  private:
    started_game& game_;
    bot_options options_;
    std::mt19937 rng_;
    bot_report report_;
    wall_clock::time_point last_progress_;
    bool started_play_ = false;
    uint32_t first_clock_ = 0;
    int last_turns_ = -1;
    bool saving_ = false, loading_ = false;
    int next_save_turn_ = 0;
    int menu_keys_ = 0, menu_seen_ = 0;
    int spectator_ticks_ = 0;
    // How the game ended, noted at the game-over dialog (the restart clears the run state).
    std::string game_over_;
    // The level whose exploring is done, and the keys pressed in the main mode without time passing.
    int explored_level_ = 0;
    int idle_keys_ = 0;
    int level_entered_ = 0, level_entered_turn_ = 0, no_stairs_until_ = 0;
    std::string traced_line_;
    uint32_t item_clock_ = ~0u;

    int roll(int n) { return n <= 1 ? 0 : int(rng_() % uint32_t(n)); }

    int turns() const {
        if (!started_play_) return 0;
        return int((game.game_clock - first_clock_) / round_time);
    }

    void note_progress() {
        const int t = turns();
        if (t != last_turns_) {
            last_turns_ = t;
            report_.turns = t;
            last_progress_ = wall_clock::now();
            if (options_.on_progress) options_.on_progress(t);
        }
        if (started_play_ && level.index > report_.deepest && game_mode == mode_main)
            report_.deepest = level.index;
    }

    bot_report finish(const std::string& ending) {
        report_.ending = ending;
        for (const std::string& line : error_log_lines)
            if (line.rfind("  Release", 0) == 0) report_.errors.push_back(line);
        return report_;
    }

    void tick() {
        game_.clock.advance(tick_ms);
        run_due_timers();
    }

    void press(int key, tshift_state shift = {}) {
        if (options_.trace) {
            const tbeing* me = player >= 1 && player < int(beings.size()) ? &beings[player] : nullptr;
            std::fprintf(stderr, "[turn %d level %d mode %d hp %d/%d at %d,%d] key %d%s%s%s\n", turns(),
                         level.index, game_mode, me ? me->health : 0, me ? me->health_max : 0, me ? me->x : 0,
                         me ? me->y : 0, key, shift.shift ? " shift" : "", shift.ctrl ? " ctrl" : "",
                         shift.alt ? " alt" : "");
        }
        game_.press(key, shift);
        // The log is kept newest first: the lines above the last one traced are new.
        if (options_.trace && !message_log.empty() && message_log.front() != traced_line_) {
            size_t n = 0;
            while (n < message_log.size() && n < 8 && message_log[n] != traced_line_)
                ++n;
            for (size_t i = n; i-- > 0;)
                std::fprintf(stderr, "    log: %s\n", message_log[i].c_str());
            traced_line_ = message_log.front();
        }
    }
    void press_command(int command) {
        const tkeybinding b = keybindings[command][0];
        press(b.key, tshift_state{b.modifier == key_shift, b.modifier == key_ctrl, b.modifier == key_alt});
    }

    std::string selected_text() const {
        const int r = selected_menu_row();
        return r >= 1 && r < int(menu_items.size()) ? menu_items[r].text : "";
    }
    bool move_menu_to(const std::string& text) {
        for (int i = 0; i < 80 && selected_text() != text; ++i)
            press(key_down);
        return selected_text() == text;
    }

    void step() {
        switch (game_mode) {
        case mode_menu:
            menu_step();
            break;
        case mode_main:
            menu_seen_ = 0;
            main_step();
            break;
        case mode_spectator:
            spectator_step();
            break;
        case mode_dialog:
            dialog_step();
            break;
        case mode_inventory:
            inventory_step();
            break;
        case mode_string:
            press(key_enter);
            break;
        case mode_target:
            // Aimed at what the game picked, or let go.
            press(roll(2) == 0 ? key_enter : key_escape);
            if (game_mode == mode_target) press(key_escape);
            break;
        case mode_talent:
            // A talent under the cursor, or none.
            for (int i = roll(4); i > 0; --i)
                press(key_down);
            press(roll(2) == 0 ? key_enter : key_escape);
            if (game_mode == mode_talent) press(key_escape);
            break;
        default:
            press(key_escape);
            break;
        }
    }

    // --- Menus: the main menu, creation, level-up, the load list and the game menu.
    void menu_step() {
        if (menu.id != menu_seen_) {
            menu_seen_ = menu.id;
            menu_keys_ = 0;
        }
        if (++menu_keys_ > keys_per_menu) {
            press(key_escape);
            menu_keys_ = 0;
            return;
        }
        switch (menu.id) {
        case menu_main:
            if (loading_) {
                if (move_menu_to("CONTINUE GAME")) press(key_enter);
                loading_ = false;
            } else if (started_play_) {
                // Back at the main menu after the game ended.
                finish(game_over_.empty() ? (state.won ? "won" : "died") : game_over_);
            } else if (move_menu_to("NEW GAME")) {
                press(key_enter);
            }
            break;
        case menu_load:
            press(key_enter);
            ++report_.loads;
            break;
        case menu_character:
            if (move_menu_to("Create a new character")) press(key_enter);
            break;
        case menu_race: {
            const int downs = 1 + roll(6);
            for (int i = 0; i < downs; ++i)
                press(key_down);
            // The name row opens the text entry; any race row goes on.
            press(key_enter);
            break;
        }
        case menu_abilities:
        case menu_skills:
            spend_points();
            press(vk_end);
            press(key_enter);
            break;
        case menu_talents: {
            const int downs = roll(4);
            for (int i = 0; i < downs; ++i)
                press(key_down);
            press(key_enter);
            press(vk_end);
            press(key_enter);
            if (game_mode == mode_main) begin_play();
            break;
        }
        case menu_game:
            if (move_menu_to("SAVE GAME & QUIT")) {
                saving_ = true;
                press(key_enter);
            } else {
                press(key_escape);
            }
            break;
        default:
            press(key_escape);
            break;
        }
    }

    void spend_points() {
        const int keys = 4 + roll(12);
        for (int i = 0; i < keys; ++i) {
            // Mostly raising: a character with its points spent lives long enough to see more.
            static constexpr int choices[] = {key_up,    key_down,  key_down, key_right,
                                              key_right, key_right, key_left};
            press(choices[roll(7)]);
        }
    }

    void begin_play() {
        if (started_play_) return;
        started_play_ = true;
        first_clock_ = game.game_clock;
        next_save_turn_ = options_.save_every / 2 + roll(options_.save_every);
        if (options_.trace) {
            int present = 0, stairs = 0;
            for (const tbeing& b : beings)
                present += b.present != 0;
            for (int x = 1; x <= map_size; ++x)
                for (int y = 1; y <= map_size; ++y)
                    stairs += get_furniture(x, y) == fu_stairs_down;
            std::fprintf(stderr, "level %d: %d beings present, %d stairs down, map %d\n", level.index,
                         present, stairs, map_size);
        }
    }

    // --- The map.
    // The nearest hostile being the player's character sees this turn.
    int nearest_hostile() const {
        int best = 0, best_distance = 0;
        const tbeing& me = beings[player];
        for (int i = 1; i < int(beings.size()); ++i) {
            const tbeing& o = beings[i];
            if (i == player || !o.present || o.friendly != 0 || o.turns_unseen_by_player != 0) continue;
            const int d = std::max(std::abs(o.x - me.x), std::abs(o.y - me.y));
            if (best == 0 || d < best_distance) {
                best = i;
                best_distance = d;
            }
        }
        return best;
    }

    static int direction_to(int dx, int dy) {
        const int sx = (dx > 0) - (dx < 0), sy = (dy > 0) - (dy < 0);
        for (int d = 1; d <= 8; ++d)
            if (compass_dx[d] == sx && compass_dy[d] == sy) return d;
        return 0;
    }

    // A step toward the cell, or beside it when the last key did nothing.
    void step_toward(int x, int y) {
        int d = direction_to(x - beings[player].x, y - beings[player].y);
        if (d == 0 || idle_keys_ > 0) d = 1 + (d + roll(3) + 6) % 8;
        press_command(d);
    }

    void main_step() {
        if (player < 1 || player >= int(beings.size())) {
            press(key_escape);
            return;
        }
        if (!started_play_) begin_play();
        if (turns() >= next_save_turn_ && options_.save_every > 0) {
            next_save_turn_ = turns() + options_.save_every / 2 + roll(options_.save_every);
            press_command(GAME_MENU);
            return;
        }
        const uint32_t clock = game.game_clock;
        const int x = beings[player].x, y = beings[player].y, at_level = level.index;
        act();
        if (game.game_clock == clock && beings[player].x == x && beings[player].y == y &&
            level.index == at_level)
            ++idle_keys_;
        else
            idle_keys_ = 0;
        // Nothing done for a while: wait a round so the world goes on.
        if (idle_keys_ > 8 && game_mode == mode_main) {
            press_command(REST);
            idle_keys_ = 0;
        }
    }

    void act() {
        const tbeing& me = beings[player];
        const bool low = int64_t(me.health) * 100 < int64_t(me.health_max) * low_health_percent;
        const bool dire = int64_t(me.health) * 100 < int64_t(me.health_max) * dire_health_percent;
        const int hostile = nearest_hostile();
        if (hostile != 0) {
            // One reach for the backpack a moment: an item that takes no time is not tried again.
            if (dire && item_clock_ != game.game_clock && roll(2) == 0) {
                item_clock_ = game.game_clock;
                return use_an_item();
            }
            ++report_.fights;
            // At a distance, now and then a shot or a throw through the aiming mode.
            const int distance =
                std::max(std::abs(beings[hostile].x - me.x), std::abs(beings[hostile].y - me.y));
            if (distance > 1 && roll(6) == 0) return press_command(FIRE);
            if (options_.trace) {
                const tbeing& o = beings[hostile];
                const tcell& c = cell_at(o.x, o.y);
                std::fprintf(
                    stderr,
                    "    hostile %d %s at %d,%d health %d asleep %d; its cell: being %d furniture %d\n",
                    hostile, o.name.str().c_str(), o.x, o.y, o.health, o.asleep_counter, c.being,
                    c.furniture);
            }
            return step_toward(beings[hostile].x, beings[hostile].y);
        }
        if (low) {
            ++report_.rests;
            return press_command(roll(4) == 0 ? REST : REST_UNTIL_HEALED);
        }
        if (cell_at(me.x, me.y).loose_items > 0 && roll(3) != 0) {
            ++report_.pickups;
            return press_command(GET);
        }
        if (const int d = adjacent_stairs_down();
            d != 0 && (explored_level_ == level.index || roll(4) == 0)) {
            ++report_.stairs;
            return press_command(d);
        }
        const int r = roll(100);
        if (r < 4) return use_an_item();
        if (r == 4) return press_command(LOOT_LEVEL);
        if (r == 5) return press_command(TALENT);
        if (r < 7) {
            ++report_.rests;
            return press_command(REST);
        }
        if (r < 10) return press_command(1 + roll(8));
        if (level.index != level_entered_) {
            level_entered_ = level.index;
            level_entered_turn_ = turns();
        }
        // A level explored, or one played long enough: down the stairs, when the map shows some.
        const bool want_down =
            explored_level_ == level.index || turns() - level_entered_turn_ > turns_per_level;
        if (want_down && turns() >= no_stairs_until_) {
            press_command(AUTOPILOT);
            if (game_mode == mode_autopilot) press('D');
            // No stairs down on the map: the next portal of any kind, then travel to it.
            if (game_mode == mode_autopilot) {
                press(key_tab);
                press(key_enter);
            }
            if (game_mode == mode_autopilot) {
                press(key_escape);
                no_stairs_until_ = turns() + stairs_retry_turns;
            }
            return;
        }
        if (explored_level_ == level.index) return press_command(1 + roll(8));
        const uint32_t clock = game.game_clock;
        press_command(EXPLORE);
        // "Nothing to explore!": the key took no time.
        if (game_mode == mode_main && game.game_clock == clock && nearest_hostile() == 0) {
            explored_level_ = level.index;
            if (options_.trace) game_.screenshot("bot_explored_" + std::to_string(options_.seed));
        }
    }

    int adjacent_stairs_down() const {
        const tbeing& me = beings[player];
        for (int d = 1; d <= 8; ++d) {
            const int x = me.x + compass_dx[d], y = me.y + compass_dy[d];
            if (on_map(x, y) && (get_furniture(x, y) == fu_stairs_down ||
                                 (explored_level_ == level.index && get_furniture(x, y) == fu_teleporter)))
                return d;
        }
        return 0;
    }

    // The inventory: a few rows down the backpack, then Enter (wear or use), then back.
    void use_an_item() {
        press_command(INVENTORY);
        if (game_mode != mode_inventory) return;
        const int downs = roll(6);
        for (int i = 0; i < downs; ++i)
            press(key_down);
        press(key_enter);
        ++report_.items_used;
        if (game_mode == mode_inventory) press(key_escape);
    }

    void inventory_step() {
        // A list the game opened (several items to pick up): take the row under the cursor.
        if (roll(2) == 0) press(key_enter);
        if (game_mode == mode_inventory) press(key_escape);
    }

    void dialog_step() {
        if (dialog.kind == dialog_game_over) {
            if (game_over_.empty()) game_over_ = state.won ? "won" : "died";
            if (move_dialog_to(22)) press(key_enter);
            return;
        }
        // Confirmations are mostly answered yes (stairs, doors); the rest at random.
        int wanted = 0;
        for (int i = 1; i <= dialog.button_count; ++i)
            if (dialog_buttons[i].answer == 2 && roll(5) != 0) wanted = dialog_buttons[i].answer;
        if (wanted == 0 && dialog.button_count > 0)
            wanted = dialog_buttons[1 + roll(dialog.button_count)].answer;
        for (int i = 0; i <= dialog_max_lines && dialog.lines_shown < dialog.lines_total; ++i)
            press(key_enter);
        if (wanted == 0 || !move_dialog_to(wanted)) {
            press(key_escape);
            if (game_mode == mode_dialog) press(key_enter);
            return;
        }
        press(key_enter);
    }

    bool move_dialog_to(int answer) {
        for (int i = 0; i < dialog_max_buttons && dialog_buttons[dialog.selected].answer != answer; ++i)
            press(key_left);
        for (int i = 0; i < dialog_max_buttons && dialog_buttons[dialog.selected].answer != answer; ++i)
            press(key_right);
        return dialog_buttons[dialog.selected].answer == answer;
    }

    // After a death or a victory the spectator looks on; the game-over dialog follows.
    void spectator_step() {
        if (game_over_.empty()) game_over_ = state.won ? "won" : "died";
        game_.clock.advance(1000);
        run_due_timers();
        if (++spectator_ticks_ > spectator_tick_limit) finish("hang");
    }

    static constexpr int vk_end = 35;
};

} // namespace

bot_report play_bot_game(started_game& game, const bot_options& options) {
    return bot(game, options).run();
}

std::string report_line(const bot_report& r) {
    std::string line = "seed " + std::to_string(r.seed) + "  turns " + std::to_string(r.turns) +
                       "  deepest " + std::to_string(r.deepest) + "  " + r.ending;
    line += "  (fights " + std::to_string(r.fights) + ", items " + std::to_string(r.items_used) +
            ", pickups " + std::to_string(r.pickups) + ", stairs " + std::to_string(r.stairs) + ", rests " +
            std::to_string(r.rests) + ", saves " + std::to_string(r.saves) + ", loads " +
            std::to_string(r.loads) + ", errors " + std::to_string(r.errors.size()) + ")";
    return line;
}

} // namespace dravok::testing
