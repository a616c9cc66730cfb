// The play-testing bot; see play_bot.h.
#include "support/play_bot.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "ai/paths.h"
#include "platform/timers.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "rules/action_time.h"
#include "rules/being_creation.h"
#include "rules/checks.h"
#include "rules/effect_tables.h"
#include "rules/equipment.h"
#include "rules/move_checks.h"
#include "support/depth_start.h"
#include "ui/dialogs.h"
#include "ui/key_bindings.h"
#include "ui/lister_model.h"
#include "ui/menus.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/item_record.h"
#include "world/item_value.h"
#include "world/level_record.h"
#include "world/light_map.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/menu_model.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok::testing {

namespace {

using wall_clock = std::chrono::steady_clock;

// Milliseconds of window time between the bot's keys: the animation and level-up timers run.
constexpr int tick_ms = 30;
// Health shares (percent): below the first the character rests when no foe is in sight; below
// the second it drinks a healing potion in a fight; from the third it is fresh enough to strike
// a sleeping foe or to go down the stairs, and below it backs away from a foe still coming.
constexpr int rest_below_percent = 70;
constexpr int drink_below_percent = 40;
constexpr int fresh_percent = 80;
// A foe this close counts as upon the character when it is hurt.
constexpr int close_distance = 2;
// Awake foes beside the character that make a crowd worth leaving by the stairs.
constexpr int crowd = 3;
// Rounds the character waits for a coming foe before it goes to meet it.
constexpr int wait_turns = 3;
// Searching for secret doors: rounds at one spot (with no foe in sight a search in the light is
// sure of what it can find), the reach of a search (the game's), the
// stretch of map around a spot counted for unexplored cells.
constexpr int search_turns_per_spot = 4;
// The light a search needs (the game's: below it a cell is too dark to work in).
constexpr int working_light = 3;
constexpr int search_radius = 2;
constexpr int dark_radius = 6;
constexpr int last_wall_block = 40;
// Open sides of a cell in the narrows: a corridor has two, a doorway few more.
constexpr int narrow_sides = 2;
// The effect kind of the talent that heals at once.
constexpr int health_surge_kind = 2;
// Rows of the backpack the bot looks through at most.
constexpr int inventory_rows = 60;
// Keys in one menu before the bot backs out of it.
constexpr int keys_per_menu = 60;
// Rounds on one level before the bot looks for the stairs down, explored or not.
constexpr int turns_per_level = 150;
// Rounds of exploring before the bot looks for stairs again when it found none.
constexpr int stairs_retry_turns = 40;
// Spectator ticks before the game-over dialog must be up.
constexpr int spectator_tick_limit = 400;
// One key may pass many rounds: exploring and travel walk a whole path, resting until healed
// waits for the last point of health. Near the turn limit the bot passes one round at a time,
// so no game goes past it: rounds a walk of this many map widths may take, and rounds a rest
// may take for each point of health missing (a slowed mending has been seen at about 60).
constexpr int walk_map_widths = 6;
constexpr int rest_rounds_per_point = 150;
// Rounds before the turn limit in which the character only walks, fights and rests.
constexpr int last_rounds = 40;
// One exploring step in this many uses the game's explore key.
constexpr int explore_key_one_in = 10;
// Rounds on the trading level before the bot goes back to the hub.
constexpr int market_turns = 120;
// The bump dialog's answers that ascend (to demigodhood, to godhood).
constexpr int ascend_answer = 10, ascend_as_god_answer = 11;

class bot {
  public:
    bot(started_game& game, const bot_options& options) : game_(game), options_(options), rng_(options.seed) {
        report_.seed = options.seed;
        report_.start_depth = options.start_depth;
    }

    bot_report run() {
        if (!options_.from_main_menu && !game_.start()) return finish("no start");
        // The program seeds itself from the time of day, which the test clock holds still: the
        // seed takes its place, so every seed plays its own dungeon.
        random_seed = options_.seed;
        record("seed " + std::to_string(options_.seed));
        last_progress_ = wall_clock::now();
        for (;;) {
            if (!report_.ending.empty()) break;
            if (quit_requested()) {
                if (!saving_) return finish("fatal");
                saving_ = false;
                ++report_.saves;
                record("restart");
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
    // Rounds spent waiting for the foe in sight to come; the turn of the last pick-up.
    int waited_ = 0, picked_at_ = -1;
    // The stairs down last seen, and the spots already searched for secret doors.
    int stairs_level_ = 0, stairs_x_ = 0, stairs_y_ = 0;
    int searched_level_ = 0, search_x_ = 0, search_y_ = 0, search_turns_ = 0;
    std::vector<std::pair<int, int>> searched_;
    // A sleeping foe in sight keeps the game from exploring.
    bool sleeper_in_way_ = false;
    // Something was picked up: the backpack is looked through for better gear.
    bool wear_check_ = false;
    std::string traced_line_;
    uint32_t item_clock_ = ~0u;
    // The deeper start is made; the hub and the trading level were entered; the Overgod is asked
    // to ascend the character.
    bool depth_started_ = false, depth_rested_ = false, hub_seen_ = false, market_seen_ = false,
         ascending_ = false;
    // The stairs down are in sight but no path leads there: the search for secret doors keeps
    // to the walls nearest them.
    bool stairs_cut_off_ = false;
    // Cells beside unexplored ground that exploring gave up on, on that level.
    int given_up_level_ = 0;
    std::vector<std::pair<int, int>> given_up_;
    int market_entered_turn_ = 0;

    int roll(int n) { return n <= 1 ? 0 : int(rng_() % uint32_t(n)); }

    int turns() const {
        if (!started_play_) return 0;
        // Once the game has ended its record is the next game's: the count stays where it was.
        if (player == 0) return std::max(last_turns_, 0);
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
        std::vector<int>& played = report_.levels_played;
        if (started_play_ && game_mode == mode_main && (options_.start_depth <= 1 || depth_started_) &&
            std::find(played.begin(), played.end(), int(level.index)) == played.end())
            played.push_back(level.index);
    }

    bot_report finish(const std::string& ending) {
        report_.ending = ending;
        for (const std::string& line : error_log_lines)
            if (line.rfind("  Release", 0) == 0) report_.errors.push_back(line);
        return report_;
    }

    void record(const std::string& event) {
        if (options_.on_event) options_.on_event(event);
    }

    void tick() {
        record("tick");
        game_.clock.advance(tick_ms);
        run_due_timers();
    }

    void press(int key, tshift_state shift = {}) {
        if (options_.trace) {
            const tbeing* me = player >= 1 && player < int(beings.size()) ? &beings[player] : nullptr;
            std::fprintf(stderr, "[turn %d level %d mode %d hp %d/%d at %d,%d light %d] key %d%s%s%s\n",
                         turns(), level.index, game_mode, me ? me->health : 0, me ? me->health_max : 0,
                         me ? me->x : 0, me ? me->y : 0,
                         me && on_map(me->x, me->y) ? light_map.light(me->x, me->y) : -1, key,
                         shift.shift ? " shift" : "", shift.ctrl ? " ctrl" : "", shift.alt ? " alt" : "");
        }
        record("key " + std::to_string(key) + ' ' + char('0' + shift.shift) + ' ' + char('0' + shift.ctrl) +
               ' ' + char('0' + shift.alt));
        game_.press(key, shift);
        if (options_.trace) trace_new_log_lines();
    }
    // The log is kept newest first and fading strips a line's colours: the lines above the last
    // one traced, compared without colours, are new.
    void trace_new_log_lines() {
        std::vector<std::string> fresh;
        for (const std::string& line : message_log) {
            if (line.empty()) continue;
            std::string plain = strip_colour_codes(line);
            if (plain == traced_line_ || fresh.size() >= 12) break;
            fresh.push_back(std::move(plain));
        }
        if (fresh.empty()) return;
        traced_line_ = fresh.front();
        for (size_t i = fresh.size(); i-- > 0;)
            std::fprintf(stderr, "    log: %s\n", fresh[i].c_str() + std::min<size_t>(fresh[i].size(), 13));
    }
    void press_command(int command) {
        const tkeybinding b = keybindings[command][0];
        press(b.key, tshift_state{b.modifier == key_shift, b.modifier == key_ctrl, b.modifier == key_alt});
    }

    std::string selected_text() const {
        const int r = selected_menu_row();
        return r >= 1 && r < int(menu_items.size()) ? menu_items[r].text : "";
    }
    // Up or down to the row, as the arrow keys go (the cursor does not wrap).
    bool move_menu_to_row(int r) {
        for (int i = 0; i < 80 && selected_menu_row() != r; ++i)
            press(selected_menu_row() < r ? key_down : key_up);
        return selected_menu_row() == r;
    }
    bool move_menu_to_text_ignoring_case(const std::string& text) {
        auto lower = [](std::string t) {
            for (char& c : t)
                c = char(std::tolower(static_cast<unsigned char>(c)));
            return t;
        };
        for (int r = 1; r <= menu.count && r < int(menu_items.size()); ++r)
            if (lower(menu_items[r].text) == text) return move_menu_to_row(r);
        return false;
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

    // --- Saving and loading: what the character was when saved must be what the load gives.
    struct kept_state {
        bool valid = false;
        int level = 0, x = 0, y = 0, health = 0, health_max = 0, items = 0;
        uint32_t experience = 0, clock = 0;
        std::string name;
        bool operator==(const kept_state&) const = default;
    };

    static kept_state snapshot() {
        kept_state k;
        if (player < 1 || player >= int(beings.size())) return k;
        const tbeing& me = beings[player];
        k.valid = true;
        k.level = level.index;
        k.x = me.x;
        k.y = me.y;
        k.health = me.health;
        k.health_max = me.health_max;
        k.experience = me.experience;
        k.clock = game.game_clock;
        k.name = me.name.str();
        for (size_t i = 1; i < being_items[player].size(); ++i)
            k.items += being_items[player][i].amount != 0;
        return k;
    }

    void compare_with_saved() {
        const kept_state now = snapshot();
        if (!(now == saved_)) {
            char line[240];
            std::snprintf(line, sizeof line,
                          "  load differs from save: level %d/%d at %d,%d/%d,%d health %d/%d of %d/%d "
                          "experience %u/%u items %d/%d clock %u/%u",
                          saved_.level, now.level, saved_.x, saved_.y, now.x, now.y, saved_.health,
                          now.health, saved_.health_max, now.health_max, saved_.experience, now.experience,
                          saved_.items, now.items, saved_.clock, now.clock);
            report_.errors.emplace_back(line);
            ++report_.load_mismatches;
            if (options_.trace) std::fprintf(stderr, "%s\n", line);
        }
        saved_ = kept_state{};
    }
    kept_state saved_;

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
            spend_ability_points();
            press(vk_end);
            press(key_enter);
            break;
        case menu_skills:
            spend_skill_points();
            press(vk_end);
            press(key_enter);
            break;
        case menu_talents: {
            // A new character mostly takes the talent that heals in a fight; else one at random.
            if (started_play_ || roll(3) == 0 || !move_menu_to_text_ignoring_case("second wind")) {
                const int downs = roll(4);
                for (int i = 0; i < downs; ++i)
                    press(key_down);
            }
            press(key_enter);
            press(vk_end);
            press(key_enter);
            if (game_mode == mode_main) begin_play();
            break;
        }
        case menu_game:
            if (move_menu_to("SAVE GAME & QUIT")) {
                saving_ = true;
                saved_ = snapshot();
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

    // The point buy as a careful player spends it: every point, most into motion (attack,
    // defence, speed) and body (health, damage), the seed picking one of a few builds.
    void spend_ability_points() {
        // Base scores aimed at: body, motion, mind, spirit.
        static constexpr int builds[][ability_count] = {{13, 14, 10, 10}, {14, 13, 10, 10}, {12, 14, 11, 10}};
        const int* aim = builds[roll(3)];
        for (int guard = 0; guard < keys_per_menu; ++guard) {
            int best = 0, best_gap = 0;
            for (int k = 1; k <= ability_count; ++k) {
                const int r = menu_row_of_id(k);
                if (r == 0 || menu_value_arrows(r) == value_arrows::none ||
                    menu_value_arrows(r) == value_arrows::down)
                    continue;
                // Past the aims, what is left goes to motion and body first.
                const int gap = aim[k - 1] - menu_items[r].value;
                const int weight = gap > 0 ? 100 + gap : (k == 2 ? 3 : k == 1 ? 2 : 1);
                if (weight > best_gap) {
                    best_gap = weight;
                    best = r;
                }
            }
            if (best == 0 || !move_menu_to_row(best)) return;
            press(key_right);
        }
    }

    // Skill points: melee first, then dodge, then the rest in the seed's order.
    void spend_skill_points() {
        int order[skill_count] = {4, 2, 5, 1, 3, 6, 7};
        for (int i = skill_count - 1; i > 2; --i)
            std::swap(order[i], order[2 + roll(i - 1)]);
        for (int k : order) {
            const int r = menu_row_of_id(k);
            if (r == 0 || menu_items[r].disabled || !move_menu_to_row(r)) continue;
            for (int i = 0; i < skill_count; ++i) {
                const int before = menu_items[r].value;
                press(key_right);
                if (menu_items[r].value == before) break;
            }
        }
    }

    static int menu_row_of_id(int id) {
        for (int r = 1; r <= menu.count && r < int(menu_items.size()); ++r)
            if (menu_items[r].id == id && menu_items[r].action == 0 && menu_items[r].heading.empty())
                return r;
        return 0;
    }

    void begin_play() {
        if (started_play_) return;
        started_play_ = true;
        first_clock_ = game.game_clock;
        for (int x = 1; x <= map_size; ++x)
            for (int y = 1; y <= map_size; ++y)
                report_.first_level_print = report_.first_level_print * 31u + cell_at(x, y).block;
        next_save_turn_ = options_.save_every / 2 + roll(options_.save_every);
        if (options_.trace) {
            int present = 0, stairs = 0;
            for (const tbeing& b : beings)
                present += b.present != 0;
            for (int x = 1; x <= map_size; ++x)
                for (int y = 1; y <= map_size; ++y)
                    if (get_furniture(x, y) == fu_stairs_down) {
                        ++stairs;
                        std::fprintf(stderr, "stairs down at %d,%d\n", x, y);
                    }
            std::fprintf(stderr, "level %d: %d beings present, %d stairs down, map %d\n", level.index,
                         present, stairs, map_size);
            for (int i = 1; i < int(beings.size()); ++i)
                if (beings[i].present) trace_being(i);
            trace_carried();
        }
    }

    static void trace_carried() {
        for (size_t i = 1; player < int(being_items.size()) && i < being_items[player].size(); ++i)
            if (being_items[player][i].amount != 0)
                std::fprintf(stderr, "  carried: %s, slot %d, light %d, value %u\n",
                             being_items[player][i].name.str().c_str(), being_items[player][i].slot,
                             being_items[player][i].light_radius,
                             calculate_item_value(being_items[player][i]));
    }

    static std::string dice_text(const tdice& d) {
        return std::to_string(d.count) + "d" + std::to_string(d.sides) + "+" + std::to_string(d.bonus) +
               (d.ability ? " ab" + std::to_string(d.ability) : "");
    }
    static std::string damage_text(const tdamage_dice& f) {
        std::string s;
        for (int t = 1; t <= damage_type_count; ++t)
            if (is_dice_set(f.of(t))) s += " t" + std::to_string(t) + ":" + dice_text(f.of(t));
        return s;
    }
    // The figures that decide a fight, for reading a trace.
    static void trace_being(int i) {
        const tbeing& b = beings[i];
        std::fprintf(stderr, "  being %d %s lv %d hp %d/%d friendly %d ab %d %d %d %d sk", i,
                     b.name.str().c_str(), b.level, b.health, b.health_max, b.friendly, b.ability[0],
                     b.ability[1], b.ability[2], b.ability[3]);
        for (int k = 0; k < skill_count; ++k)
            std::fprintf(stderr, " %d", b.skill[k]);
        const tweapon_set& w = b.weapon_set;
        std::fprintf(
            stderr,
            " hit %d def %d | hand1 item %d melee %d att %d def %d dmg%s +%d | hand2 item %d att %d def %d",
            int8_t(b.attack_modifiers[0]), int8_t(b.attack_modifiers[2]), w.hand_item[0], w.melee[0],
            w.melee_attack[0], w.melee_defence[0], damage_text(w.melee_damage[0]).c_str(),
            w.melee_damage_bonus[0], w.hand_item[1], w.melee_attack[1], w.melee_defence[1]);
        for (int n = 1; n <= natural_attack_count; ++n) {
            const tnatural_attack& a = b.natural_attack(n);
            if (a.attack_class)
                std::fprintf(stderr, " | nat%d class %d bonus %d%s", n, a.attack_class, a.attack_bonus,
                             damage_text(a.damage).c_str());
        }
        std::fprintf(stderr, " | light %d dark %d | res", b.light_radius, b.dark_vision);
        for (int t = 1; t <= 3; ++t)
            std::fprintf(stderr, " %d", b.resistance_of(t));
        std::fprintf(stderr, "\n");
    }

    // The map as letters: # wall, . floor, + door, S secret door, > stairs, lower case unexplored.
    static void dump_map() {
        for (int y = 1; y <= map_size; ++y) {
            std::string line;
            for (int x = 1; x <= map_size; ++x) {
                const tcell& c = cell_at(x, y);
                char ch = c.block <= 40 ? '#' : '.';
                if (c.furniture == fu_stairs_down)
                    ch = '>';
                else if (c.secret_door)
                    ch = 'S';
                else if (c.furniture >= 8 && c.furniture <= 11)
                    ch = char('0' + c.furniture - 8);
                else if (c.furniture)
                    ch = 'f';
                if (!c.explored && ch == '.') ch = ',';
                if (!c.explored && ch == '#') ch = ' ';
                if (x == beings[player].x && y == beings[player].y) ch = '@';
                line += ch;
            }
            std::fprintf(stderr, "%s\n", line.c_str());
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
        if (saved_.valid) compare_with_saved();
        // The pause before the level-up menus: keys wait for them.
        if (state.level_up_pending) return;
        if (options_.start_depth > 1 && !depth_started_) return start_deeper();
        if (depth_started_ && !depth_rested_) {
            // The levels were gained at once, with none of the rests between them: the
            // character is whole, as a player who got there would rest before going on.
            depth_rested_ = true;
            tbeing& me = beings[player];
            me.health = me.health_max;
            me.stamina = me.stamina_max;
            // Dressed for the level before the save: it may greet the character with a fight.
            wear_check_ = false;
            wear_better_items();
            if (options_.trace) trace_carried();
            return;
        }
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

    // The deeper start: made once the character stands on the first level, then saved at once,
    // so the rest of the game plays from a loaded save.
    void start_deeper() {
        depth_started_ = true;
        if (!begin_at_depth(options_.start_depth, options_.seed)) return void(finish("no start"));
        wear_check_ = true;
        next_save_turn_ = turns();
        if (options_.trace)
            std::fprintf(stderr, "    deeper start: level %d at %d,%d, experience %u\n", level.index,
                         beings[player].x, beings[player].y, beings[player].experience);
        for (int p = 1; options_.trace && p < int(portals.size()); ++p)
            if (portals[p].level == level.index)
                std::fprintf(stderr, "    portal %d at %d,%d to level %d, explored %d\n", p, portals[p].x,
                             portals[p].y, portal_destination_level(p),
                             cell_at(portals[p].x, portals[p].y).explored);
    }

    // Rounds left before the turn limit, and whether a key that may pass this many fits in them.
    bool room_for(int rounds) const { return turns() + rounds < options_.turn_limit; }
    bool room_for_walk() const { return room_for(walk_map_widths * map_size); }

    // --- Playing as a careful player.
    // What the character sees of its foes this turn.
    struct threat {
        int nearest = 0, distance = 0; // the nearest awake hostile
        int adjacent = 0;              // awake hostiles next to the character
        int weakest_adjacent = 0;      // the one of them with the least health
        int sleeper = 0;               // the nearest sleeping hostile
    };

    threat look_around() const {
        threat t;
        const tbeing& me = beings[player];
        int sleeper_distance = 0;
        for (int i = 1; i < int(beings.size()); ++i) {
            const tbeing& o = beings[i];
            if (i == player || !o.present || o.friendly != 0 || o.turns_unseen_by_player != 0) continue;
            const int d = std::max(std::abs(o.x - me.x), std::abs(o.y - me.y));
            if (o.asleep_counter > 0) {
                if (t.sleeper == 0 || d < sleeper_distance) {
                    t.sleeper = i;
                    sleeper_distance = d;
                }
                continue;
            }
            if (t.nearest == 0 || d < t.distance) {
                t.nearest = i;
                t.distance = d;
            }
            if (d <= 1) {
                ++t.adjacent;
                if (t.weakest_adjacent == 0 || o.health < beings[t.weakest_adjacent].health)
                    t.weakest_adjacent = i;
            }
        }
        return t;
    }

    int health_percent() const {
        const tbeing& me = beings[player];
        return me.health_max > 0 ? int(int64_t(me.health) * 100 / me.health_max) : 100;
    }

    // Drops, pick-ups, better gear and now and then something else; true when a key went to
    // the game.
    bool handle_items_and_extras() {
        const tbeing& me = beings[player];
        // Laden: the heaviest thing carried goes; unladen, what lies here is taken.
        if (me.encumbrance > 0 && drop_heaviest()) return true;
        if (cell_at(me.x, me.y).loose_items > 0 && picked_at_ != turns() && me.encumbrance == 0) {
            picked_at_ = turns();
            ++report_.pickups;
            wear_check_ = true;
            press_command(GET);
            return true;
        }
        if (wear_check_) {
            wear_check_ = false;
            if (wear_better_items()) return true;
        }
        // Now and then something else a player does, so the soak meets every screen.
        const int r = roll(100);
        if (r < 2) {
            use_an_item();
        } else if (r == 2 && room_for_walk()) {
            // The loot list's choice is a walk to the item.
            press_command(LOOT_LEVEL);
        } else if (r == 3) {
            press_command(TALENT);
        } else if (r == 4) {
            press_command(1 + roll(8));
        } else {
            return false;
        }
        return true;
    }

    void act() {
        if (level.index != level_entered_) {
            level_entered_ = level.index;
            level_entered_turn_ = turns();
            waited_ = 0;
            stairs_cut_off_ = false;
            if (options_.trace) {
                std::fprintf(stderr, "level %d entered at turn %d\n", level.index, turns());
                for (int i = 1; i < int(beings.size()); ++i)
                    if (beings[i].present) trace_being(i);
            }
        }
        const threat t = look_around();
        if (t.nearest != 0) return fight(t);
        waited_ = 0;
        const int percent = health_percent();
        // A sleeping foe is let lie: a fight wakes its fellows. Only when it stands in the way of
        // exploring is it struck, and then by a fresh character.
        if (t.sleeper == 0) sleeper_in_way_ = false;
        if (t.sleeper != 0 && sleeper_in_way_ && percent >= fresh_percent) {
            ++report_.fights;
            return step_toward(beings[t.sleeper].x, beings[t.sleeper].y);
        }
        const bool want_down =
            explored_level_ == level.index || turns() - level_entered_turn_ > turns_per_level;
        // Hurt or not, to the hub when it is the goal: nothing is born there.
        if (!beyond_the_hub(level.index) && wants_the_hub(want_down) &&
            go_through_portal_to(hub_level_index()))
            return;
        if (percent < rest_below_percent) return rest();
        // Handling items and the odd extras take rounds no key tells in advance: in the last
        // rounds before the turn limit the character only walks, fights and rests.
        if (room_for(last_rounds) && handle_items_and_extras()) return;
        const bool stairs_known = known_stairs_down();
        if (beyond_the_hub(level.index) && hub_step()) return;
        if (want_down && stairs_known) {
            // Down only when fresh: the next level meets the character at the stairs.
            if (percent < fresh_percent) return rest();
            if (const int d = adjacent_stairs_down(); d != 0) {
                ++report_.stairs;
                return press_command(d);
            }
            if (turns() >= no_stairs_until_ && room_for_walk()) return travel_to_stairs();
            if (walk_to(stairs_x_, stairs_y_)) return;
            // Seen but out of reach: the way to them lies behind a secret door, or unexplored.
            stairs_cut_off_ = true;
        }
        // All explored and no stairs in sight: they lie behind a secret door.
        if (explored_level_ == level.index) return hunt_secret_doors();
        // The game's explore key now and then; mostly the bot's own way, nearest ground first
        // (the key picks far targets, and a whole path a key, which the turn limit forbids).
        if (!room_for_walk() || roll(explore_key_one_in) != 0) {
            if (step_to_unexplored()) return;
            explored_level_ = level.index;
            return press_command(REST);
        }
        const uint32_t clock = game.game_clock;
        press_command(EXPLORE);
        if (options_.trace)
            std::fprintf(stderr, "    explore target %d,%d cursor %d,%d\n", level.target_x, level.target_y,
                         state.explore_cursor_x, state.explore_cursor_y);
        // "Nothing to explore!": the key took no time. With a sleeper in sight the game refuses.
        if (game_mode == mode_main && game.game_clock == clock && look_around().sleeper != 0) {
            sleeper_in_way_ = true;
        } else if (game_mode == mode_main && game.game_clock == clock && look_around().nearest == 0) {
            explored_level_ = level.index;
            if (options_.trace) game_.screenshot("bot_explored_" + std::to_string(options_.seed));
            if (options_.trace && std::getenv("DRAVOK_BOT_MAP")) dump_map();
        }
    }

    void fight(const threat& t) {
        ++report_.fights;
        const int percent = health_percent();
        const tbeing& foe = beings[t.nearest];
        if (options_.trace) {
            const tcell& c = cell_at(foe.x, foe.y);
            std::fprintf(stderr, "    hostile %d %s at %d,%d health %d; its cell: being %d furniture %d\n",
                         t.nearest, foe.name.str().c_str(), foe.x, foe.y, foe.health, c.being, c.furniture);
        }
        if (percent < drink_below_percent && t.distance <= close_distance) {
            if (drink_healing()) return;
            // Out of potions: stairs beside the character are a way out, up or down.
            if (const int d = adjacent_stairs(); d != 0) {
                ++report_.stairs;
                return press_command(d);
            }
        }
        // Met by a crowd at the stairs (an arrival in a busy place): back the way it came.
        if (t.adjacent >= crowd && percent < fresh_percent) {
            if (const int d = adjacent_stairs(); d != 0) {
                ++report_.stairs;
                return press_command(d);
            }
        }
        // Beset by several: a step to where fewer of them reach, in a doorway or a corridor.
        if (t.adjacent >= 2 && step_to_narrows(t, true)) return;
        if (t.adjacent > 0) {
            const tbeing& target = beings[t.weakest_adjacent];
            return press_command(direction_to(target.x - beings[player].x, target.y - beings[player].y));
        }
        const tweapon_set& set = beings[player].weapon_set;
        if (set.launcher[0] != 0 && set.quiver_matches_launcher != 0 && roll(2) == 0)
            return press_command(FIRE);
        // Hurt, with the foe not yet here: back away from it.
        if (percent < fresh_percent && step_away(t)) return;
        // Let it come: the first blow is then the character's, best met in the narrows. Not
        // for ever: it may shoot.
        if (waited_ < wait_turns) {
            ++waited_;
            if (step_to_narrows(t, false)) return;
            return press_command(REST);
        }
        return step_toward(foe.x, foe.y);
    }

    // --- The way to the hub and beyond it.
    // The hub is the goal of a game begun for it, and of the deepest level once it is done.
    bool wants_the_hub(bool level_done) const {
        if (hub_seen_ || hub_level_index() == 0) return false;
        return beyond_the_hub(options_.start_depth) || (level_done && !has_way_down());
    }

    static bool has_way_down() {
        for (int p = 1; p < int(portals.size()); ++p)
            if (portals[p].level == level.index && portal_destination_level(p) == level.index + 1 &&
                !beyond_the_hub(level.index + 1))
                return true;
        return false;
    }

    static int market_level_index() {
        for (int i = 1; i < int(levels.size()); ++i)
            if (levels[i].demiplane != 0) return i;
        return 0;
    }

    // On the hub the trading level is visited first, then the Overgod asked for ascension; on
    // the trading level the bot looks round a while and goes back. False: explore as anywhere.
    bool hub_step() {
        if (level.demiplane != 0) {
            if (!market_seen_) {
                market_seen_ = true;
                market_entered_turn_ = turns();
            }
            if (explored_level_ != level.index && turns() - market_entered_turn_ < market_turns) return false;
            return go_through_portal_to(hub_level_index());
        }
        hub_seen_ = true;
        const int market = market_level_index();
        if (!market_seen_ && market != 0) {
            if (go_through_portal_to(market)) return true;
            // Its gate not found yet: exploring goes on, unless the hub is all explored.
            if (explored_level_ != level.index) return false;
        }
        for (int i = 1; i < int(beings.size()); ++i)
            if (i != player && beings[i].present && has_type_flag(beings[i], tf_overgod)) {
                ascending_ = true;
                if (options_.trace)
                    std::fprintf(stderr, "    to the Overgod at %d,%d\n", beings[i].x, beings[i].y);
                return talk_to(i);
            }
        return false;
    }

    // A step toward the being, or from beside it Ctrl and the way to it, which opens the talk
    // (a plain step into a passive being smashes it).
    bool talk_to(int other) {
        const tbeing& me = beings[player];
        const tbeing& o = beings[other];
        if (std::max(std::abs(o.x - me.x), std::abs(o.y - me.y)) == 1) {
            const tkeybinding b = keybindings[direction_to(o.x - me.x, o.y - me.y)][0];
            press(b.key, tshift_state{false, true, false});
            return true;
        }
        for (int d = 0; d <= 8; ++d) {
            const int x = o.x + (d == 0 ? 0 : compass_dx[d]), y = o.y + (d == 0 ? 0 : compass_dy[d]);
            if (on_map(x, y) && walk_to(x, y)) return true;
        }
        return false;
    }

    // Toward the known portal that leads to the level and through it; false when none is known.
    bool go_through_portal_to(int target) {
        const tbeing& me = beings[player];
        int gate = 0, best = 0;
        for (int p = 1; p < int(portals.size()); ++p) {
            const tportal& g = portals[p];
            if (g.level != level.index || portal_destination_level(p) != target || !on_map(g.x, g.y) ||
                cell_at(g.x, g.y).explored == 0)
                continue;
            const int distance = std::max(std::abs(g.x - me.x), std::abs(g.y - me.y));
            if (gate == 0 || distance < best) {
                gate = p;
                best = distance;
            }
        }
        if (gate == 0) return false;
        const int gx = portals[gate].x, gy = portals[gate].y;
        if (options_.trace) std::fprintf(stderr, "    to the portal at %d,%d for level %d\n", gx, gy, target);
        if (best == 0) {
            // Standing on it (the way in put the character there): off, to step in again.
            for (int d = 1; d <= 8; ++d)
                if (on_map(me.x + compass_dx[d], me.y + compass_dy[d]) &&
                    can_move_to(player, me.x + compass_dx[d], me.y + compass_dy[d], 1, false, false) ==
                        target_free) {
                    press_command(d);
                    return true;
                }
            return false;
        }
        if (best == 1) {
            ++report_.stairs;
            press_command(direction_to(gx - me.x, gy - me.y));
            return true;
        }
        return walk_to(gx, gy);
    }

    // Exploring a round at a time, nearest ground first: one step toward the nearest cell the
    // character could walk to that lies beside unexplored ground, over the map it knows. A cell
    // stood on that still borders the unknown (a corner never in view) is given up. False when
    // no such cell is left.
    bool step_to_unexplored() {
        const tbeing& me = beings[player];
        if (given_up_level_ != level.index) {
            given_up_level_ = level.index;
            given_up_.clear();
        }
        auto borders_unknown = [](int x, int y) {
            for (int d = 1; d <= 8; ++d)
                if (on_map(x + compass_dx[d], y + compass_dy[d]) &&
                    cell_at(x + compass_dx[d], y + compass_dy[d]).explored == 0)
                    return true;
            return false;
        };
        auto given_up = [&](int x, int y) {
            return std::find(given_up_.begin(), given_up_.end(), std::make_pair(x, y)) != given_up_.end();
        };
        if (borders_unknown(me.x, me.y) && !given_up(me.x, me.y)) given_up_.emplace_back(me.x, me.y);
        const size_t side = size_t(map_size) + 2;
        // The first step from the character's cell toward each cell reached; -1 not reached.
        std::vector<int8_t> first(side * side, -1);
        auto at = [&](int x, int y) -> int8_t& { return first[size_t(y) * side + size_t(x)]; };
        std::vector<std::pair<int, int>> queue{{me.x, me.y}};
        at(me.x, me.y) = 0;
        for (size_t head = 0; head < queue.size(); ++head) {
            const auto [x, y] = queue[head];
            if (head > 0 && borders_unknown(x, y) && !given_up(x, y)) {
                press_command(at(x, y));
                return true;
            }
            for (int d = 1; d <= 8; ++d) {
                const int u = x + compass_dx[d], v = y + compass_dy[d];
                if (!on_map(u, v) || at(u, v) >= 0 || cell_at(u, v).explored == 0) continue;
                const int m = can_move_to(player, u, v, 1, false, head > 0);
                if (m != target_free && m != target_door_to_open) continue;
                at(u, v) = int8_t(head == 0 ? d : at(x, y));
                queue.emplace_back(u, v);
            }
        }
        return false;
    }

    // Awake foes in sight within one cell of (x, y).
    int foes_beside(int x, int y) const {
        int n = 0;
        for (int i = 1; i < int(beings.size()); ++i) {
            const tbeing& o = beings[i];
            if (i == player || !o.present || o.friendly != 0 || o.turns_unseen_by_player != 0 ||
                o.asleep_counter > 0)
                continue;
            n += std::max(std::abs(o.x - x), std::abs(o.y - y)) <= 1;
        }
        return n;
    }

    // Floor cells round (x, y) a foe could stand on.
    static int open_sides(int x, int y) {
        int n = 0;
        for (int d = 1; d <= 8; ++d) {
            const int u = x + compass_dx[d], v = y + compass_dy[d];
            n += on_map(u, v) && cell_at(u, v).block > last_wall_block && cell_at(u, v).furniture == 0;
        }
        return n;
    }

    // A step to a free neighbouring cell with fewer open sides: beset, one where fewer foes reach;
    // waiting, one no nearer the foe. False when there is none.
    bool step_to_narrows(const threat& t, bool beset) {
        const tbeing& me = beings[player];
        const tbeing& foe = beings[t.nearest];
        const int here = open_sides(me.x, me.y);
        if (here <= narrow_sides) return false;
        int best_direction = 0, best = here;
        for (int d = 1; d <= 8; ++d) {
            const int x = me.x + compass_dx[d], y = me.y + compass_dy[d];
            if (!on_map(x, y) || can_move_to(player, x, y, 1, false, false) != target_free) continue;
            if (beset ? foes_beside(x, y) >= t.adjacent
                      : std::max(std::abs(foe.x - x), std::abs(foe.y - y)) < t.distance)
                continue;
            const int sides = open_sides(x, y);
            if (sides < best) {
                best = sides;
                best_direction = d;
            }
        }
        if (best_direction == 0) return false;
        press_command(best_direction);
        return true;
    }

    // Rest until healed; where the game refuses (a foe in sight, asleep), one round of rest.
    void rest() {
        ++report_.rests;
        const uint32_t clock = game.game_clock;
        const tbeing& me = beings[player];
        if (room_for(rest_rounds_per_point * std::max(me.health_max - me.health, 1)))
            press_command(REST_UNTIL_HEALED);
        if (game_mode == mode_main && game.game_clock == clock) press_command(REST);
    }

    // A step to the free neighbouring cell farthest from every awake foe in sight; false when
    // no step gets farther.
    bool step_away(const threat& t) {
        const tbeing& me = beings[player];
        auto nearest_foe = [&](int x, int y) {
            int best = map_size;
            for (int i = 1; i < int(beings.size()); ++i) {
                const tbeing& o = beings[i];
                if (i == player || !o.present || o.friendly != 0 || o.turns_unseen_by_player != 0 ||
                    o.asleep_counter > 0)
                    continue;
                best = std::min(best, std::max(std::abs(o.x - x), std::abs(o.y - y)));
            }
            return best;
        };
        int best_direction = 0, best = t.distance;
        for (int d = 1; d <= 8; ++d) {
            const int x = me.x + compass_dx[d], y = me.y + compass_dy[d];
            if (!on_map(x, y) || can_move_to(player, x, y, 1, false, false) != target_free) continue;
            const int away = nearest_foe(x, y);
            if (away > best) {
                best = away;
                best_direction = d;
            }
        }
        if (best_direction == 0) return false;
        press_command(best_direction);
        return true;
    }

    // The quickslot key of a healing talent the stamina pays for, else of a carried potion
    // (or other item) that restores health.
    bool drink_healing() {
        const tbeing& me = beings[player];
        for (int k = 1; k <= quickslot_count; ++k) {
            const tquickslot& q = me.quickslots[k - 1];
            if (q.kind != quickslot_talent || q.index < 1 || q.index >= talents.size()) continue;
            const ttalent& talent = talents[q.index];
            if (talent.effect.kind != health_surge_kind || me.stamina < talent.stamina) continue;
            const uint32_t clock = game.game_clock;
            press_command(QUICKSLOT_01 + k - 1);
            if (game_mode == mode_target) press(key_enter);
            if (game.game_clock != clock) return true;
        }
        for (int k = 1; k <= quickslot_count; ++k) {
            const tquickslot& q = me.quickslots[k - 1];
            if (q.kind != quickslot_usable_item || player >= int(being_items.size())) continue;
            if (q.index < 1 || q.index >= being_items[player].size()) continue;
            const titem& item = being_items[player][q.index];
            if (item.amount == 0 || item.activation_effect.kind != ek_restore_health) continue;
            const uint32_t clock = game.game_clock;
            ++report_.items_used;
            press_command(QUICKSLOT_01 + k - 1);
            if (game_mode == mode_target) press(key_enter);
            return game.game_clock != clock || me.health != beings[player].health;
        }
        return drink_from_backpack();
    }

    // Through the inventory: a carried potion (or other item) that restores health is used.
    bool drink_from_backpack() {
        press_command(INVENTORY);
        if (game_mode != mode_inventory) return false;
        const int pane = lister.current;
        const tlister_pane& q = lister.panes[pane];
        int row = 0;
        for (int r = 1; q.kind == list_backpack && r <= q.row_count() && row == 0; ++r) {
            titem item;
            if (!q.rows[r].is_header() && lister_row_item(pane, r, item) && item.amount != 0 &&
                item.activation_effect.kind == ek_restore_health)
                row = r;
        }
        for (int i = 0; row != 0 && i < inventory_rows && lister_cursor_row(pane) != row; ++i)
            press(lister_cursor_row(pane) < row ? key_down : key_up);
        const uint32_t clock = game.game_clock;
        const int health = beings[player].health;
        if (row != 0 && lister_cursor_row(pane) == row) {
            ++report_.items_used;
            press(key_enter);
            if (game_mode == mode_target) press(key_enter);
        }
        if (game_mode == mode_inventory) press(key_escape);
        return game.game_clock != clock || beings[player].health != health;
    }

    // Through the inventory: a carried weapon or armour worth more than what its slot holds is
    // put on. True when a key went to the game.
    bool wear_better_items() {
        press_command(INVENTORY);
        if (game_mode != mode_inventory) return true;
        const int pane = lister.current;
        for (int guard = 0; guard < inventory_rows && game_mode == mode_inventory; ++guard) {
            const int row = better_item_row(pane);
            if (row == 0) break;
            for (int i = 0; i < inventory_rows && lister_cursor_row(pane) != row; ++i)
                press(lister_cursor_row(pane) < row ? key_down : key_up);
            if (lister_cursor_row(pane) != row) break;
            ++report_.items_used;
            press(key_enter);
        }
        if (game_mode == mode_inventory) press(key_escape);
        return true;
    }

    // Through the inventory: the carried stack of the greatest weight, healing aside, is dropped.
    bool drop_heaviest() {
        press_command(INVENTORY);
        if (game_mode != mode_inventory) return true;
        const int pane = lister.current;
        const tlister_pane& q = lister.panes[pane];
        int heaviest = 0;
        uint64_t most = 0;
        for (int r = 1; q.kind == list_backpack && r <= q.row_count(); ++r) {
            titem item;
            if (q.rows[r].is_header() || !lister_row_item(pane, r, item)) continue;
            if (item.activation_effect.kind == ek_restore_health) continue;
            const uint64_t weight = uint64_t(item.weight) * item.amount;
            if (weight > most) {
                most = weight;
                heaviest = r;
            }
        }
        for (int i = 0; heaviest != 0 && i < inventory_rows && lister_cursor_row(pane) != heaviest; ++i)
            press(lister_cursor_row(pane) < heaviest ? key_down : key_up);
        if (heaviest != 0 && lister_cursor_row(pane) == heaviest) press(key_delete);
        if (game_mode == mode_inventory) press(key_escape);
        return true;
    }

    int better_item_row(int pane) const {
        const tlister_pane& q = lister.panes[pane];
        if (q.kind != list_backpack) return 0;
        const tbeing& me = beings[player];
        for (int r = 1; r <= q.row_count(); ++r) {
            const tlister_item& row = q.rows[r];
            if (row.is_header() || row.slot < 1 || row.slot > equipment_slot_count || row.locked || row.red)
                continue;
            titem item;
            if (!lister_row_item(pane, r, item) || !meets_ability_requirements(player, item)) continue;
            if (!has_item_flag(item, if_weapon) && !has_item_flag(item, if_armor) && item.light_radius == 0)
                continue;
            const int worn = me.equipment_of(row.slot);
            const uint32_t worn_value = worn >= 1 && worn < int(being_items[player].size())
                                            ? calculate_item_value(being_items[player][worn])
                                            : 0;
            if (calculate_item_value(item) > worn_value) return r;
        }
        return 0;
    }

    // Travel by the autopilot to the stairs down; where it finds no way, the bot walks.
    void travel_to_stairs() {
        press_command(AUTOPILOT);
        if (game_mode == mode_autopilot) press('D');
        if (game_mode == mode_autopilot) {
            press(key_escape);
            no_stairs_until_ = turns() + stairs_retry_turns;
            if (options_.trace) {
                game_.screenshot("bot_no_stairs_" + std::to_string(options_.seed));
                std::fprintf(stderr, "    stairs down at %d,%d: no travel\n", stairs_x_, stairs_y_);
                if (std::getenv("DRAVOK_BOT_MAP")) dump_map();
            }
        }
    }

    // Whether the map shows stairs down; their cell is kept.
    bool known_stairs_down() {
        if (stairs_level_ == level.index && stairs_x_ != 0) return true;
        stairs_level_ = level.index;
        stairs_x_ = stairs_y_ = 0;
        for (int x = 1; x <= map_size; ++x)
            for (int y = 1; y <= map_size; ++y)
                if (get_furniture(x, y) == fu_stairs_down && cell_at(x, y).explored != 0) {
                    stairs_x_ = x;
                    stairs_y_ = y;
                    return true;
                }
        return false;
    }

    // One step along a path to the cell; false when there is none. The game's path search gives
    // up on a long winding way; the bot's own search over the known map then finds it.
    bool walk_to(int x, int y) {
        if (!pathfind(player, x, y, false, false, purpose_travel) || path_result.length == 0)
            return step_over_known_map(x, y);
        const int d = path_result.step(1);
        if (d < 1 || d > 8) return false;
        if (options_.trace) {
            const tbeing& me = beings[player];
            const tcell& c = cell_at(me.x + compass_dx[d], me.y + compass_dy[d]);
            std::fprintf(stderr, "    walk to %d,%d: step %d, move %d, furniture %d state %d block %d\n", x,
                         y, d,
                         can_move_to(player, me.x + compass_dx[d], me.y + compass_dy[d], 1, false, false),
                         c.furniture, c.furniture_state, c.block);
        }
        press_command(d);
        return true;
    }

    // One step toward the cell over the explored map: the distances from the cell over the
    // cells the character could walk, then the free neighbour nearest it. False when no known
    // way leads there.
    bool step_over_known_map(int tx, int ty) {
        if (!on_map(tx, ty)) return false;
        const tbeing& me = beings[player];
        const size_t side = size_t(map_size) + 2;
        std::vector<int> distance(side * side, -1);
        auto at = [&](int x, int y) -> int& { return distance[size_t(y) * side + size_t(x)]; };
        auto walkable = [](int x, int y) {
            if (cell_at(x, y).explored == 0) return false;
            const int m = can_move_to(player, x, y, 1, false, true);
            return m == target_free || m == target_door_to_open || m == target_own_teleporter;
        };
        std::vector<std::pair<int, int>> queue{{tx, ty}};
        at(tx, ty) = 0;
        for (size_t head = 0; head < queue.size(); ++head) {
            const auto [x, y] = queue[head];
            if (std::max(std::abs(x - me.x), std::abs(y - me.y)) == 1) break;
            for (int d = 1; d <= 8; ++d) {
                const int u = x + compass_dx[d], v = y + compass_dy[d];
                if (!on_map(u, v) || at(u, v) >= 0 || (u == me.x && v == me.y) || !walkable(u, v)) continue;
                at(u, v) = at(x, y) + 1;
                queue.emplace_back(u, v);
            }
        }
        int best_direction = 0, best = 0;
        for (int d = 1; d <= 8; ++d) {
            const int u = me.x + compass_dx[d], v = me.y + compass_dy[d];
            if (!on_map(u, v) || at(u, v) < 0) continue;
            const int m = can_move_to(player, u, v, 1, false, false);
            if (at(u, v) > 0 && m != target_free && m != target_door_to_open) continue;
            if (best_direction == 0 || at(u, v) < best) {
                best = at(u, v);
                best_direction = d;
            }
        }
        if (options_.trace)
            std::fprintf(stderr, "    known-map way to %d,%d: %zu cells reached, step %d\n", tx, ty,
                         queue.size(), best_direction);
        if (best_direction == 0) return false;
        press_command(best_direction);
        return true;
    }

    // The player's way to find a secret door: search a while beside walls that face the largest
    // unexplored stretch of the map, one spot after another.
    void hunt_secret_doors() {
        if (searched_level_ != level.index) {
            searched_level_ = level.index;
            searched_.clear();
            search_x_ = 0;
        }
        if (search_x_ == 0 && options_.trace && std::getenv("DRAVOK_BOT_MAP")) {
            for (int x = 1; x <= map_size; ++x)
                for (int y = 1; y <= map_size; ++y)
                    if (cell_at(x, y).furniture == fu_door_secret)
                        std::fprintf(stderr, "    secret door %d,%d light %d difficulty %d\n", x, y,
                                     light_map.light(x, y), cell_at(x, y).secret_door);
        }
        if (search_x_ == 0 && !choose_search_spot()) {
            // Every spot searched: a search may miss, so the round begins again.
            searched_.clear();
            ++report_.rests;
            return press_command(REST);
        }
        const tbeing& me = beings[player];
        if (me.x == search_x_ && me.y == search_y_) {
            if (options_.trace && search_turns_ == 0)
                std::fprintf(stderr, "    searching at %d,%d light %d search %d seen hostiles %d\n", me.x,
                             me.y, light_map.light(me.x, me.y), me.skill_of(skill_search), me.seen_hostiles);
            if (++search_turns_ >= search_turns_per_spot) {
                searched_.emplace_back(search_x_, search_y_);
                search_x_ = search_turns_ = 0;
                // A door found opens new ground: exploring is tried again.
                explored_level_ = 0;
            }
            ++report_.rests;
            return press_command(REST);
        }
        if (!walk_to(search_x_, search_y_)) {
            searched_.emplace_back(search_x_, search_y_);
            search_x_ = 0;
            return press_command(REST);
        }
    }

    bool choose_search_spot() {
        // In the dark a search finds nothing: lit spots first, dark ones when no lit one is left.
        return choose_search_spot(true) || choose_search_spot(false);
    }

    bool choose_search_spot(bool lit_only) {
        const tbeing& me = beings[player];
        int best = 0, best_distance = 0;
        for (int x = 2; x < map_size; ++x)
            for (int y = 2; y < map_size; ++y) {
                const tcell& c = cell_at(x, y);
                if (c.explored == 0 || c.block <= last_wall_block || c.being != 0 || c.furniture != 0)
                    continue;
                if (lit_only && light_map.light(x, y) < working_light) continue;
                if (!beside_wall_facing_dark(x, y)) continue;
                bool done = false;
                for (const auto& [sx, sy] : searched_)
                    done = done || std::max(std::abs(sx - x), std::abs(sy - y)) <= search_radius;
                if (done) continue;
                int dark = 0;
                for (int u = x - dark_radius; u <= x + dark_radius; ++u)
                    for (int v = y - dark_radius; v <= y + dark_radius; ++v)
                        dark += on_map(u, v) && cell_at(u, v).explored == 0;
                int distance = std::max(std::abs(me.x - x), std::abs(me.y - y));
                // Stairs seen beyond reach: the nearer a wall is to them the likelier its door.
                if (stairs_cut_off_ && stairs_level_ == level.index && stairs_x_ != 0) {
                    distance = std::max(std::abs(stairs_x_ - x), std::abs(stairs_y_ - y));
                    dark = std::min(dark, 1);
                }
                if (dark > best || (dark == best && distance < best_distance)) {
                    best = dark;
                    best_distance = distance;
                    search_x_ = x;
                    search_y_ = y;
                }
            }
        return best > 0;
    }

    // A wall within search reach that has unexplored ground behind it.
    static bool beside_wall_facing_dark(int x, int y) {
        for (int u = x - search_radius; u <= x + search_radius; ++u)
            for (int v = y - search_radius; v <= y + search_radius; ++v) {
                if (!on_map(u, v) || cell_at(u, v).explored == 0 || cell_at(u, v).block > last_wall_block)
                    continue;
                for (int d = 1; d <= 8; d += 2)
                    if (on_map(u + compass_dx[d], v + compass_dy[d]) &&
                        cell_at(u + compass_dx[d], v + compass_dy[d]).explored == 0)
                        return true;
            }
        return false;
    }

    // Stairs either way beside the character; 0 when none.
    static int adjacent_stairs() {
        const tbeing& me = beings[player];
        for (int d = 1; d <= 8; ++d) {
            const int x = me.x + compass_dx[d], y = me.y + compass_dy[d];
            if (on_map(x, y) &&
                (get_furniture(x, y) == fu_stairs_down || get_furniture(x, y) == fu_stairs_up))
                return d;
        }
        return 0;
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
        // Healing is kept for the fights.
        titem item;
        const int pane = lister.current;
        if (!(lister_row_item(pane, lister_cursor_row(pane), item) &&
              item.activation_effect.kind == ek_restore_health)) {
            press(key_enter);
            ++report_.items_used;
        }
        if (game_mode == mode_inventory) press(key_escape);
    }

    void inventory_step() {
        // A list the game opened (several items to pick up): take the row under the cursor.
        if (roll(2) == 0 && room_for_walk()) press(key_enter);
        if (game_mode == mode_inventory) press(key_escape);
    }

    void dialog_step() {
        if (dialog.kind == dialog_game_over) {
            if (game_over_.empty()) game_over_ = state.won ? "won" : "died";
            if (move_dialog_to(22)) press(key_enter);
            return;
        }
        // Confirmations are mostly answered yes (stairs, doors); the rest at random. Asking the
        // Overgod, the bot ascends.
        int wanted = 0;
        for (int i = 1; i <= dialog.button_count; ++i)
            if (dialog_buttons[i].answer == 2 && roll(5) != 0) wanted = dialog_buttons[i].answer;
        for (int i = 1; ascending_ && i <= dialog.button_count; ++i)
            if (dialog_buttons[i].answer == ascend_answer || dialog_buttons[i].answer == ascend_as_god_answer)
                wanted = dialog_buttons[i].answer;
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
        record("wait 1000");
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
    std::string levels;
    for (int l : r.levels_played)
        levels += (levels.empty() ? "" : "/") + std::to_string(l);
    line += "  (start " + std::to_string(r.start_depth) + ", levels " + (levels.empty() ? "-" : levels) +
            ", fights " + std::to_string(r.fights) + ", items " + std::to_string(r.items_used) +
            ", pickups " + std::to_string(r.pickups) + ", stairs " + std::to_string(r.stairs) + ", rests " +
            std::to_string(r.rests) + ", saves " + std::to_string(r.saves) + ", loads " +
            std::to_string(r.loads) + ", errors " + std::to_string(r.errors.size()) + ")";
    if (r.load_mismatches > 0) line += "  LOAD DIFFERS FROM SAVE";
    return line;
}

} // namespace dravok::testing
