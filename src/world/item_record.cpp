#include "world/item_record.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"
#include "world/tables.h"

#include <cctype>
#include <cstdio>

#include "records/vocabulary.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/level_items.h"
#include "world/map.h"
#include "world/player.h"

namespace dravok {

// The content vocabulary's list, with an empty name for "no flag".
const std::array<std::string_view, item_flag_count> item_flag_names = [] {
    std::array<std::string_view, item_flag_count> names{};
    for (std::size_t i = 1; i < names.size(); ++i)
        names[i] = vocab::item_flags[i];
    return names;
}();

const std::array<tequipment_slot_info, equipment_slot_count + 1> equipment_slots = {{
    {"", "", {0, 0}},
    {"Head", "hat, helmet, headband", {if_helmet, 0}},
    {"Back", "cloak", {if_cloak, 0}},
    {"Body", "clothes, armor, robe", {if_armor, 0}},
    {"Waist", "belt", {if_belt, 0}},
    {"Feet", "boots", {if_boots, 0}},
    {"Forearms", "bracers", {if_bracers, 0}},
    {"Hands", "gloves, gauntlets", {if_gauntlets, 0}},
    {"Neck", "amulet, necklace", {if_amulet, 0}},
    {"Finger", "ring", {if_ring, 0}},
    {"Finger", "ring", {if_ring, 0}},
    {"Eyes", "mask, goggles, lenses", {if_lenses, 0}},
    {"Lightsource", "torch, lantern", {if_lantern, 0}},
    {"Set 1, main-hand", "any weapon", {if_melee, if_ranged}},
    {"Set 1, off-hand", "1-h weapon, shield", {if_melee, if_shield}},
    {"Set 2, main-hand", "any weapon", {if_melee, if_ranged}},
    {"Set 2, off-hand", "1-h weapon, shield", {if_melee, if_shield}},
    {"Quiver", "ammunition", {if_ammunition, 0}},
}};

const std::array<std::string_view, 13> creature_category_names = {
    "",         "animal", "celestial",   "construct", "elemental",    "fiend", "flora",
    "humanoid", "insect", "monstrosity", "ooze",      "shapeshifter", "undead"};

namespace {

std::string capitalised(std::string_view s) {
    std::string out(s);
    if (!out.empty()) out[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[0])));
    return out;
}

bool starts_upper(std::string_view s) {
    return !s.empty() && s[0] >= 'A' && s[0] <= 'Z';
}

std::string trimmed(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && s[a] == ' ')
        ++a;
    while (b > a && s[b - 1] == ' ')
        --b;
    return std::string(s.substr(a, b - a));
}

// The template a name is built from has a per-game limit when it is unique.
bool plan_is_limited(int plan) {
    return plan >= 1 && plan < int(item_plans.size()) && item_plans[plan].game_limit != 0;
}

int dice_maximum(const titem& item, int type) {
    return max_dice(item.damage.of(type), 0);
}

} // namespace

titem& item_at(int being, int item) {
    return being == 0 ? level_items[item] : being_items[being][item];
}

bool is_item_ok(int item, int being, int depth) {
    depth = trace_enter(depth, trace_is_item_ok);
    // A check without a depth is an ordinary question (an empty slot is common) and writes no
    // log entry: its message is not even formatted.
    char text[200];
    if (being == 0) {
        const int high = int(level_items.size()) - 1;
        if (item < 1 || item > high) {
            if (depth != 0) {
                std::snprintf(text, sizeof text, "Level item %d is out of array range! (max %d)", item, high);
                error_log(depth, text, true);
            }
            return false;
        }
        const titem& it = level_items[item];
        if (!on_map(it.x, it.y, depth)) return false;
        if (it.plan == 0) {
            if (depth != 0) {
                std::snprintf(text, sizeof text, "No item_plan for level item %d !", item);
                error_log(depth, text, true);
            }
            return false;
        }
        return true;
    }
    if (!is_being_ok(being, depth)) return false;
    if (being >= int(being_items.size())) return false;
    const int high = int(being_items[being].size()) - 1;
    if (item < 1 || item > high) {
        if (depth != 0) {
            std::snprintf(text, sizeof text, "Being item %d on being %d is out of array range! (max %d)",
                          item, being, high);
            error_log(depth, text, true);
        }
        return false;
    }
    const titem& it = being_items[being][item];
    if (it.plan == 0) {
        if (depth != 0) {
            std::snprintf(text, sizeof text, "No item_plan for being item %d (%s) on being %d! (%s)", item,
                          it.identifier.str().c_str(), being, beings[being].identifier.str().c_str());
            error_log(depth, text, true);
        }
        return false;
    }
    return true;
}

void item_name(std::string_view name, int amount, int stackable, std::string& out, int being, int mode) {
    out.clear();
    if (name.empty()) return;
    if (mode == 1) {
        out = amount != 1 ? std::to_string(amount) + " x " + capitalised(name) : capitalised(name);
        return;
    }
    std::string text;
    std::string article;
    if (amount != 1) {
        text = std::string(name);
        if (text.back() != 's') text += 's';
    } else {
        if (starts_upper(name) && stackable == 0)
            article = "the ";
        else {
            const char first = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
            article = std::string_view("aeiou").find(first) != std::string_view::npos ? "an " : "a ";
        }
        if (name.back() == 's') article = "the ";
        if (mode == 3 && being != 0 && being == player && stackable == 0) article = "the ";
        text = std::string(name);
    }
    if (mode == 4)
        out = article.empty() ? capitalised(text) : capitalised(article) + capitalised(text);
    else
        out = article + text;
}

std::string item_name(std::string_view name, int amount, int stackable, int being, int mode) {
    std::string out;
    item_name(name, amount, stackable, out, being, mode);
    return out;
}

void build_item_full_name(const titem& item, std::string& out) {
    std::string name = item.plan >= 1 && item.plan < int(item_plans.size()) ? item_plans[item.plan].name.str()
                                                                            : item.name.str();
    std::string suffix;
    bool changed = false;
    if (!plan_is_limited(item.plan)) {
        std::string list;
        for (int t = 4; t <= 10; ++t) {
            if (dice_maximum(item, t) <= 0) continue;
            if (!list.empty()) list += "/";
            list += capitalised(damage_type_names[t - 1]);
            name = capitalised(name);
        }
        if (!list.empty()) suffix = capitalised(" of " + list);
        if (has_item_flag(item, if_vampiric)) name = "Vampiric " + capitalised(name);
        if (dice_maximum(item, 12) >= 1)
            name = "Holy " + capitalised(name);
        else if (dice_maximum(item, 13) >= 1)
            name = "Unholy " + capitalised(name);
        changed = !suffix.empty() || has_item_flag(item, if_vampiric) || dice_maximum(item, 12) >= 1 ||
                  dice_maximum(item, 13) >= 1;
    }
    out = trimmed(name) + suffix;
    if (item.enchantment > 0) {
        out += " +" + std::to_string(item.enchantment);
        changed = true;
    }
    if (changed) {
        for (auto [from, to] :
             {std::pair{"Bastard sword", "Bastard Sword"}, std::pair{"Viper whip", "Viper Whip"}}) {
            const std::size_t at = out.find(from);
            if (at != std::string::npos) out.replace(at, std::string_view(from).size(), to);
        }
    }
}

bool item_type_matches(const titem& item, std::initializer_list<int> flags, int) {
    if (flags.size() == 0 || item.serial == 0) return false;
    for (int n : flags) {
        if (n > 0 && !has_item_flag(item, n)) return false;
        if (n <= 0 && has_item_flag(item, -n)) return false;
    }
    return true;
}

int find_item_plan_by_name(std::string_view identifier) {
    for (std::size_t i = 1; i < item_plans.size(); ++i) {
        if (item_plans[i].identifier.str() == identifier) return int(i);
    }
    return 0;
}

bool is_stackable_item_plan(int plan) {
    if (plan < 1 || plan >= int(item_plans.size())) return false;
    const titem_plan& p = item_plans[plan];
    return p.flags[if_ammunition] != 0 || p.flags[if_potion] != 0 || p.flags[if_coin] != 0;
}

int count_enchantments(const titem& item) {
    int n = 0;
    for (int t = 4; t <= damage_type_count; ++t)
        n += dice_maximum(item, t) > 0 ? 1 : 0;
    return n;
}

int item_enchantment_total(const titem& item) {
    int total = item.enchantment;
    for (int t = 4; t <= damage_type_count; ++t) {
        const int m = dice_maximum(item, t);
        if (m > 0) total += m;
    }
    return total + (has_item_flag(item, if_vampiric) ? 1 : 0);
}

void item_flag_words(const titem& item, std::string& out) {
    static constexpr std::string_view left_out[] = {"armor_light",
                                                    "armor_medium",
                                                    "armor_heavy",
                                                    "enchanted",
                                                    "humanoid",
                                                    "ignore",
                                                    "usable_only_from_dialog",
                                                    "sentient",
                                                    "report",
                                                    "has_oneliners",
                                                    "valuable",
                                                    "tool",
                                                    "other"};
    out.clear();
    for (int f = 1; f <= last_item_flag; ++f) {
        if (!has_item_flag(item, f)) continue;
        const std::string_view name = item_flag_names[f];
        bool skip = false;
        for (std::string_view l : left_out)
            skip = skip || l == name;
        if (skip) continue;
        std::string word(name);
        for (char& c : word)
            c = c == '_' ? ' ' : c;
        if (word == "two handed") word = "two-handed";
        if (!out.empty()) out += ", ";
        out += word;
    }
}

bool same_item_kind(const titem& a, const titem& b) {
    return a.plan == b.plan && a.enchantment == b.enchantment && same_damage(a.damage, b.damage) &&
           a.hit_effect.kind == b.hit_effect.kind && a.activation_effect.kind == b.activation_effect.kind;
}

} // namespace dravok
