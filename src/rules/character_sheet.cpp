#include "rules/character_sheet.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/clock.h"
#include "rules/talent_choice.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_lists.h"
#include "world/level_record.h"
#include "world/lookup.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/settings_record.h"
#include "world/tables.h"
#include "world/text_database.h"

namespace dravok {

tcharacter edited_character{};
const tcharacter blank_character{};
tcharacter game_character{};
tcharacter race_snapshot{}, abilities_snapshot{}, skills_snapshot{}, level_up_snapshot{};

namespace {

constexpr int ability_body = 1, ability_motion = 2, ability_mind = 3, ability_spirit = 4;
constexpr char drawn_name_template[] = "%m_start%%m_end%";
constexpr char reroll_formula[] = "3d4+4";
constexpr std::size_t default_name_length = 20;

int first_set_type_flag(const tbeing_plan& plan, int first, int last) {
    for (int f = first; f <= last; ++f)
        if (plan.type_flags[f] != 0) return f;
    return 0;
}
int first_set_type_flag(const tbeing& being, int first, int last) {
    for (int f = first; f <= last; ++f)
        if (being.type_flags[f] != 0) return f;
    return 0;
}

// The low byte of a formula's constant: the race modifiers are stored as signed bytes.
int8_t formula_bonus(const tdice& dice) {
    return int8_t(dice.bonus & 0xFF);
}

std::string capitalised(std::string_view name) {
    std::string s(name);
    capitalize_first(s);
    return s;
}

} // namespace

double date_now() {
    return datetime_value(local_now());
}

int key_ability_of_skill(int skill) {
    static constexpr int keys[skill_count] = {ability_motion, ability_motion, ability_mind,  ability_motion,
                                              ability_motion, ability_mind,   ability_motion};
    return skill >= 1 && skill <= skill_count ? keys[skill - 1] : ability_body;
}

int ability_point_cost(int score) {
    static constexpr int costs[] = {2, 2, 3, 3, 3, 4, 5, 7, 8}; // scores 12..20
    if (score < 12) return 1;
    return costs[std::min(score, greatest_ability_score) - 12];
}

void set_sheet_name(const std::string& text) {
    std::string name;
    expand_section_references(text, name);
    edited_character.name = name.substr(0, 30);
}

std::string name_safe_text(std::string_view text) {
    std::string out;
    for (char c : text)
        if (std::isalnum(static_cast<unsigned char>(c)) || c == ' ' || c == '-') out += c;
    const auto first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    out = out.substr(first, out.find_last_not_of(' ') - first + 1);
    return out.substr(0, default_name_length);
}

void new_character_sheet() {
    edited_character = blank_character;
    edited_character.date_made = date_now();
    edited_character.level = 1;
    edited_character.created = 1;
    // The setting is free text: only what the name entry accepts may become a file name later.
    const std::string wanted = name_safe_text(settings.default_name);
    set_sheet_name(wanted.empty() ? std::string(drawn_name_template) : wanted);
    edited_character.hide_unavailable = 1;
}

void choose_race(int plan_index, int image, int first_image, int image_count) {
    if (plan_index < 1 || plan_index >= int(being_plans.size())) return;
    const tbeing_plan& plan = being_plans[plan_index];
    tcharacter& c = edited_character;
    c.race_plan = uint16_t(plan_index);
    c.category = uint8_t(first_set_type_flag(plan, first_category_flag, last_category_flag));
    c.race = uint8_t(first_set_type_flag(plan, first_race_flag, last_race_flag));
    c.size = uint8_t(first_set_type_flag(plan, first_size_flag, last_size_flag));
    c.gender = uint8_t(first_set_type_flag(plan, first_gender_flag, last_gender_flag));
    c.race_image = uint16_t(image);
    c.race_first_image = uint16_t(first_image);
    c.race_image_count = uint16_t(image_count);
    for (int k = 1; k <= ability_count; ++k)
        at1(c.race_ability_modifier, k) = formula_bonus(at1(plan.ability, k));
    for (int k = 1; k <= skill_count; ++k)
        at1(c.race_skill_modifier, k) = formula_bonus(at1(plan.skill, k));
    reset_abilities();
    c.base_health = uint16_t(round_half_even(max_dice(plan.health, 0) * 1.5));
    c.base_stamina = uint16_t(max_dice(plan.stamina, 0));
    for (int t = 1; t <= std::min(talent_count, talents_in_game()); ++t) {
        c.talent(t) = tcharacter_talent{};
        if (at1(plan.talent, t) != 0) c.talent(t).owned = c.talent(t).chosen = 1;
    }
    race_snapshot = c;
}

void reset_abilities() {
    for (uint8_t& a : edited_character.base_ability)
        a = point_buy_start_score;
    edited_character.ability_points = point_buy_points;
    edited_character.abilities_rolled = 0;
    refresh_sheet_abilities();
}

void reroll_abilities() {
    tcharacter& c = edited_character;
    tdice roll{};
    parse_dice(reroll_formula, roll);
    for (uint8_t& a : c.base_ability) {
        const int score = roll_dice(roll);
        a = uint8_t(score);
    }
    const tbeing_plan* plan =
        c.race_plan != 0 && c.race_plan < being_plans.size() ? &being_plans[c.race_plan] : nullptr;
    if (plan != nullptr) {
        const int chance = d100();
        if (chance <= plan->reroll_chance) {
            const int k = random(ability_count) + 1;
            const int bonus = roll_dice(plan->race_bonus);
            at1(c.base_ability, k) = uint8_t(at1(c.base_ability, k) + bonus);
        }
    }
    c.ability_points = 0;
    c.abilities_rolled = 1;
    refresh_sheet_abilities();
}

bool change_ability_score(int k, int step) {
    tcharacter& c = edited_character;
    if (c.abilities_rolled || k < 1 || k > ability_count) return false;
    const int value = at1(c.base_ability, k);
    const int wanted = value + step;
    if (wanted < least_ability_score || wanted > greatest_ability_score || step == 0) return false;
    int points = c.ability_points;
    // Each score passed on the way costs (or refunds) its own price.
    for (int s = value; s != wanted;) {
        if (step > 0) {
            ++s;
            points -= ability_point_cost(s);
        } else {
            points += ability_point_cost(s);
            --s;
        }
    }
    if (points < 0) return false;
    c.ability_points = uint8_t(points);
    at1(c.base_ability, k) = uint8_t(wanted);
    refresh_sheet_abilities();
    return true;
}

void refresh_sheet_abilities() {
    tcharacter& c = edited_character;
    for (int k = 1; k <= ability_count; ++k) {
        const int total = at1(c.base_ability, k) + at1(c.race_ability_modifier, k);
        at1(c.ability, k) = uint8_t(total);
        at1(c.ability_modifier, k) = ability_modifier(total);
    }
}

void confirm_abilities() {
    tcharacter& c = edited_character;
    refresh_sheet_abilities();
    abilities_snapshot = c;
    const int mind = at1(c.ability_modifier, ability_mind);
    const tbeing_plan* plan =
        c.race_plan != 0 && c.race_plan < being_plans.size() ? &being_plans[c.race_plan] : nullptr;
    const int extra_skill = plan ? plan->extra_skill_points : 0;
    const int extra_talent = plan ? plan->extra_talent_points : 0;
    c.skill_points = uint8_t(std::max(0, (mind + 6) / 2 + extra_skill));
    c.max_health = c.health = uint16_t(std::max(0, c.base_health + at1(c.ability_modifier, ability_body)));
    c.max_stamina = c.stamina =
        uint16_t(std::max(0, c.base_stamina + at1(c.ability_modifier, ability_spirit)));
    std::memcpy(c.skill, c.race_skill_modifier, sizeof c.skill);
    std::memcpy(c.skill_minimum, c.race_skill_modifier, sizeof c.skill_minimum);
    c.talent_points = uint8_t(1 + extra_talent);
    c.talent_point_counter = int8_t(mind + 1);
    if (c.talent_point_counter >= 4) {
        c.talent_point_counter = int8_t(mind);
        ++c.talent_points;
    }
}

int sheet_skill_maximum(int skill) {
    const tcharacter& c = edited_character;
    return c.level + at1(c.ability_modifier, key_ability_of_skill(skill));
}

bool change_skill_value(int k, int step) {
    tcharacter& c = edited_character;
    if (k < 1 || k > skill_count || step == 0) return false;
    const int value = at1(c.skill, k);
    const int wanted = value + step;
    if (wanted < at1(c.skill_minimum, k) || wanted > sheet_skill_maximum(k)) return false;
    int points = c.skill_points;
    if (step < 0)
        points += value <= 0 ? 1 : value;
    else
        points -= value < 0 ? 1 : wanted;
    if (points < 0) return false;
    c.skill_points = uint8_t(points);
    at1(c.skill, k) = int8_t(wanted);
    return true;
}

bool sheet_meets_talent_requirements(int talent) {
    if (talent < 1 || talent > std::min(talent_count, talents_in_game())) return false;
    const ttalent& t = talents[talent];
    const tcharacter& c = edited_character;
    if (t.min_level != 0 && t.min_level > c.level) return false;
    if (t.max_level != 0 && t.max_level < c.level) return false;
    for (int k = 1; k <= ability_count; ++k) {
        const int need = at1(t.required_ability, k);
        if (need > 0 && need > at1(c.ability, k)) return false;
    }
    for (int k = 1; k <= skill_count; ++k) {
        const int need = at1(t.required_skill, k);
        if (need > 0 && need > at1(c.skill, k)) return false;
    }
    for (int r = 1; r <= talent_count; ++r) {
        if (at1(t.required_talent, r) == 0) continue;
        if (!c.talent(r).owned && !c.talent(r).chosen) return false;
    }
    return true;
}

std::string talent_requirement_text(int talent) {
    if (talent < 1 || talent > talents_in_game()) return {};
    const ttalent& t = talents[talent];
    const tcharacter& c = edited_character;
    constexpr char crlf[] = "\r\n";
    std::string out;
    if (t.min_level != 0)
        out += "$dRequired minimum level: $B" + std::to_string(t.min_level) + " " +
               compare_value_text(t.min_level, c.level, false, "$d") + crlf;
    if (t.max_level != 0)
        out += "$dRequired maximum level: $B" + std::to_string(t.max_level) + " " +
               compare_value_text(t.max_level, c.level, true, "$d") + crlf;
    std::string items;
    for (int k = 1; k <= ability_count; ++k) {
        const int need = at1(t.required_ability, k);
        if (need <= 0) continue;
        if (!items.empty()) items += ", ";
        items += capitalised(dice_ability_names[k - 1]) + " " + std::to_string(need) + " " +
                 compare_value_text(need, at1(c.ability, k), false, "$d") + "$B";
    }
    if (!items.empty()) out += "$dRequired abilities: $B" + items + crlf;
    items.clear();
    for (int k = 1; k <= skill_count; ++k) {
        const int need = at1(t.required_skill, k);
        if (need <= 0) continue;
        if (!items.empty()) items += ", ";
        items += capitalised(dice_skill_names[k - 1]) + " " + std::to_string(need) + " " +
                 compare_value_text(need, at1(c.skill, k), false, "$d") + "$B";
    }
    if (!items.empty()) out += "$dRequired skills: $B" + items + crlf;
    items.clear();
    for (int r = 1; r <= std::min(talent_count, talents_in_game()); ++r) {
        if (at1(t.required_talent, r) == 0) continue;
        if (!items.empty()) items += ", ";
        items += std::string(c.talent(r).chosen ? "$S" : "$F") + talents[r].name.str() + "$B";
    }
    if (!items.empty()) out += "$dRequired talents: $B" + items + crlf;
    if (out.empty()) out = std::string("$dNo requirements") + crlf + "$B";
    return out;
}

void refresh_talent_availability() {
    for (int t = 1; t <= std::min(talent_count, talents_in_game()); ++t) {
        tcharacter_talent& s = edited_character.talent(t);
        if (!s.owned && sheet_meets_talent_requirements(t)) s.available = 1;
    }
}

bool toggle_sheet_talent(int talent) {
    if (talent < 1 || talent > std::min(talent_count, talents_in_game())) return false;
    tcharacter& c = edited_character;
    tcharacter_talent& s = c.talent(talent);
    if (s.owned || !s.available) return false;
    if (!s.chosen) {
        if (c.talent_points == 0) return false;
        --c.talent_points;
        s.chosen = 1;
        return true;
    }
    s.chosen = 0;
    ++c.talent_points;
    // One pass in index order, as a chain of requirements is listed after what it requires.
    for (int t = 1; t <= std::min(talent_count, talents_in_game()); ++t) {
        tcharacter_talent& o = c.talent(t);
        if (o.chosen && !o.owned && !sheet_meets_talent_requirements(t)) {
            o.chosen = 0;
            ++c.talent_points;
        }
    }
    return true;
}

void fill_character_stats(int being, int depth, tcharacter& out) {
    depth = trace_enter(depth, trace_fill_character_stats);
    if (!is_being_ok(being, depth)) return;
    const tbeing& b = beings[being];
    out = blank_character;
    out.name = b.name.str().substr(0, 30);
    out.race_plan = b.plan;
    out.category = uint8_t(first_set_type_flag(b, first_category_flag, last_category_flag));
    out.race = uint8_t(first_set_type_flag(b, first_race_flag, last_race_flag));
    out.size = uint8_t(first_set_type_flag(b, first_size_flag, last_size_flag));
    out.gender = uint8_t(first_set_type_flag(b, first_gender_flag, last_gender_flag));
    out.level = b.level;
    out.race_image = b.image;
    out.base_health = b.health_base;
    out.max_health = b.health_max;
    out.health = b.health;
    out.base_stamina = b.stamina_base;
    out.max_stamina = b.stamina_max;
    out.stamina = b.stamina;
    out.dungeon_level = level.index;
    out.date_made = date_now();
    // A being's base abilities already hold its race's modifiers, so they are the sheet's totals
    // too; the level-up's skill limits and talent requirements read the totals.
    for (int k = 1; k <= ability_count; ++k) {
        at1(out.base_ability, k) = at1(out.ability, k) = uint8_t(at1(b.base_ability, k));
        at1(out.ability_modifier, k) = ability_modifier(at1(b.base_ability, k));
    }
    for (int k = 1; k <= skill_count; ++k)
        at1(out.skill, k) = at1(out.skill_minimum, k) = at1(b.base_skill, k);
    for (int t = 1; t <= talent_count; ++t)
        if (b.talent_of(t) != 0) out.talent(t).owned = out.talent(t).chosen = 1;
    out.skill_points = b.skill_points;
    out.talent_points = b.talent_points;
    out.hide_unavailable = 1;
}

int count_past_characters() {
    int n = 0;
    for (std::size_t i = 2; i < past_characters.size(); ++i)
        if (!past_characters[i].name.empty()) ++n;
    return n;
}

int find_past_character_by_date(double date) {
    for (std::size_t i = 2; i < past_characters.size(); ++i)
        if (past_characters[i].date_made == date) return int(i);
    return 0;
}

} // namespace dravok
