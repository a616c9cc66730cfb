#include "world/being.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "world/tables.h"

#include <cctype>
#include <cmath>

#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/player.h"
#include "world/state.h"

namespace dravok {

namespace {

char upper(char c) {
    return char(std::toupper(static_cast<unsigned char>(c)));
}
char lower(char c) {
    return char(std::tolower(static_cast<unsigned char>(c)));
}
bool is_lower(char c) {
    return c >= 'a' && c <= 'z';
}
bool is_upper(char c) {
    return c >= 'A' && c <= 'Z';
}

std::string capitalised(std::string s) {
    if (!s.empty()) s[0] = upper(s[0]);
    return s;
}

std::string with_adjective(std::string_view adjective, std::string_view name) {
    std::string s;
    if (!adjective.empty()) {
        s.assign(adjective);
        s += ' ';
    }
    s += name;
    return s;
}

} // namespace

bool plan_has_type_flag(int plan, int flag) {
    if (plan < 1 || plan >= int(being_plans.size()) || flag < 0 || flag >= type_flag_count) return false;
    return being_plans[plan].type_flags[flag] != 0;
}

void being_name(int being, int form, std::string_view adjective, std::string& out, int depth) {
    depth = trace_enter(depth, trace_being_name);
    out.clear();
    if (!is_being_ok(being, depth)) return;
    const tbeing& b = beings[being];
    const std::string name = b.name.str();
    if (name.empty()) return;
    switch (form) {
    case name_capitalised:
        out = capitalised(name);
        break;
    case name_map_label:
        if (game_mode == mode_target)
            out = capitalised(name);
        else if (being != player)
            out = std::to_string(b.number);
        break;
    case name_the_capital:
    case name_the:
        if (!is_lower(name[0]))
            out = with_adjective(adjective, name);
        else
            out = (form == name_the_capital ? "The " : "the ") + with_adjective(adjective, name);
        break;
    case name_article_capital:
    case name_article: {
        const bool capital = form == name_article_capital;
        if (is_upper(name[0])) {
            out = adjective.empty() ? name : "the " + with_adjective(adjective, name);
        } else if (has_type_flag(b, tf_unique)) {
            out = "the " + with_adjective(adjective, name);
        } else {
            // The article follows the name's first letter, whatever the adjective.
            const bool vowel = std::string_view("aeiou").find(lower(name[0])) != std::string_view::npos;
            out = (vowel ? "an " : "a ") + with_adjective(adjective, name);
        }
        if (capital) out = capitalised(out);
        break;
    }
    default:
        break;
    }
}

std::string being_name(int being, int form, std::string_view adjective, int depth) {
    std::string out;
    being_name(being, form, adjective, out, depth);
    return out;
}

int8_t ability_modifier(int value) {
    const int v = int8_t(value); // taken as a signed byte
    if (v == 0) return -9;
    if (v == 1) return -7;
    if (v == 2) return -5;
    return int8_t(std::floor((v - 10) / 2.0));
}

uint32_t experience_for_level(int n) {
    if (n < 1) return 0;
    double f = 1;
    uint32_t total = 0;
    for (int k = 1; k <= n; ++k) {
        if (k == 2)
            f = 2;
        else if (k > 2)
            f += 1.5;
        total += uint32_t(std::nearbyint((f - 1) * 1000));
    }
    return total;
}

void stop_resting(int b) {
    state.resting = 0;
    if (b >= 1 && b < int(beings.size()) && beings[b].serial != 0) {
        beings[b].resting = 0;
        beings[b].rest_rounds = 0;
    }
}

bool is_being_ok(int being, int depth) {
    depth = trace_enter(depth, trace_is_being_ok);
    if (being < 1 || being >= int(beings.size())) return false;
    const tbeing& b = beings[being];
    // Never reports: a being that has gone is an ordinary answer here.
    return b.serial != 0 && on_map(b.x, b.y, 0);
}

int find_being_by_serial(int32_t serial) {
    if (serial == 0) return 0;
    for (int i = 1; i < int(beings.size()); ++i) {
        if (beings[i].serial == serial && beings[i].present != 0) return i;
    }
    return 0;
}

int find_inactive_being_by_serial(int32_t serial) {
    if (serial == 0) return 0;
    for (int i = 1; i < int(beings.size()); ++i) {
        if (beings[i].serial == serial && beings[i].present == 0) return i;
    }
    return 0;
}

int find_being_plan_by_name(std::string_view identifier) {
    for (int i = 1; i < int(being_plans.size()); ++i) {
        if (being_plans[i].identifier.view() == identifier) return i;
    }
    return 0;
}

bool get_being_plan(int being, tbeing_plan& out, int depth) {
    depth = trace_enter(depth, trace_get_being_plan);
    out = tbeing_plan{};
    if (!is_being_ok(being, depth)) return false;
    const int plan = beings[being].plan;
    if (plan < 1 || plan >= int(being_plans.size())) return false;
    out = being_plans[plan];
    return true;
}

void set_being_status(int being, int status, int status_level) {
    if (being < 1 || being >= int(beings.size()) || status < 1 || status > status_count) return;
    uint8_t& s = beings[being].status_of(status);
    if (status_level > s) s = uint8_t(status_level);
}

bool can_talk(int being) {
    if (being < 1 || being >= int(beings.size())) return false;
    const tbeing& b = beings[being];
    return b.asleep_counter == 0 && !has_type_flag(b, tf_animal) && !has_type_flag(b, tf_ooze) &&
           !has_type_flag(b, tf_insect);
}

bool is_single_cell_being(int being) {
    if (being < 1 || being >= int(beings.size())) return false;
    return beings[being].width == 1 && beings[being].height == 1;
}

void clear_being_turn_marks() {
    for (std::size_t i = 1; i < beings.size(); ++i)
        beings[i].turn_mark = 0;
}

void count_level_beings() {
    uint16_t present = 0, evil = 0;
    for (std::size_t i = 1; i < beings.size(); ++i) {
        const tbeing& b = beings[i];
        if (b.serial == 0 || b.present == 0) continue;
        ++present;
        if (has_type_flag(b, tf_evil) && !has_type_flag(b, tf_passive)) ++evil;
    }
    level.present_beings = present;
    level.evil_beings = evil;
}

} // namespace dravok
