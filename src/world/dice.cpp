#include "world/dice.h"

#include <cstring>
#include <vector>

#include "world/dice_world.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/text_read.h"

namespace dravok {

tdice one_dice = [] {
    tdice d{};
    d.bonus = 1;
    return d;
}();
tdice d2_dice = [] {
    tdice d{};
    d.count = 1;
    d.sides = 2;
    return d;
}();
tdice d20_dice = [] {
    tdice d{};
    d.count = 1;
    d.sides = 20;
    return d;
}();

void init_global_dice() {
    one_dice = dice_template;
    one_dice.bonus = 1;
    d2_dice = dice_template;
    d2_dice.count = 1;
    d2_dice.sides = 2;
    d20_dice = dice_template;
    d20_dice.count = 1;
    d20_dice.sides = 20;
}

namespace {

// Reads "amount" or "amount/divisor"; both default to 0, a lone amount has divisor 1.
void read_amount_and_divisor(std::string_view value, int16_t& amount, uint8_t& divisor) {
    const auto slash = value.find('/');
    if (slash == std::string_view::npos) {
        amount = static_cast<int16_t>(text_to_int(value, 0));
        divisor = 1;
    } else {
        amount = static_cast<int16_t>(text_to_int(value.substr(0, slash), 0));
        divisor = static_cast<uint8_t>(text_to_int(value.substr(slash + 1), 0));
    }
}

void parse_per_part(std::string_view part, tdice& out) {
    const auto colon = part.find(':');
    if (colon == std::string_view::npos) return;
    const std::string_view name = part.substr(0, colon);
    const std::string_view value = part.substr(colon + 1);
    if (!name.starts_with("per_")) return;
    const std::string_view what = name.substr(4);
    if (what == "level") {
        read_amount_and_divisor(value, out.per_level, out.per_level_divisor);
    } else if (what == "dungeon_level") {
        read_amount_and_divisor(value, out.per_dungeon_level, out.per_dungeon_level_divisor);
    } else {
        for (int k = 0; k < skill_count; ++k)
            if (equals_ignoring_case(what, dice_skill_names[k])) {
                read_amount_and_divisor(value, out.per_skill[k], out.per_skill_divisor[k]);
                return;
            }
    }
}

// Finds "+body_mod", "-body_mod", "+motion_mod", ... in that order; the first found is cut out.
void parse_ability(std::string& s, tdice& out) {
    for (int k = 1; k <= 4; ++k) {
        for (int sign : {+1, -1}) {
            std::string needle(1, sign > 0 ? '+' : '-');
            needle += dice_ability_names[k - 1];
            needle += "_mod";
            const auto at = s.find(needle);
            if (at != std::string::npos) {
                out.ability = static_cast<int8_t>(sign * k);
                s.erase(at, needle.size());
                return;
            }
        }
    }
}

void parse_count_sides_bonus(std::string_view s, tdice& out) {
    auto p = s.find('d');
    if (p == std::string_view::npos) {
        out.bonus = static_cast<int16_t>(text_to_int(s, 0));
        return;
    }
    if (p == 0) {
        out.count = 1;
    } else {
        const auto plus = s.find('+');
        if (plus != std::string_view::npos && plus < p) {
            out.bonus = static_cast<int16_t>(text_to_int(s.substr(0, plus), 0));
            s = s.substr(plus + 1);
            p = s.find('d');
        }
        out.count = static_cast<uint8_t>(text_to_int(s.substr(0, p), 1));
    }
    const std::string_view rest = s.substr(p + 1);
    auto sign = rest.find('+');
    if (sign == std::string_view::npos) sign = rest.find('-');
    if (sign != std::string_view::npos) {
        out.sides = static_cast<uint8_t>(text_to_int(rest.substr(0, sign), 1));
        out.bonus = static_cast<int16_t>(text_to_int(rest.substr(sign), 0));
    } else {
        out.sides = static_cast<uint8_t>(text_to_int(rest, 1));
    }
}

bool owner_in_range(int being) { return being >= 1 && being <= dice_last_being_index(); }

int32_t owner_bonus(const tdice& dice, int owner) {
    if (!owner_in_range(owner)) return 0;
    int32_t sum = 0;
    if (dice.ability != 0) {
        const int k = dice.ability < 0 ? -dice.ability : dice.ability;
        if (k >= 1 && k <= 4) {
            const int32_t modifier = dice_being_ability_modifier(owner, k);
            sum += dice.ability < 0 ? -modifier : modifier;
        }
    }
    for (int k = 1; k <= skill_count; ++k) {
        const int32_t amount = dice.per_skill[k - 1];
        const int32_t divisor = dice.per_skill_divisor[k - 1];
        if (amount < 1 || divisor == 0) continue;
        const int32_t skill = dice_being_current_skill(owner, k);
        if (skill > 0) sum += (skill / divisor) * amount;
    }
    if (dice.per_level != 0 && dice.per_level_divisor > 0)
        sum += (dice_being_level(owner) * static_cast<int32_t>(dice.per_level)) / dice.per_level_divisor;
    return sum;
}

int32_t dungeon_level_bonus(const tdice& dice) {
    if (dice.per_dungeon_level == 0 || dice.per_dungeon_level_divisor == 0) return 0;
    const int32_t depth = dice_current_depth();
    if (depth <= 0) return 0;
    return (depth / dice.per_dungeon_level_divisor) * dice.per_dungeon_level;
}

std::string capitalised(std::string_view name) {
    std::string s(name);
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

} // namespace

void parse_dice(std::string_view text, tdice& out) {
    out = dice_template;
    std::string s;
    for (char c : trim_text(text))
        if (c != ' ') s += c;

    if (equals_ignoring_case(s, "all")) {
        out.all_flag = 1;
        return;
    }
    const auto bar = s.find('|');
    if (bar != std::string::npos) {
        parse_per_part(std::string_view(s).substr(bar + 1), out);
        s.erase(bar);
    }
    parse_ability(s, out);
    parse_count_sides_bonus(s, out);
}

void parse_damage(std::string_view text, tdamage_dice& out) {
    out = damage_dice_template;
    std::string_view rest = trim_text(text);
    while (true) {
        const auto comma = rest.find(',');
        const std::string_view item = trim_text(rest.substr(0, comma));

        auto sep = item.find(':');
        if (sep == std::string_view::npos) sep = item.find('=');
        const auto bar = item.find('|');
        if (sep != std::string_view::npos && bar != std::string_view::npos && bar < sep) sep = std::string_view::npos;

        bool done = false;
        if (sep != std::string_view::npos) {
            const std::string_view key = trim_text(item.substr(0, sep));
            const std::string_view value = trim_text(item.substr(sep + 1));
            for (int t = 1; t <= damage_type_count && !done; ++t)
                if (equals_ignoring_case(key, damage_type_names[t - 1])) {
                    parse_dice(value, out.of(t));
                    done = true;
                }
            if (!done && key == "against") {
                const int type = dice_being_type_index(value);
                if (type >= 0) out.against_type = static_cast<uint16_t>(type);
                done = true;
            } else if (!done && key == "against_hit") {
                out.against_hit = static_cast<int8_t>(text_to_int(value, 0));
                done = true;
            } else if (!done && key == "against_damage") {
                out.against_damage = static_cast<int8_t>(text_to_int(value, 0));
                done = true;
            } else if (!done && key == "against_multiplier") {
                out.against_multiplier = static_cast<uint8_t>(text_to_int(value, 0));
                done = true;
            }
        }
        if (!done) parse_dice(item, out.of(1));

        if (comma == std::string_view::npos) break;
        rest = rest.substr(comma + 1);
    }
}

int32_t roll_dice(const tdice& dice) {
    int32_t sum = 0;
    for (int i = 0; i < dice.count; ++i) {
        const int32_t die = random(dice.sides) + 1;
        sum += die;
    }
    sum += dice.bonus;
    if (dice.owner != 0) sum += owner_bonus(dice, dice.owner);
    sum += dungeon_level_bonus(dice);
    return sum;
}

int32_t roll_dice_for_being(const tdice& dice, int being) {
    if (!owner_in_range(being)) return roll_dice(dice);
    tdice d = dice;
    d.owner = static_cast<uint16_t>(being);
    return roll_dice(d);
}

int32_t get_dice_being_bonus(const tdice& dice) { return owner_bonus(dice, dice.owner); }

int32_t min_dice(const tdice& dice, int being) {
    return dice.count + dice.bonus + owner_bonus(dice, being) + dungeon_level_bonus(dice);
}

int32_t max_dice(const tdice& dice, int being) {
    const int32_t sides = dice.sides > 0 ? dice.sides : 1; // a die of 0 sides rolls 1
    return dice.count * sides + dice.bonus + owner_bonus(dice, being) + dungeon_level_bonus(dice);
}

int32_t min_damage(const tdamage_dice& damage, int being) {
    int32_t kept = 0;
    for (int t = 1; t <= physical_damage_types; ++t) {
        const int32_t m = min_dice(damage.of(t), being);
        if (kept == 0 || (m >= 1 && m < kept)) kept = m;
    }
    for (int t = physical_damage_types + 1; t <= damage_type_count; ++t) kept += min_dice(damage.of(t), being);
    return kept;
}

int32_t max_damage(const tdamage_dice& damage, int being) {
    int32_t best = 0;
    for (int t = 1; t <= physical_damage_types; ++t) {
        const int32_t m = max_dice(damage.of(t), being);
        if (m > best) best = m;
    }
    for (int t = physical_damage_types + 1; t <= damage_type_count; ++t) best += max_dice(damage.of(t), being);
    return best;
}

void max_damage_by_type(const tdamage_dice& damage, int being, tdamage& out) {
    out = tdamage{};
    for (int t = 1; t <= damage_type_count; ++t) {
        out.of(t) = max_dice(damage.of(t), being);
        out.total += out.of(t);
    }
}

void make_fixed_dice(int32_t value, tdice& out) {
    out = dice_template;
    out.bonus = static_cast<int16_t>(value);
}

bool is_dice_set(const tdice& d) {
    if (d.count != 0 || d.sides != 0 || d.bonus != 0 || d.all_flag != 0 || d.ability != 0 ||
        d.per_dungeon_level_divisor != 0)
        return true;
    if (d.per_level >= 1 || d.per_dungeon_level >= 1) return true;
    for (int k = 0; k < skill_count; ++k)
        if (d.per_skill[k] >= 1) return true;
    return false;
}

bool is_damage_set(const tdamage_dice& damage) {
    for (int t = 1; t <= damage_type_count; ++t)
        if (is_dice_set(damage.of(t))) return true;
    return false;
}

bool is_dice_fixed(const tdice& d) {
    if (d.count > 0 || d.sides > 0 || d.per_level > 0 || d.ability != 0) return false;
    for (int k = 0; k < skill_count; ++k)
        if (d.per_skill[k] > 0) return false;
    return true;
}

bool same_damage(const tdamage_dice& a, const tdamage_dice& b) {
    return std::memcmp(&a, &b, sizeof(tdamage_dice)) == 0;
}

void roll_damage(const tdamage_dice& damage, tdamage& out) {
    out.total = 0;
    for (int t = 1; t <= damage_type_count; ++t) {
        tdice d = damage.of(t);
        d.owner = damage.owner;
        if (d.count > 0 || d.bonus != 0 || d.owner > 0) {
            out.of(t) = roll_dice(d);
            out.total += out.of(t);
        } else {
            out.of(t) = 0;
        }
    }
}

void roll_damage_for_being(const tdamage_dice& damage, int being, tdamage& out) {
    tdamage_dice d = damage;
    d.owner = static_cast<uint16_t>(being);
    roll_damage(d, out);
}

void add_damage_of_type(const tdamage& damage, int type, int32_t amount, tdamage& out) {
    out = damage;
    if (type < 1 || type > damage_type_count) return;
    out.of(type) += amount;
    out.total += amount;
}

void scale_damage_result(const tdamage& damage, tdamage& out, float factor) {
    out = damage;
    out.total = 0;
    for (int t = 1; t <= damage_type_count; ++t) {
        out.of(t) = round_half_even(static_cast<double>(damage.of(t)) * static_cast<double>(factor));
        out.total += out.of(t);
    }
}

void add_physical_damage_bonus(const tdamage_dice& damage, int32_t amount, tdamage_dice& out) {
    out = damage;
    for (int t = 1; t <= physical_damage_types; ++t)
        if (is_dice_set(out.of(t))) out.of(t).bonus = static_cast<int16_t>(out.of(t).bonus + amount);
}

void merge_damage(const tdamage_dice& a, const tdamage_dice& b, tdamage_dice& out) {
    const tdamage_dice merged_from = b; // out may be a or b
    out = a;
    for (int t = 1; t <= damage_type_count; ++t)
        out.of(t).bonus = static_cast<int16_t>(out.of(t).bonus + merged_from.of(t).bonus);
    if (out.against_type == 0 && merged_from.against_type != 0) {
        out.against_type = merged_from.against_type;
        out.against_hit = merged_from.against_hit;
        out.against_damage = merged_from.against_damage;
        out.against_multiplier = merged_from.against_multiplier;
    }
}

void dice_to_text(const tdice& d, std::string& out) {
    if (d.all_flag != 0) {
        out = "All";
        return;
    }
    std::string bonus;
    if (d.bonus > 0)
        bonus = "+" + std::to_string(d.bonus);
    else if (d.bonus < 0)
        bonus = std::to_string(d.bonus);
    if (d.ability != 0) {
        const int k = d.ability < 0 ? -d.ability : d.ability;
        bonus += d.ability > 0 ? " + " : " - ";
        bonus += k <= 4 ? capitalised(dice_ability_names[k - 1]) : std::string("?");
        bonus += "-mod";
    }
    std::string s;
    if (d.count > 0)
        s = std::to_string(d.count) + "d" + std::to_string(d.sides) + bonus;
    else
        s = bonus;
    if (d.per_level > 0) {
        if (d.per_level_divisor == 1)
            s += " + " + std::to_string(d.per_level) + " per level";
        else
            s += " + " + std::to_string(d.per_level) + " per " + std::to_string(d.per_level_divisor) + " levels";
    }
    if (s.empty()) s = "0";
    for (int k = 0; k < skill_count; ++k) {
        if (d.per_skill[k] <= 0) continue;
        s += " + " + std::to_string(d.per_skill[k]) + " per ";
        if (d.per_skill_divisor[k] != 1) s += std::to_string(d.per_skill_divisor[k]) + " ";
        s += capitalised(dice_skill_names[k]);
    }
    if (d.per_dungeon_level > 0) {
        if (d.per_dungeon_level_divisor == 1)
            s += " + " + std::to_string(d.per_dungeon_level) + " per dungeon level";
        else
            s += " + " + std::to_string(d.per_dungeon_level) + " per " +
                 std::to_string(d.per_dungeon_level_divisor) + " dungeon levels";
    }
    // A text that opens with a joining plus ("+5", " + Body-mod") starts with its term instead.
    if (s.starts_with(" + "))
        s.erase(0, 3);
    else if (s.starts_with(" - "))
        s.replace(0, 3, "-");
    else if (s.starts_with("+"))
        s.erase(0, 1);
    out = s;
}

void dice_to_text_for_being(const tdice& dice, int being, std::string& out) {
    tdice d = dice;
    d.owner = static_cast<uint16_t>(being);
    dice_to_text(d, out);
}

void damage_to_text(const tdamage_dice& damage, int being, std::string& out) {
    out.clear();
    const char* joiner = "";
    for (int t = 1; t <= damage_type_count; ++t) {
        std::string text;
        dice_to_text_for_being(damage.of(t), being, text);
        if (text == "0") continue;
        out += joiner;
        out += capitalised(damage_type_names[t - 1]) + ": " + text;
        joiner = t <= physical_damage_types ? " / " : ", ";
    }
}

void damage_result_to_text(const tdamage& damage, std::string& out) {
    std::string s;
    int listed = 0;
    for (int t = 1; t <= damage_type_count; ++t) {
        if (damage.of(t) == 0) continue;
        if (listed > 0) s += " + ";
        s += capitalised(damage_type_names[t - 1]) + ": " + std::to_string(damage.of(t));
        ++listed;
    }
    if (listed == 0)
        s = "0";
    else if (damage.total > 0 && listed > 1)
        s = std::to_string(damage.total) + " = " + s;
    out = s;
}

std::string dice_to_text(const tdice& dice) {
    std::string s;
    dice_to_text(dice, s);
    return s;
}

std::string damage_to_text(const tdamage_dice& damage, int being) {
    std::string s;
    damage_to_text(damage, being, s);
    return s;
}

std::string damage_result_to_text(const tdamage& damage) {
    std::string s;
    damage_result_to_text(damage, s);
    return s;
}

} // namespace dravok
