#include "rules/search.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"

#include <array>
#include <cstdlib>
#include <string>

#include "generation/areas.h"
#include "rules/checks.h"
#include "rules/followers.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/experience_award.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/item_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/services.h"
#include "world/tables.h"

namespace dravok {

namespace {

constexpr std::array<std::string_view, 9> direction_names = {
    "", "north", "northeast", "east", "southeast", "south", "southwest", "west", "northwest"};
constexpr int player_radius = 2, other_radius = 1, oddity_radius = 3;
constexpr int oddity_difficulty = 23;
constexpr int snap_tolerance = 20;
constexpr int own_trap_relief = 10;
constexpr uint32_t neutral_colour = 0xFFFFFF, found_red = 0xFF0000, gold = 0xFFD700;

std::string trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    while (!s.empty() && s.front() == ' ')
        s.erase(s.begin());
    return s;
}

std::string_view direction_to(const tbeing& b, int x, int y) {
    const int d = get_direction(b.x, b.y, x, y);
    return d >= 1 && d <= 8 ? direction_names[d] : std::string_view("");
}

// A companion tells of its find; a dog barks.
void report_aloud(int being, const std::string& line) {
    const tbeing& b = beings[being];
    std::string said;
    if (can_talk(being))
        said = line;
    else if (has_type_flag(b, tf_dog))
        said = "Woof woof!";
    if (!said.empty() && services.can_see(player, being, 0, 0))
        add_speech_message(being, player, 0, said, "");
}

void found_by_player(int being, int x, int y, std::string_view what, int difficulty, bool own,
                     std::string& t) {
    t += "$SYou found " + std::string(what) + " in the " + std::string(direction_to(beings[being], x, y)) +
         ". ";
    const int xp = own ? 0 : award_disable_experience(difficulty, 1);
    if (xp > 0) {
        add_floating_text(x, y, std::to_string(xp) + " XP", gold);
        t += "$E (" + std::to_string(xp) + " XP)  ";
    }
}

void search_close_cells(int being, std::string& t) {
    tbeing& b = beings[being];
    const int r = has_type_flag(b, tf_player) ? player_radius : other_radius;
    for (int x = b.x - r; x <= b.x + r; ++x)
        for (int y = b.y - r; y <= b.y + r; ++y) {
            if (!on_map(x, y) || !services.can_see(being, 0, x, y)) continue;
            tcell& c = cell_at(x, y);
            if (c.furniture == fu_door_secret) {
                const int difficulty = c.secret_door;
                if (!skill_check_roll(being, skill_search, difficulty)) continue;
                reveal_secret_door(x, y, 1);
                add_floating_text(x, y, "secret door", neutral_colour);
                if (being == player)
                    found_by_player(being, x, y, "a secret door", difficulty, false, t);
                else
                    report_aloud(being,
                                 "There's a secret door in the " + std::string(direction_to(b, x, y)) + "!");
                stop_on_hostiles(player, false);
            } else if (c.trap != 0 && c.trap_difficulty >= 1) {
                const int difficulty = c.trap_difficulty;
                if (!skill_check_roll(being, skill_search, difficulty)) continue;
                c.trap_difficulty = int8_t(-c.trap_difficulty);
                add_floating_text(x, y, "trap!", found_red);
                const titem_plan& plan = item_plans[c.trap];
                const std::string name = item_name(plan.name.view(), 1, 0, 0, 2);
                const bool own = c.trap_setter != 0 && c.trap_setter == uint16_t(b.serial);
                if (being == player)
                    found_by_player(being, x, y, name, difficulty, own, t);
                else
                    report_aloud(being,
                                 "There's " + name + " in the " + std::string(direction_to(b, x, y)) + "!");
                stop_on_hostiles(player, false);
            }
        }
}

void notice_oddities(int being, std::string& t) {
    const tbeing& b = beings[being];
    for (int x = b.x - oddity_radius; x <= b.x + oddity_radius; ++x)
        for (int y = b.y - oddity_radius; y <= b.y + oddity_radius; ++y) {
            if (!on_map(x, y)) continue;
            tcell& c = cell_at(x, y);
            if (c.furniture == fu_none || c.furniture == fu_door_secret || c.furniture == fu_coffin ||
                c.furniture == fu_sarcophagus || c.hidden_creature == 0 || c.noticed != 0)
                continue;
            if (!services.can_see(being, 0, x, y)) continue;
            if (!skill_check_roll(being, skill_search, get_distance(b.x, b.y, x, y) + oddity_difficulty))
                continue;
            const int d = snap_direction(b.x, b.y, x, y, snap_tolerance);
            std::string kind;
            get_furniture_kind_name(x, y, kind);
            const std::string line = "There is something odd in that " + kind + " in the " +
                                     std::string(d >= 1 && d <= 8 ? direction_names[d] : "") + ". ";
            if (being == player) {
                t += line;
                c.noticed = 1;
                add_floating_text(x, y, "Beware!", found_red);
            } else if (services.can_see(player, being, 0, 0) && can_talk(being)) {
                add_speech_message(being, player, 0, trimmed(line), "");
            }
            stop_on_hostiles(player, false);
        }
}

} // namespace

void reveal_secret_door(int x, int y, int depth) {
    depth = trace_enter(depth, trace_reveal_secret_door);
    if (!on_map(x, y, depth) || cell_at(x, y).furniture != fu_door_secret) return;
    tcell& c = cell_at(x, y);
    c.secret_door = 0;
    // The door takes the floor of its surroundings; without any it stays hidden, now trivial.
    const int floor = most_common_neighbour_floor(x, y);
    if (floor == 0) return;
    c.block = uint8_t(floor);
    c.block_variant = 0;
    add_furniture(x, y, c.lock != 0 ? fu_door_lockable : fu_door, depth);
    calculate_area_exits();
    update_area_door_states();
}

void search_surroundings(int being) {
    if (!is_being_ok(being)) return;
    std::string t;
    search_close_cells(being, t);
    t = trimmed(t);
    if (!t.empty()) add_message(t);
    t.clear();
    if (!is_being_ok(being)) return;
    notice_oddities(being, t);
    t = trimmed(t);
    if (!t.empty()) add_message("$N" + t);
}

bool avoid_trap_check(int being, int x, int y) {
    if (!is_being_ok(being) || !on_map(x, y)) return false;
    const tcell& c = cell_at(x, y);
    int difficulty = std::abs(int(c.trap_difficulty));
    if (c.trap_setter == 0 && has_type_flag(beings[being], tf_knows_level_traps))
        difficulty -= own_trap_relief;
    return skill_check_roll(being, skill_dodge, difficulty);
}

} // namespace dravok
