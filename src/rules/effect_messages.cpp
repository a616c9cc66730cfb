// Effect sentences. Missing beings, unseen beings and missing sections only make the sentence
// empty or built-in; they are never errors.
#include "rules/effect_messages.h"
#include "records/layout_plans.h"

#include "rules/effect_names.h"
#include "rules/effect_tables.h"
#include "rules/talents.h"
#include "world/being.h"
#include "world/item_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/services.h"
#include "world/tables.h"
#include "world/text_database.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

bool player_sees(int being) {
    return is_being_ok(player) && (being == player || services.can_see(player, being, 0, 0) != 0);
}

std::string drawn_section_text(const std::string& name, int self, int target) {
    const int section = find_text_section(name);
    if (section <= 0) return {}; // section 0 is the placeholder, never a text
    std::string raw, out;
    get_section_text(section, name, -1, raw);
    if (raw.empty()) return {};
    expand_text(raw, self, target, out);
    return out;
}

std::string sentence(int actor, std::string_view format, std::string_view others, std::string_view self) {
    std::string out;
    action_sentence(actor, 0, format, out, others, self);
    return out;
}

bool valid_plan(int p) {
    return p >= 1 && p < int(item_plans.size());
}

} // namespace

std::string compose_effect_message(const teffect& e) {
    std::string name;
    if (e.source != es_switch) {
        name = get_effect_sprite_name(e, true);
        if (name.empty()) return {};
    }
    const int origin = find_being_by_serial(e.origin);
    if (origin >= 1 && !player_sees(origin)) return {};
    int target = e.target != 0 ? find_being_by_serial(e.target) : 0;
    if (target >= 1 && !player_sees(target)) return {};
    if (e.source == es_natural_attack && target < 1 && on_map(e.aim.x, e.aim.y))
        target = cell_at(e.aim.x, e.aim.y).being;
    name += target >= 1 && target == player ? "_player" : "_witness";

    if (e.source != es_switch) {
        const std::string text = drawn_section_text(name, origin, target);
        if (!text.empty()) return text;
    }
    switch (e.source) {
    case es_talent: {
        if (origin < 1 || e.talent < 1 || e.talent >= int(talents.size())) return {};
        const std::string talent = talents[e.talent].name.str();
        if (is_spell_talent(e.talent))
            return "$B" + sentence(origin, "%s %s $N" + talent + "$B" + ".", "casts", "cast");
        return "$B" + sentence(origin, "%s %s the $N" + talent + "$B" + " talent.", "uses", "use");
    }
    case es_trap: {
        if (target < 1 || !valid_plan(e.item_type)) return {};
        const titem_plan& plan = item_plans[e.item_type];
        const std::string id = plan.identifier.str();
        if (id.find("ambush") != std::string::npos) return "$F" + sentence(target, "An ambush!", "", "");
        if (id.find("reveal") != std::string::npos)
            return "$N" + sentence(target, "A secret area is revealed!", "", "");
        const std::string item = item_name(plan.name.str(), 1, 0, target, 2);
        return (target == player ? "$F" : "$B") +
               sentence(target, "%s %s " + item + "!", "springs", "spring");
    }
    case es_item_activate: {
        if (origin < 1 || !valid_plan(e.item_type)) return {};
        const std::string item = item_name(item_plans[e.item_type].name.str(), 1,
                                           is_stackable_item_plan(e.item_type) ? 1 : 0, origin, 2);
        return "$B" + sentence(origin, "%s %s " + item + ".", "uses", "use");
    }
    case es_switch:
        if (!on_map(e.aim.x, e.aim.y) || origin < 1) return {};
        return "$B" + sentence(origin,
                               cell_at(e.aim.x, e.aim.y).furniture_state == 1 ? "%s %s the switch on."
                                                                              : "%s %s the switch off.",
                               "flicks", "flick");
    default:
        return {};
    }
}

void compose_effect_end_message(const teffect& e) {
    if (e.source == es_none) return;
    const int target = e.target != 0 ? find_being_by_serial(e.target) : 0;
    if (target >= 1 && !player_sees(target)) return;
    if (target >= 1 && (e.kind == ek_disease || e.kind == ek_poison)) {
        const std::string s =
            sentence(target, e.kind == ek_disease ? "%s %s no longer diseased." : "%s %s no longer poisoned.",
                     "is", "are");
        if (!s.empty()) add_message(s);
        return;
    }
    if (e.kind == ek_disease || e.kind == ek_poison) return;
    std::string name = get_effect_sprite_name(e, true);
    if (name.empty()) return;
    const bool map_shape = shape_is(map_shapes, e.shape);
    if (map_shape && target < 1) {
        // An unseen map effect without a target ends without a word.
        if (!is_being_ok(player) || !on_map(e.aim.x, e.aim.y) ||
            services.can_see(player, 0, e.aim.x, e.aim.y) == 0)
            return;
        name += "_map_end";
    } else {
        name += target >= 1 && target == player ? "_player_end" : "_witness_end";
    }
    const std::string text = drawn_section_text(name, target, 0);
    if (!text.empty()) {
        add_message(text);
        return;
    }
    const std::string source = get_effect_source_name(e);
    if (map_shape && is_being_ok(player) && [&] {
            for (int i = 1; i <= effect_cell_count; ++i) {
                const tcell_xy c = e.cell(i);
                if (c.x == 0 || c.y == 0) break;
                if (services.can_see(player, 0, c.x, c.y)) return true;
            }
            return false;
        }()) {
        add_message("The effect of " + source + " vanishes.");
    } else if (target >= 1) {
        const std::string s = sentence(target, "%s %s no longer affected by " + source + ".", "is", "are");
        if (!s.empty()) add_message(s);
    }
}

} // namespace dravok
