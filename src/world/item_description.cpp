#include "world/item_description.h"
#include "records/layout_being.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "records/vocabulary.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/text_helpers.h"

namespace dravok {

namespace {

constexpr std::array<std::string_view, ability_count> ability_names = {"Body", "Motion", "Mind", "Spirit"};
constexpr std::array<std::string_view, skill_count> skill_names = {"Disable", "Dodge",  "Magic",  "Melee",
                                                                   "Ranged",  "Search", "Stealth"};
constexpr int mind = 3;
constexpr int activation_damage = 5;
constexpr int first_set_slot = 13, last_set_slot = 16;

std::string label(std::string_view name) {
    return "$d" + std::string(name) + ": $B";
}

std::string capitalised(std::string s) {
    if (!s.empty()) s[0] = char(std::toupper(static_cast<unsigned char>(s[0])));
    return s;
}

std::string signed_coloured(int n) {
    const std::string text = coloured_number_text(n);
    return n > 0 ? text.substr(0, 2) + "+" + text.substr(2) : text;
}

std::string damage_range(const tdamage_dice& damage, int viewer) {
    return std::to_string(min_damage(damage, viewer)) + "-" + std::to_string(max_damage(damage, viewer)) +
           " (" + damage_to_text(damage, viewer) + ")";
}

void add_line(std::string& out, const std::string& line) {
    std::string trimmed = line;
    while (!trimmed.empty() && trimmed.back() == ' ')
        trimmed.pop_back();
    if (!out.empty()) out += "\r\n";
    out += trimmed;
}

void add_list_line(std::string& out, std::string_view name, const std::vector<std::string>& entries) {
    if (entries.empty()) return;
    std::string joined;
    for (const std::string& e : entries)
        joined += (joined.empty() ? "" : ", ") + e;
    add_line(out, label(name) + joined);
}

std::string status_text(int s) {
    std::string name(vocab::statuses[s]);
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

void describe_requirements(int viewer, const titem& item, std::string& out) {
    if (has_item_flag(item, if_trapkit) && item.device_difficulty > 0) {
        add_line(out, label("Device use difficulty") + "Disable: " + std::to_string(item.device_difficulty));
        return;
    }
    std::vector<std::string> minima;
    for (int k = 1; k <= ability_count; ++k) {
        const int minimum = at1(item.ability_minimum, k);
        if (minimum <= 0) continue;
        const int own = viewer >= 1 ? beings[viewer].ability_of(k) : 0;
        minima.push_back(std::string(ability_names[k - 1]) + ": " + std::to_string(minimum) + " " +
                         compare_value_text(minimum, own, false, "$B"));
    }
    if (minima.empty()) return;
    const bool device = has_item_flag(item, if_wand) || has_item_flag(item, if_scroll);
    add_list_line(out, device ? "Device use difficulty" : "Ability requirements", minima);
}

void describe_modifiers(const titem& item, std::string& out) {
    std::vector<std::string> abilities, skills, resistances;
    for (int k = 1; k <= ability_count; ++k) {
        if (const int m = at1(item.ability_modifier, k))
            abilities.push_back(std::string(ability_names[k - 1]) + ": " + signed_coloured(m));
    }
    for (int k = 1; k <= skill_count; ++k) {
        if (const int m = at1(item.skill_modifier, k))
            skills.push_back(std::string(skill_names[k - 1]) + ": " + signed_coloured(m));
    }
    for (int t = 1; t <= damage_type_count; ++t) {
        if (const int m = at1(item.resistance_modifier, t))
            resistances.push_back(capitalised(std::string(damage_type_names[t - 1])) + ": " +
                                  signed_coloured(m));
    }
    add_list_line(out, "Ability modifiers", abilities);
    add_list_line(out, "Skill modifiers", skills);
    add_list_line(out, "Resistance modifiers", resistances);
}

void describe_combat_modifiers(const titem& item, std::string& out) {
    const int ench = item.enchantment;
    if (has_item_flag(item, if_melee)) {
        if (item.melee_attack != 0 || ench != 0)
            add_line(out, label("Melee attack modifier") + signed_coloured(item.melee_attack + ench));
        if (item.melee_defence != 0 || ench != 0)
            add_line(out, label("Melee defense modifier") + signed_coloured(item.melee_defence + ench));
    }
    if (has_item_flag(item, if_ranged) || has_item_flag(item, if_throw)) {
        if (item.ranged_attack != 0 || ench != 0)
            add_line(out, label("Ranged attack modifier") + signed_coloured(item.ranged_attack + ench));
        if (item.ranged_defence != 0)
            add_line(out, label("Ranged defense modifier") + signed_coloured(item.ranged_defence + ench));
    }
    if (item.critical_attack != 0)
        add_line(out, label("Critical attack modifier") + signed_coloured(item.critical_attack));
    if (item.critical_defence != 0)
        add_line(out, label("Critical defense modifier") + signed_coloured(item.critical_defence));
}

} // namespace

void describe_item(int viewer, const titem& item, std::string& out) {
    out.clear();
    std::string words;
    item_flag_words(item, words);
    add_line(out, label("Type") + words);
    describe_requirements(viewer, item, out);
    add_line(out, label("Weight") + std::to_string(item.weight));
    if (item.max_motion != 0) add_line(out, label("Max Motion-ability") + std::to_string(item.max_motion));
    if (item.speed > 0) add_line(out, label("Speed") + std::to_string(item.speed));
    if (is_dice_set(item.range)) {
        std::string range = std::to_string(max_dice(item.range, viewer));
        if (!is_dice_fixed(item.range)) range += " (" + dice_to_text(item.range) + ")";
        add_line(out, label("Range") + range);
    }
    if ((has_item_flag(item, if_weapon) || has_item_flag(item, if_ammunition)) && is_damage_set(item.damage))
        add_line(out, label("Base damage") + damage_range(item.damage, viewer));
    else if (has_item_flag(item, if_shield) && is_damage_set(item.damage))
        add_line(out, label("Shield bash damage") + damage_range(item.damage, viewer));
    const tdamage_dice& d = item.damage;
    if (d.against_type != 0 && d.against_type < vocab::type_flags.size())
        add_line(out, label("Against type") + std::string(vocab::type_flags[d.against_type]) + " / +" +
                          std::to_string(d.against_hit) + " to hit / damage " +
                          std::to_string(d.against_multiplier) + "x multiplied");
    if (item.activation_effect.kind == activation_damage)
        add_line(out, label("Damage") + damage_range(item.activation_effect.damage_dice, viewer));
    describe_modifiers(item, out);
    if (item.movement != 0) add_line(out, label("Movement") + signed_coloured(item.movement));
    std::vector<std::string> states;
    for (int s = 1; s <= status_count; ++s) {
        if (item.status_of(s) != 0 && vocab::statuses[s] != "-") states.push_back(status_text(s));
    }
    add_list_line(out, "States", states);
    describe_combat_modifiers(item, out);
    if (item.charges > 0) {
        const bool unknown = viewer >= 1 && beings[viewer].ability_of(mind) < at1(item.ability_minimum, mind);
        add_line(out, label("Charges") + (unknown ? std::string("unknown") : std::to_string(item.charges)));
    }
}

void describe_weapon_set(int being, int slot, std::string& out) {
    out.clear();
    if (slot < first_set_slot || slot > last_set_slot || !is_being_ok(being)) return;
    const tbeing& b = beings[being];
    const int main = slot <= 14 ? 13 : 15;
    const tweapon_set& w = main == b.active_set ? b.weapon_set : b.other_weapon_set;
    const int h = slot - main;
    auto dice_line = [&](std::string_view name, const tdamage_dice& dice, int bonus) {
        tdamage_dice with_bonus;
        add_physical_damage_bonus(dice, bonus, with_bonus);
        add_line(out, label(name) + damage_range(with_bonus, being));
    };
    if (w.melee[h]) {
        add_line(out, label("Melee attack skill") + std::to_string(w.melee_attack[h]));
        add_line(out, label("Melee defense skill") + std::to_string(w.melee_defence[h]));
    } else if (w.melee_defence_available && w.melee_defence[h] != 0) {
        add_line(out, label("Melee defense skill") + std::to_string(w.melee_defence[h]));
    }
    if (w.launcher[h]) add_line(out, label("Ranged attack skill") + std::to_string(w.ranged_attack[h]));
    if (w.throws[h]) add_line(out, label("Throw attack skill") + std::to_string(w.ranged_attack[h]));
    if (w.ranged_defence_available && w.ranged_defence[h] != 0)
        add_line(out, label("Ranged defense skill") + std::to_string(w.ranged_defence[h]));
    if (w.melee[h]) dice_line("Melee damage", w.melee_damage[h], w.melee_damage_bonus[h]);
    if (w.throws[h]) dice_line("Throw damage", w.ranged_damage[h], w.ranged_damage_bonus[h]);
    if (w.launcher[h]) dice_line("Ranged damage", w.ranged_damage[h], w.ranged_damage_bonus[h]);
}

void format_item_list_line(int being, std::vector<std::string>& out) {
    out.clear();
    if (being < 1 || being >= int(being_items.size())) return;
    for (const titem& it : being_items[being]) {
        if (it.plan == 0) continue;
        if (it.item_class != if_potion && it.item_class != if_wand && it.item_class != if_horn &&
            it.item_class != if_figurine)
            continue;
        const std::string name = capitalised(it.name.str());
        out.push_back(it.amount > 1 ? "- " + std::to_string(it.amount) + " x " + name : "- " + name);
    }
    std::sort(out.begin(), out.end());
}

void cell_item_table_text(int x, int y, std::string& out) {
    std::vector<std::string> lines;
    for (std::size_t i = 1; i < level_items.size(); ++i) {
        const titem& it = level_items[i];
        if (it.serial == 0 || it.plan == 0 || it.x != x || it.y != y) continue;
        const std::string name = capitalised(it.name.str());
        lines.push_back(it.amount > 1 ? name + "|" + std::to_string(it.amount) : name);
    }
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\r\n") + line;
    out = column_table_text(text);
}

} // namespace dravok
