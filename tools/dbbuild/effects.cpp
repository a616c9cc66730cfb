// Effects and placement rows: the two building blocks that many templates embed.
#include "effects.h"

#include "records/vocabulary.h"

namespace dravok::dbbuild {

static bool per_being_kind(int k) {
    return k == 5 || (k >= 8 && k <= 15) || k == 29 || k == 31 || k == 32 || k == 33 || k == 35 || k == 36 ||
           k == 39 || k == 41 || k == 42 || k == 58;
}
static bool aimed_shape(int s) {
    return (s >= 3 && s <= 7) || (s >= 10 && s <= 14);
}
static bool map_shape(int s) {
    return s >= 10 && s <= 12;
}

void read_effect(const tplace& p, const json& e, teffect& out, int source) {
    out = teffect{};
    if (e.is_null()) return;
    if (!e.is_object()) {
        p.error("an effect is an object with at least a \"kind\"");
        return;
    }
    out.source = static_cast<uint8_t>(source);
    check_keys(p, e,
               {"kind", "shape", "min_range", "range", "duration", "periodic", "power", "size", "damage",
                "sub_type", "period", "light", "graphic", "line", "animation", "destination"});
    int kind = name_of(p.at("kind"), "effect_kinds", e.value("kind", json()));
    if (kind < 0) return;
    out.kind = static_cast<uint8_t>(kind);
    int shape = e.contains("shape") ? name_of(p.at("shape"), "effect_shapes", e["shape"]) : 2;
    if (shape < 0) shape = 2;
    out.shape = static_cast<uint8_t>(shape);
    out.min_range = static_cast<uint8_t>(get_int(p, e, "min_range", 0, 0, 255));
    formula(p.at("range"), e.value("range", json()), out.range_dice);
    formula(p.at("duration"), e.value("duration", json()), out.duration_dice);
    formula(p.at("periodic"), e.value("periodic", json()), out.periodic_dice);
    formula(p.at("power"), e.value("power", json()), out.power_dice);
    formula(p.at("size"), e.value("size", json()), out.size_dice);
    damage(p.at("damage"), e.value("damage", json()), out.damage_dice);
    out.period = static_cast<uint8_t>(get_int(p, e, "period", 0, 0, 255));
    out.light = static_cast<uint8_t>(get_int(p, e, "light", 0, 0, 3));
    out.graphic_index = static_cast<uint8_t>(get_int(p, e, "graphic", 0, 0, 5));
    out.animate_target = static_cast<uint8_t>(get_int(p, e, "line", 0, 0, 255));
    if (e.contains("animation")) {
        const json& a = e["animation"];
        out.animate_cells = static_cast<uint8_t>(get_int(p.at("animation"), a, "row", 0, 0, 19));
        out.animation_frames = static_cast<uint8_t>(get_int(p.at("animation"), a, "ticks", 2, 0, 255));
        out.animation_repeats = static_cast<uint8_t>(get_int(p.at("animation"), a, "repeats", 1, 0, 255));
    }
    if (e.contains("destination"))
        out.destination_content = static_cast<uint16_t>(content_ref(p.at("destination"), e["destination"]));

    // The sub-type names what an adjusting effect adjusts.
    if (e.contains("sub_type")) {
        tplace q = p.at("sub_type");
        const json& v = e["sub_type"];
        int sub = 0;
        if (kind == 1 || kind == 8 || kind == 9)
            sub = name_of(q, "abilities", v);
        else if (kind == 10 || kind == 11)
            sub = name_of(q, "skills", v);
        else if (kind == 12 || kind == 13)
            sub = (v.is_string() && v.get<std::string>() == "all")        ? 0
                  : (v.is_string() && v.get<std::string>() == "physical") ? 1
                                                                          : name_of(q, "damage_types", v);
        else
            q.error("this effect kind takes no sub-type");
        out.sub_type = static_cast<uint8_t>(std::max(sub, 0));
    } else if (kind == 1 || (kind >= 8 && kind <= 11)) {
        p.at("sub_type").error("an adjusting effect needs the ability or skill it adjusts");
    }

    if (kind == 40) p.at("kind").warning("restoration has no handler and does nothing");
    if (per_being_kind(kind) && (shape == 1 || shape == 6 || shape == 8))
        p.at("shape").error("a per-being effect needs a shape that lists cells (not special, cone or chain)");
    if (map_shape(shape)) {
        if (!is_dice_set_simple(out.duration_dice))
            p.at("duration").error("a cloud, wall or spot needs a duration");
        if (out.graphic_index == 0) p.at("graphic").error("a cloud, wall or spot needs a graphic 1..5");
    }
    if (kind == 36) {
        if (!is_dice_set_simple(out.periodic_dice)) p.at("periodic").error("poison needs a periodic formula");
        if (out.period < 1) p.at("period").error("poison needs a period of at least 1");
    }
    if ((kind == 32 || kind == 29 || kind == 31) && !is_dice_set_simple(out.periodic_dice))
        p.at("periodic").error("this effect needs a periodic formula (its length)");
    if (kind >= 43 && kind <= 56) {
        if (formula_max(out.duration_dice) < 1)
            p.at("duration").error("a summon needs a duration of at least 1 round");
        if (formula_max(out.size_dice) < 1)
            p.at("size").error("a summon needs a size (how many) of at least 1");
        int lo = formula_min(out.power_dice), hi = formula_max(out.power_dice);
        if ((kind == 45 || kind == 46) && (lo < 1 || hi > 3))
            p.at("power").error("demons and devils need a power of 1..3");
        if (kind == 49 && (lo < 1 || hi > 2)) p.at("power").error("slaad need a power of 1..2");
    }
    if (aimed_shape(shape) && formula_max(out.range_dice) < std::max<int>(out.min_range, 1))
        p.at("range").error("an aimed effect needs a range of at least its minimum range (and 1)");
    if (kind >= 8 && kind <= 15 && kind != 14 && kind != 15) {
        int total = 0;
        for (int t = 1; t <= 13; ++t)
            total += out.damage_dice.of(t).bonus + out.damage_dice.of(t).count;
        bool decrease = kind % 2 == 1;
        if (decrease && total > 0) p.at("damage").warning("a decrease needs a negative amount");
        if (!decrease && total < 0) p.at("damage").warning("an increase needs a positive amount");
    }
}

bool is_dice_set_simple(const tdice& d) {
    return d.count || d.sides || d.bonus || d.all_flag || d.ability || d.per_dungeon_level_divisor ||
           d.per_level >= 1 || d.per_dungeon_level >= 1;
}

namespace {

// Every key of a stuff row is a known field.
void check_stuff_keys(const tplace& p, const json& r) {
    check_keys(p, r,
               {"disabled",
                "area_kind",
                "zone",
                "pattern",
                "passable_exits",
                "area_choice",
                "content_required",
                "min_exits",
                "max_exits",
                "lowest_level",
                "highest_level",
                "min_cells",
                "max_cells",
                "no_content",
                "no_portal_near",
                "no_beings",
                "no_floor_symbol",
                "chance",
                "kind",
                "content",
                "group",
                "cap",
                "object",
                "count",
                "population",
                "use_previous_area",
                "new_area_per_piece",
                "if_previous_placed",
                "if_previous_not_placed",
                "if_no_item",
                "if_no_creature",
                "mandatory",
                "keep_content_demand",
                "no_relaxation",
                "group_first",
                "group_last",
                "group_member",
                "spawn_group_slot",
                "container",
                "bones_chance",
                "hidden_chance",
                "hidden_creature",
                "switch_off",
                "switch_on",
                "use_item_cap",
                "trap_into_container",
                "trap_onto_door",
                "trap_strength",
                "trap_value",
                "zone_below",
                "hidden"});
}

// Where the row places: area kind, zone, pattern, exits, levels, cells and what the area must lack.
void read_stuff_area(const tplace& p, const json& r, tstuff& out) {
    if (r.contains("area_kind")) {
        const json& a = r["area_kind"];
        if (a.is_string() && a.get<std::string>().starts_with("vault:")) {
            int v = vault_ref(p.at("area_kind"), a.get<std::string>().substr(6));
            if (v > 246)
                p.at("area_kind").error("vault templates named here must have an index of 246 or less");
            out.area_kind = static_cast<uint8_t>(9 + v);
        } else {
            out.area_kind = static_cast<uint8_t>(std::max(0, name_of(p.at("area_kind"), "area_kinds", a)));
        }
    }
    if (r.contains("zone"))
        out.zone = static_cast<uint8_t>(std::max(0, name_of(p.at("zone"), "zones", r["zone"])));
    if (r.contains("pattern"))
        out.pattern = static_cast<uint8_t>(std::max(0, name_of(p.at("pattern"), "patterns", r["pattern"])));
    out.passable_exits = get_bool(p, r, "passable_exits");
    static const char* choices[] = {"random", "first", "last", "largest"};
    std::string choice = get_string(p, r, "area_choice", "random");
    out.area_choice = 255;
    for (int i = 0; i < 4; ++i)
        if (choice == choices[i]) out.area_choice = static_cast<uint8_t>(i);
    if (out.area_choice == 255) {
        p.at("area_choice").error("unknown area choice \"" + choice + "\" (random, first, last, largest)");
        out.area_choice = 0;
    }
    if (r.contains("content_required"))
        out.content_required =
            static_cast<uint16_t>(content_ref(p.at("content_required"), r["content_required"]));
    out.min_exit_cells = static_cast<uint16_t>(get_int(p, r, "min_exits", 0, 0, 65535));
    out.max_exit_cells = static_cast<uint16_t>(get_int(p, r, "max_exits", 200, 0, 65535));
    out.lowest_level = static_cast<uint8_t>(get_int(p, r, "lowest_level", 0, 0, 255));
    out.highest_level = static_cast<uint8_t>(get_int(p, r, "highest_level", 0, 0, 255));
    out.min_cells = static_cast<uint16_t>(get_int(p, r, "min_cells", 0, 0, 65535));
    out.max_cells = static_cast<uint16_t>(get_int(p, r, "max_cells", 0, 0, 65535));
    out.no_content = get_bool(p, r, "no_content");
    out.no_portal_near = get_bool(p, r, "no_portal_near");
    out.no_being = get_bool(p, r, "no_beings");
    out.no_floor_symbol = get_bool(p, r, "no_floor_symbol");
}

// What the row places: chance, kind, content, group or cap, and the object; returns the kind.
int read_stuff_object(const tplace& p, const json& r, tstuff& out) {
    formula(p.at("chance"), r.value("chance", json("100")), out.chance);
    int kind = r.contains("kind") ? name_of(p.at("kind"), "stuff_kinds", r["kind"]) : 0;
    out.kind = static_cast<uint8_t>(std::max(kind, 0));
    if (r.contains("content"))
        out.content = static_cast<uint16_t>(content_ref(p.at("content"), r["content"]));
    if (r.contains("group")) out.pick_cap = static_cast<uint16_t>(tag(p.at("group"), r["group"], "re_"));
    if (r.contains("cap")) out.pick_cap = static_cast<uint16_t>(get_int(p, r, "cap", 0, 0, 65535));
    if (r.contains("object")) {
        tplace q = p.at("object");
        const json& o = r["object"];
        int id = 0;
        switch (kind) {
        case 1:
            id = name_of(q, "furniture", o);
            break;
        case 2:
            id = item_ref(q, o);
            break;
        case 4:
            id = being_ref(q, o);
            break;
        case 6:
            id = item_ref(q, o);
            break;
        case 8:
            id = get_int(p, r, "object", 0, 0, 65535);
            break;
        case 9:
            id = name_of(q, "splashes", o);
            break;
        default:
            q.error("this kind of row takes no object");
        }
        out.object_id = static_cast<uint16_t>(std::max(id, 0));
    } else if (kind == 1 || kind == 2 || kind == 4 || kind == 6 || kind == 9) {
        p.at("object").error("this kind of row needs an object");
    }
    return kind;
}

// How many, and the conditions, pick-one grouping, spawn slot, container and bones chance.
void read_stuff_count(const tplace& p, const json& r, tstuff& out, int kind, bool disabled) {
    formula(p.at("count"), r.value("count", json()), out.count, true);
    if (!disabled && kind != 0 && !is_dice_set_simple(out.count))
        p.at("count").error("a row without a count places nothing (mark it \"disabled\" if that is meant)");
    if (!disabled && kind != 0 && !is_dice_set_simple(out.chance))
        p.at("chance").error("a row with a blank chance is never placed");
    out.population_row = get_bool(p, r, "population");
    out.use_previous_area = get_bool(p, r, "use_previous_area");
    out.new_area_per_piece = get_bool(p, r, "new_area_per_piece");
    out.if_previous_placed = get_bool(p, r, "if_previous_placed");
    out.if_previous_not_placed = get_bool(p, r, "if_previous_not_placed");
    out.if_no_item = get_bool(p, r, "if_no_item");
    out.if_no_creature = get_bool(p, r, "if_no_creature");
    out.mandatory = get_bool(p, r, "mandatory");
    out.keep_content_demand = get_bool(p, r, "keep_content_demand");
    out.no_relaxation = get_bool(p, r, "no_relaxation");
    out.group_first = get_bool(p, r, "group_first");
    out.group_last = get_bool(p, r, "group_last");
    out.group_member = get_bool(p, r, "group_member");
    out.spawn_group_slot = static_cast<uint8_t>(get_int(p, r, "spawn_group_slot", 0, 0, 20));
    out.container_threshold = static_cast<uint8_t>(get_int(p, r, "container", 100, 0, 100));
    out.bones_chance = static_cast<uint8_t>(get_int(p, r, "bones_chance", 0, 0, 100));
}

// The hidden creature, the switches' effect kinds, the trap and the zone below.
void read_stuff_extras(const tplace& p, const json& r, tstuff& out) {
    formula(p.at("hidden_chance"), r.value("hidden_chance", json()), out.hidden_creature_chance);
    if (r.contains("hidden_creature"))
        out.hidden_creature = static_cast<int16_t>(being_ref(p.at("hidden_creature"), r["hidden_creature"]));
    for (const char* key : {"switch_off", "switch_on"}) {
        if (!r.contains(key)) continue;
        int k = name_of(p.at(key), "effect_kinds", r[key]);
        bool ok = k == 23 || k == 24 || k == 25 || k == 30 || k == 57 || (k >= 64 && k <= 73);
        if (k > 0 && !ok) p.at(key).error("a switch cannot run this effect kind");
        (key[7] == 'o' && key[8] == 'f' ? out.furniture_extra1 : out.furniture_extra2) =
            static_cast<uint8_t>(std::max(k, 0));
    }
    out.use_item_cap = get_bool(p, r, "use_item_cap");
    out.trap_into_container = get_bool(p, r, "trap_into_container");
    out.trap_onto_door = get_bool(p, r, "trap_onto_door");
    formula(p.at("trap_strength"), r.value("trap_strength", json()), out.trap_strength);
    if (r.contains("trap_value"))
        out.trap_value = static_cast<uint16_t>(content_ref(p.at("trap_value"), r["trap_value"]));
    if (r.contains("zone_below"))
        out.zone_below =
            static_cast<uint8_t>(std::max(0, name_of(p.at("zone_below"), "zones", r["zone_below"])));
}

} // namespace

void read_stuff(const tplace& p, const json& r, tstuff& out) {
    out = tstuff{};
    if (!r.is_object()) {
        p.error("a row is an object with at least \"kind\" and \"count\"");
        return;
    }
    bool disabled = get_bool(p, r, "disabled");
    check_stuff_keys(p, r);
    read_stuff_area(p, r, out);
    const int kind = read_stuff_object(p, r, out);
    read_stuff_count(p, r, out, kind, disabled);
    read_stuff_extras(p, r, out);
    if (kind == 4 && out.no_being) p.error("a creature row marked \"no_beings\"");
}

} // namespace dravok::dbbuild

namespace dravok::dbbuild {
bool is_damage_set_simple(const tdamage_dice& d) {
    for (int t = 1; t <= 13; ++t)
        if (is_dice_set_simple(d.of(t))) return true;
    return false;
}
} // namespace dravok::dbbuild
