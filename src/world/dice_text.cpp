#include "world/dice.h"
#include "world/tables.h"

#include "world/dice_world.h"
#include "world/text_read.h"

// The text side of dice formulas: reading template text into records and showing formulas and
// rolled damage to the player.
namespace dravok {

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
        if (sep != std::string_view::npos && bar != std::string_view::npos && bar < sep)
            sep = std::string_view::npos;

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
            s += " + " + std::to_string(d.per_level) + " per " + std::to_string(d.per_level_divisor) +
                 " levels";
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
