// Effect names.
#include "rules/effect_names.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"

#include <array>
#include <string_view>

#include "records/vocabulary.h"
#include "rules/effect_tables.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/item_record.h"
#include "world/tables.h"

namespace dravok {

namespace {

bool valid_plan(int p) {
    return p >= 1 && p < int(item_plans.size());
}
bool valid_talent(int t) {
    return t >= 1 && t < int(talents.size());
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

std::string trim(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && s[a] == ' ')
        ++a;
    while (b > a && s[b - 1] == ' ')
        --b;
    return s.substr(a, b - a);
}

} // namespace

std::string get_effect_sprite_name(const teffect& e, bool with_suffix) {
    const std::string plan =
        valid_plan(e.item_type) ? item_plans[e.item_type].identifier.str() : std::string();
    switch (e.source) {
    case es_talent:
        return valid_talent(e.talent) ? talents[e.talent].identifier.str() : std::string();
    case es_natural_attack: {
        const int origin = find_being_by_serial(e.origin);
        if (origin < 1 || e.natural_attack_kind >= vocab::attack_classes.size()) return {};
        return std::string(vocab::attack_classes[e.natural_attack_kind]) + "_" +
               beings[origin].identifier.str() + (with_suffix ? "_hit" : "");
    }
    case es_trap:
        return plan.empty() ? plan : plan + (with_suffix ? "_spring" : "");
    case es_item_activate:
        return plan.empty() ? plan : plan + (with_suffix ? "_activate" : "");
    case es_item_hit:
        return plan.empty() ? plan : plan + (with_suffix ? "_hit" : "");
    default:
        return {};
    }
}

void get_effect_source_name(const teffect& e, std::string& out) {
    if (valid_talent(e.talent)) {
        out = talents[e.talent].name.str();
        return;
    }
    if (valid_plan(e.item_type)) {
        std::string name = item_plans[e.item_type].name.str();
        const std::string low = lower(name);
        for (std::string_view prefix : {std::string_view("wand of"), std::string_view("potion of")}) {
            const std::size_t at = low.find(prefix);
            if (at != std::string::npos) {
                name = name.substr(at + prefix.size());
                break;
            }
        }
        out = trim(name);
        return;
    }
    out = e.kind < effect_kind_count ? effect_kind_names[e.kind] : "";
}

std::string get_effect_source_name(const teffect& e) {
    std::string out;
    get_effect_source_name(e, out);
    return out;
}

std::string get_effect_name_for_target_mode(int being, const teffect& e) {
    if (e.action_kind == action_item_use) {
        if (!is_item_ok(e.used_item, being, 0)) return {};
        const titem& it = item_at(being, e.used_item);
        return item_name(it.name.view(), it.amount, it.stackable, being, 2);
    }
    if (e.action_kind == action_talent_use) return valid_talent(e.talent) ? talents[e.talent].name.str() : "";
    return {};
}

} // namespace dravok
