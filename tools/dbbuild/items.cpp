// Item plans: weapons, armour, potions, scrolls, wands, tools, corpses, traps and the rest.
#include <regex>

#include "effects.h"
#include "records/vocabulary.h"
#include "tables.h"

namespace dravok::dbbuild {

void check_image(const tplace& p, const json& t) {
    std::string icon = get_string(p, t, "icon");
    if (icon.empty()) p.at("icon").error("every template needs an icon name");
    static const std::regex colour_re("#[0-9a-fA-F]{6}");
    std::string colour = get_string(p, t, "colour");
    if (!std::regex_match(colour, colour_re))
        p.at("colour").error("the colour must be \"#rrggbb\", not \"" + colour + "\"");
}

static const char* const bonus_names[] = {
    "health_regen",  "health_delay",   "stamina_regen",     "stamina_delay",   "speed",
    "movement",      "max_motion",     "device_difficulty", "melee_attack",    "melee_defence",
    "ranged_attack", "ranged_defence", "critical_attack",   "critical_defence"};

namespace {

// Every key of an item template is a known field.
void check_item_keys(const tplace& p, const json& t) {
    check_keys(p, t,
               {"id",
                "name",
                "proper_name",
                "flags",
                "groups",
                "amount",
                "weight",
                "price",
                "damage",
                "range",
                "charges",
                "depth",
                "enchantment",
                "enchantment_depth",
                "level_limit",
                "game_limit",
                "abilities",
                "skills",
                "resistances",
                "minima",
                "bonuses",
                "statuses",
                "device_statuses",
                "light",
                "dark_vision",
                "hit",
                "activate",
                "trap",
                "description",
                "lore",
                "sections",
                "icon",
                "colour"});
}

// Identifier and display name; returns the name.
std::string fill_item_names(const tsource& s, const tplace& p, const json& t, titem_plan& r) {
    put_string(p.at("id"), r.identifier, s.id);
    if (!s.id.starts_with("it_") && !s.id.starts_with("tr_"))
        p.at("id").error("item identifiers begin with \"it_\" (traps \"tr_\")");
    std::string name = get_string(p, t, "name");
    if (name.empty()) p.at("name").error("every item needs a display name");
    put_string(p.at("name"), r.name, name);
    std::string without_owner = std::regex_replace(name, std::regex("%owner%"), "");
    if (without_owner.find('%') != std::string::npos)
        p.at("name").error("a display name may hold no \"%\" other than \"%owner%\"");
    return name;
}

// An item's category and class, the flags that say what kind of thing it is.
struct titem_kind {
    int category = 0, klass = 0;
};

// Item flags: one category and one class, and none of the flags the game sets itself.
titem_kind fill_item_flags(const tplace& p, const json& t, titem_plan& r) {
    set_flags(p.at("flags"), t.value("flags", json::array()), "item_flags", r.flags, 1, 78);
    int category = 0, klass = 0, categories = 0, classes = 0;
    for (int i = 1; i <= 9; ++i)
        if (r.flags[i]) {
            ++categories;
            if (!category) category = i;
        }
    for (int i = 10; i <= 58; ++i)
        if (r.flags[i]) {
            ++classes;
            if (!klass) klass = i;
        }
    if (categories != 1) p.at("flags").error("an item needs exactly one category (wearable .. other)");
    // Shields go by their category: no class names a shield, and any class would fit a slot.
    if (r.flags[10] && r.flags[11]) --classes; // a robe also carries armor
    if (classes > 1 || (classes == 0 && category != 2))
        p.at("flags").error("an item needs exactly one class (armor .. divine_essence)");
    if (r.flags[69]) p.at("flags").error("\"enchanted\" is set by the game, never by content");
    return {category, klass};
}

// Item groups, amount, ability, skill and resistance modifiers, minima and bonuses.
void fill_item_modifiers(const tplace& p, const json& t, titem_plan& r) {
    auto groups = name_list(p, t, "groups");
    if (groups.size() > 10) p.at("groups").error("at most 10 item groups");
    for (std::size_t g = 0; g < groups.size() && g < 10; ++g)
        r.groups[g] = static_cast<uint16_t>(tag(p.at("groups"), groups[g], "lo_"));

    formula(p.at("amount"), t.value("amount", json("1")), r.amount);
    if (formula_min(r.amount) < 1)
        p.at("amount").error("the amount must be at least 1, else the item is never created");
    formula_map(p, t, "abilities", "abilities", r.ability_modifier, 4);
    formula_map(p, t, "skills", "skills", r.skill_modifier, 7);
    formula_map(p, t, "resistances", "damage_types", r.resistance_modifier, 13);
    if (t.contains("minima")) {
        const json& m = t["minima"];
        for (auto it = m.begin(); it != m.end(); ++it) {
            int k = name_of(p.at("minima"), "abilities", it.key());
            if (k >= 1)
                r.ability_minimum[k - 1] =
                    static_cast<int8_t>(get_int(p.at("minima"), m, it.key().c_str(), 0, -128, 127));
        }
    }
    if (t.contains("bonuses")) {
        const json& b = t["bonuses"];
        uint8_t* bytes = &r.health_regen_bonus;
        for (auto it = b.begin(); it != b.end(); ++it) {
            int found = -1;
            for (int i = 0; i < 14; ++i)
                if (it.key() == bonus_names[i]) found = i;
            if (found < 0) {
                p.at("bonuses").error("unknown bonus \"" + it.key() + "\"");
                continue;
            }
            bool is_signed = found >= 4 && found != 6 && found != 7;
            int v =
                get_int(p.at("bonuses"), b, it.key().c_str(), 0, is_signed ? -128 : 0, is_signed ? 127 : 255);
            bytes[found] = static_cast<uint8_t>(v);
        }
    }
}

// Damage, range, charges, light, weight, price, statuses, depth, enchantment and limits.
void fill_item_values(const tplace& p, const json& t, titem_plan& r) {
    damage(p.at("damage"), t.value("damage", json()), r.damage);
    formula(p.at("range"), t.value("range", json()), r.range);
    formula(p.at("charges"), t.value("charges", json()), r.charges);
    r.light_radius = static_cast<uint8_t>(get_int(p, t, "light", 0, 0, 18));
    r.dark_vision = static_cast<uint8_t>(get_int(p, t, "dark_vision", 0, 0, 20));
    r.weight = static_cast<uint32_t>(get_int(p, t, "weight", 0, 0, 1000000));
    r.price = static_cast<uint32_t>(get_int(p, t, "price", 0, 0, 10000000));
    set_flags1(p.at("statuses"), t.value("statuses", json::array()), "statuses", r.status, 1, 96);
    for (const auto& ds : name_list(p, t, "device_statuses")) {
        int st = name_of(p.at("device_statuses"), "statuses", ds);
        if (st < 0) continue;
        if (st < 99 || st > 113)
            p.at("device_statuses").error("\"" + ds + "\" is not a device status");
        else
            r.device_status[st - device_status_first] = 1;
    }
    if (t.contains("depth")) {
        const json& d = t["depth"];
        if (!d.is_array() || d.size() != 2)
            p.at("depth").error("depth is [lowest, highest]");
        else {
            r.min_depth = static_cast<uint8_t>(d[0].get<int>());
            r.max_depth = static_cast<uint8_t>(d[1].get<int>());
            if (r.min_depth && r.max_depth && r.min_depth > r.max_depth)
                p.at("depth").error("lowest depth above highest");
        }
    }
    if (t.contains("enchantment")) {
        const json& d = t["enchantment"];
        if (!d.is_array() || d.size() != 2)
            p.at("enchantment").error("enchantment is [lowest, highest]");
        else {
            r.min_enchantment = static_cast<uint8_t>(d[0].get<int>());
            r.max_enchantment = static_cast<uint8_t>(d[1].get<int>());
            if (r.min_enchantment > r.max_enchantment || r.max_enchantment > 5)
                p.at("enchantment").error("need lowest <= highest <= 5");
        }
    }
    r.enchantment_depth = static_cast<int8_t>(get_int(p, t, "enchantment_depth", 0, -128, 127));
    r.level_limit = static_cast<uint16_t>(get_int(p, t, "level_limit", 0, 0, 65535));
    r.game_limit = static_cast<uint16_t>(get_int(p, t, "game_limit", 0, 0, 65535));
}

// The hit, activation and trap effects, tagged with the item plan they belong to.
void fill_item_effects(const tplace& p, const json& t, titem_plan& r, int index) {
    read_effect(p.at("hit"), t.value("hit", json()), r.hit_effect, 5);
    read_effect(p.at("activate"), t.value("activate", json()), r.activation_effect, 4);
    read_effect(p.at("trap"), t.value("trap", json()), r.trap_effect, 3);
    for (teffect* e : {&r.hit_effect, &r.activation_effect, &r.trap_effect})
        if (e->kind) e->item_type = static_cast<uint16_t>(index);
    if (r.activation_effect.kind) r.activation_effect.action_kind = 15;
}

// Checks of the item rules: what each category and class needs, and the identifiers of traps.
void check_item_rules(const tsource& s, const tplace& p, const json& t, const titem_plan& r, int category,
                      int klass, const std::string& name) {
    bool modifier127 = false;
    for (const tdice* d = r.ability_modifier; d < r.ability_modifier + 24; ++d)
        if (d->bonus == 127 && d->count == 0) modifier127 = true;
    if (modifier127 && r.max_enchantment == 0)
        p.error("the modifier 127 (the enchantment level) needs a highest enchantment level above 0");
    if (category == 3 && !is_damage_set_simple(r.damage))
        p.at("damage").error("a weapon needs a damage formula");
    if (r.flags[60] && formula_max(r.range) < 1) p.at("range").error("a launcher needs a range");
    if (r.flags[61] && formula_max(r.range) < 1) p.at("range").error("a thrown weapon needs a range");
    if (r.flags[62] && formula_max(r.range) < 2)
        p.at("range").error("a reach weapon needs a range of at least 2");
    if (category == 4 && (klass < 34 || klass > 36))
        p.at("flags").error("ammunition must be an arrow, bolt or bullet");
    if ((klass == 44 || klass == 45 || klass == 46 || klass == 47 || klass == 48) &&
        !r.activation_effect.kind)
        p.at("activate").error("potions, scrolls, wands, horns and figurines need an activation effect");
    if (klass == 46 && formula_min(r.charges) < 1) p.at("charges").error("a wand needs at least 1 charge");
    if ((klass == 52) != s.id.starts_with("tr_"))
        p.at("id").error("trap plans (class trap) and only they begin with \"tr_\"");
    if (klass == 52 && (!r.trap_effect.kind || r.trap_effect.source != 3))
        p.at("trap").error("a trap needs a trap effect");
    if ((klass == 51) != s.id.starts_with("it_trapkit_"))
        p.at("id").error("trap kits (class trapkit) and only they begin with \"it_trapkit_\"");
    if (klass == 51) {
        if (r.activation_effect.kind != 59 || r.activation_effect.shape != 12)
            p.at("activate").error("a trap kit activates set_trap with shape spot");
        if (r.device_difficulty == 0) p.at("bonuses").error("a trap kit needs a device_difficulty");
    }
    if (klass == 49 && (r.light_radius < 1 || r.light_radius > 18))
        p.at("light").error("a lantern needs a light radius 1..18");
    if (category == 1 && static_cast<int8_t>(r.movement) > 0)
        p.at("bonuses").error("armour cannot raise movement");
    if (klass == 11 && !r.flags[10]) p.at("flags").error("a robe must also carry \"armor\"");
    if ((klass == 55 || klass == 56) && s.id.find("humanoid") != std::string::npos && !r.flags[74])
        p.at("flags").error("humanoid corpses and bones carry the flag \"humanoid\"");
    if ((klass == 55 || klass == 56 || klass == 57 || klass == 58) && r.min_depth <= 10)
        p.at("depth").warning(
            "corpses, bones and essences should have a lowest depth above the deepest level");
    if (!name.empty() && category != 0 && std::isupper(static_cast<unsigned char>(name[0])) &&
        !get_bool(p, t, "proper_name"))
        p.at("name").warning("a capital first letter makes \"" + name + "\" a proper name");
}

// Description, lore and sections: the item's texts.
void fill_item_texts(tcompiler& c, const tsource& s, const json& t) {
    if (t.contains("description")) add_section(c, s.id + "_description", t["description"]);
    if (t.contains("lore")) add_section(c, s.id + "_lore", t["lore"]);
    if (t.contains("sections")) {
        const json& sec = t["sections"];
        for (auto it = sec.begin(); it != sec.end(); ++it)
            add_section(c, s.id + "_" + it.key(), it.value());
    }
}

} // namespace

void fill_item_plans(tcompiler& c, std::vector<titem_plan>& out) {
    out.assign(c.items.size() + 1, titem_plan{});
    for (std::size_t n = 0; n < c.items.size(); ++n) {
        const tsource& s = c.items[n];
        const json& t = s.data;
        tplace p{&c, &s, ""};
        titem_plan& r = out[n + 1];
        check_item_keys(p, t);
        const std::string name = fill_item_names(s, p, t, r);
        const titem_kind kind = fill_item_flags(p, t, r);
        fill_item_modifiers(p, t, r);
        fill_item_values(p, t, r);
        fill_item_effects(p, t, r, static_cast<int>(n + 1));
        check_item_rules(s, p, t, r, kind.category, kind.klass, name);
        fill_item_texts(c, s, t);
        check_image(p, t);
    }
}

} // namespace dravok::dbbuild
