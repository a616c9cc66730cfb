// Stand-ins for world state and services of branches that are landing now; see the header.
#include "rules/stand_ins.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "ui/screen.h"
#include "world/message_log.h"
#include "world/error_log.h"
#include "world/random.h"
#include "world/text_expand.h"

namespace dravok {

std::vector<tbeing> beings;
tgame game{};
tstate state;
tsettings settings;
int player = 0, player_character = 0, game_mode = 0;
tbeing blank_being{};
bool log_changed = false;
std::vector<tarea_stand_in> areas;
uint16_t level_visited_areas = 0;
tcell map_cells[map_grid_size * map_grid_size]{};
int map_size = 0;
tmap_point level_map_points[map_point_count + 1]{};
tcell_xy level_explore_target{};
uint16_t autopilot_pick_up_item = 0;
std::vector<std::string> history_lines;

const tstep direction_steps[9] = {{0, 0}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};

namespace {
constexpr int tf_immobile = 155, tf_can_open_doors = 195;
}

bool on_map(int x, int y, int) { return x >= 1 && y >= 1 && x <= map_size && y <= map_size; }
bool is_wall(int x, int y, int) { return on_map(x, y) && cell_at(x, y).block >= 1 && cell_at(x, y).block <= 40; }
bool is_floor(int x, int y, int) { return on_map(x, y) && cell_at(x, y).block >= 41 && cell_at(x, y).block <= 90; }
bool is_door(int x, int y, int door_state, int) {
    if (!on_map(x, y)) return false;
    const tcell& c = cell_at(x, y);
    return c.furniture >= 8 && c.furniture <= 10 && (door_state == -1 || c.furniture_state == door_state);
}
bool is_closed_container(int x, int y, int) {
    if (!on_map(x, y)) return false;
    const tcell& c = cell_at(x, y);
    return c.furniture >= 12 && c.furniture <= 19 && c.furniture_state == 0;
}

bool is_being_ok(int b, int) {
    return b >= 1 && b < int(beings.size()) && beings[b].serial != 0 && on_map(beings[b].x, beings[b].y);
}

int can_move(int b, int depth) {
    const tbeing& being = beings[b];
    if (being.type_flags[tf_immobile]) return -1;
    if (being.ability[1] == 0) return -2;
    if (being.carrying_limit > 0 && being.carried_weight > being.carrying_limit) return -3;
    if (is_on_restraining_map_effect(b, depth)) return -4;
    return 0;
}

int can_move_to(int b, int x, int y, int, bool, bool ignore_beings) {
    const tbeing& being = beings[b];
    int result = 1;
    for (int cx = x; cx < x + std::max<int>(1, being.width); ++cx)
        for (int cy = y; cy < y + std::max<int>(1, being.height); ++cy) {
            if (!on_map(cx, cy)) return -1;
            const tcell& c = cell_at(cx, cy);
            if (!is_floor(cx, cy)) return -2;
            if (!ignore_beings && c.being != 0 && c.being != b) return -3;
            if (c.furniture != 0 && c.furniture != 60) {
                if (is_door(cx, cy, 0)) {
                    if (!being.type_flags[tf_can_open_doors]) return -5;
                    result = 2;
                } else if (!is_door(cx, cy, 1)) {
                    return -4;
                }
            }
            if (c.trap != 0 && c.trap_difficulty < 0 && result == 1) result = -7;
        }
    return result;
}

bool can_close_opened_door(int, int x, int y, int) { return is_door(x, y, 1) && cell_at(x, y).being == 0; }

void place_being(int b, int x, int y, int) {
    tbeing& being = beings[b];
    if (on_map(being.x, being.y))
        for (int cx = being.x; cx < being.x + std::max<int>(1, being.width); ++cx)
            for (int cy = being.y; cy < being.y + std::max<int>(1, being.height); ++cy)
                if (on_map(cx, cy) && cell_at(cx, cy).being == b) {
                    cell_at(cx, cy).being = 0;
                    cell_at(cx, cy).footprint = 0;
                }
    if (x == 0 && y == 0) return;
    being.x = uint8_t(x);
    being.y = uint8_t(y);
    for (int cx = x; cx < x + std::max<int>(1, being.width); ++cx)
        for (int cy = y; cy < y + std::max<int>(1, being.height); ++cy)
            if (on_map(cx, cy)) {
                cell_at(cx, cy).being = uint16_t(b);
                cell_at(cx, cy).footprint = cx == x && cy == y ? 1 : 2;
            }
    being.moved = 1;
    being.area = cell_at(x, y).area;
}

int add_being_to_level(int x, int y, const tbeing& record, int depth, int) {
    if (!on_map(x, y) || record.name.size() == 0) return 0;
    if (beings.empty()) beings.resize(1);
    int slot = 0;
    for (int i = 1; i < int(beings.size()) && slot == 0; ++i)
        if (beings[i].serial == 0) slot = i;
    if (slot == 0) {
        slot = int(beings.size());
        beings.resize(beings.size() + 100);
    }
    beings[slot] = record;
    if (beings[slot].serial == 0) beings[slot].serial = int32_t(++game.being_serial);
    beings[slot].in_use = 1;
    beings[slot].present = 1;
    beings[slot].x = beings[slot].y = 0;
    place_being(slot, x, y, depth);
    return slot;
}

int find_being_plan_by_name(std::string_view) { return 0; }
void update_being(int b, int) {
    if (b >= 1 && b < int(beings.size())) beings[b].stats_dirty = 0;
}

void regenerate_being(int b, int depth) {
    if (!is_being_ok(b, depth)) return;
    tbeing& being = beings[b];
    if (being.health >= being.health_max || being.health_regen == 0 || being.health_regen_delay == 0) return;
    if (being.health_regen_countdown > 1) {
        --being.health_regen_countdown;
        return;
    }
    being.health_regen_countdown = being.health_regen_delay;
    being.health = uint16_t(std::min<int>(being.health_max, being.health + being.health_regen));
}

void stop_on_hostiles(int b, bool hostiles_seen) {
    if (b < 1 || b >= int(beings.size()) || !beings[b].commanded) return;
    tbeing& being = beings[b];
    const bool autopilot = being.path.purpose == 13;
    if (autopilot)
        add_message(hostiles_seen ? "$FHostiles seen! Stopped autopilot." : "$FStopped autopilot.");
    else if (state.run_counter > 0)
        add_message(hostiles_seen ? "$FHostiles seen! Stopped continuous walk." : "$FStopped continuous walk.");
    state.run_counter = 0;
    if (autopilot) being.path = tpath{};
}

void stop_resting(int b) {
    state.resting = 0;
    if (b >= 1 && b < int(beings.size()) && beings[b].serial != 0) {
        beings[b].resting = 0;
        beings[b].rest_rounds = 0;
    }
}

void end_possession(int b) {
    tbeing& being = beings[b];
    being.possession_end = 0;
    being.type_flags[tf_possessed] = 0;
    being.commanded = 0;
    stop_on_hostiles(b, false);
    being.next_action_time = game.game_clock + 45;
}

void check_animated_and_summoned(int, int) {}

void kill_being(int b, tdamage& damage, int depth) {
    if (!is_being_ok(b, depth)) return;
    beings[b].last_damage = damage;
    place_being(b, 0, 0, depth);
    beings[b].present = 0;
}

int ability_check_roll(int b, int ability, int difficulty, bool) {
    const int roll = random(20) + 1;
    return roll + beings[b].ability_modifier[ability - 1] - difficulty;
}

void statues_to_beings(int, int, int, int) {}
bool is_on_restraining_map_effect(int, int) { return false; }
bool stands_in_harmful_map_effect(int) { return false; }

void shutdown(bool) { close_game_window(); }

void advance_game_clock() {
    const uint32_t n = (game.game_clock - game.clock_update_time) / 150;
    if (n == 0) return;
    uint32_t minutes = game.clock_minutes + n;
    uint32_t hours = game.clock_hours;
    uint32_t days = game.clock_days;
    if (minutes > 59) {
        hours += minutes / 60;
        minutes %= 60;
        if (hours > 23) {
            days += hours / 24;
            hours %= 24;
        }
    }
    game.clock_minutes = uint8_t(minutes);
    game.clock_hours = uint8_t(hours);
    game.clock_days = uint8_t(days);
    game.clock_update_time = game.game_clock;
}

void record_key_history(int key, int modifier, int command) {
    for (int n = key_history_count; n > 1; --n) game.key_history_of(n) = game.key_history_of(n - 1);
    game.key_history_of(1) = {uint8_t(key), uint8_t(modifier), uint8_t(command & 0xFF), uint8_t(game_mode), 0,
                              uint8_t(game.current_level)};
}

void take_screenshot() {}
void save_map_image() {}
void add_history(std::string_view text) { history_lines.emplace_back(text); }

void smear_splashes(int, int, int, int) {}
void add_splash(int x, int y, int, int, int kind, int) {
    if (on_map(x, y)) cell_at(x, y).splash = uint8_t(kind);
}
void get_cell_text(int, int, bool, std::string& out) { out.clear(); }
void autopick_items(int, int, int, std::string& out, int) { out.clear(); }
void spring_trap(int, int, int, int) {}
void handle_sentient_item_oneliners(int, int) {}
void check_ammunition(int, int) {}
void switch_ammunition(int, int) {}
bool carries_item_with_effect(int, int) { return false; }
int loose_item_count(int x, int y) { return on_map(x, y) ? cell_at(x, y).loose_items : 0; }

int get_distance(int x1, int y1, int x2, int y2) {
    const double dx = x1 - x2, dy = y1 - y2;
    return int(std::nearbyint(std::sqrt(dx * dx + dy * dy)));
}
void update_level(int) {}
uint32_t find_explore_target() { return 0; }
void number_areas_from(int, int, int) {}
int build_ring_list(int, int, int) { return 0; }
int map_effect_slot_at(int, int) { return 0; }
const teffect& duration_effect(int) {
    static const teffect blank{};
    return blank;
}
std::string area_discovery_text(int) { return {}; }

// Until sight lands every actor counts as seen by the player.
void action_sentence(int actor, int target, std::string_view format, std::string& out,
                     std::string_view verb_for_others, std::string_view verb_for_player) {
    const bool is_player = actor == player;
    const std::string subject = is_player ? "You" : "The " + std::string(beings[actor].name.view());
    const std::string verb(is_player ? verb_for_player : verb_for_others);
    std::string object;
    if (target >= 1) object = target == player ? "you" : "the " + std::string(beings[target].name.view());
    std::string f(format);
    if (f.empty()) f = object.empty() ? "%s %s." : "%s %s %s.";
    out.clear();
    const std::string parts[3] = {subject, verb, object};
    int next = 0;
    for (size_t i = 0; i < f.size(); ++i) {
        if (f[i] == '%' && i + 1 < f.size() && f[i + 1] == 's' && next < 3) {
            out += parts[next++];
            ++i;
        } else {
            out += f[i];
        }
    }
}

} // namespace dravok
