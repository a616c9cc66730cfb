// Being plans: creatures, playable races, gods, the Overgod, summons and the spectator.
#include <cctype>
#include <set>

#include "effects.h"
#include "records/vocabulary.h"
#include "tables.h"
#include "world/tables.h"
#include "world/text_database.h"

namespace dravok::dbbuild {

static const char* const ai_presets[] = {"inert", "normal", "alert", "dull", "deaf", "blind"};
static const char* const morale_names[] = {"none",
                                           "coward",
                                           "coward_superiority_boosts",
                                           "steady",
                                           "steady_superiority_boosts",
                                           "valiant",
                                           "valiant_superiority_boosts",
                                           "champion",
                                           "champion_superiority_boosts",
                                           "fearless",
                                           "companion"};

static int named_index(const tplace& p, const json& t, const char* key, const char* const* names, int count,
                       int fallback) {
    if (!t.contains(key)) return fallback;
    const json& v = t[key];
    if (v.is_number_integer()) {
        int n = v.get<int>();
        if (n >= 0 && n < count) return n;
    } else if (v.is_string()) {
        for (int i = 0; i < count; ++i)
            if (v.get<std::string>() == names[i]) return i;
    }
    std::string list;
    for (int i = 0; i < count; ++i)
        list += (i ? ", " : "") + std::string(names[i]);
    p.at(key).error("expected one of " + list);
    return fallback;
}

static void presets(const tplace& p, const json& t, const char* key, temotion_preset* out, int count) {
    if (!t.contains(key)) return;
    const json& list = t[key];
    if (!list.is_array() || static_cast<int>(list.size()) > count) {
        p.at(key).error("expected a list of at most " + std::to_string(count) + " [group, value] pairs");
        return;
    }
    bool positive = false;
    int sum = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const json& e = list[i];
        if (!e.is_array() || e.size() != 2 || !e[1].is_number_integer()) {
            p.at(key).error("each preset is [group, value]");
            continue;
        }
        int g = name_of(p.at(key), "type_flags", e[0]);
        int v = e[1].get<int>();
        if (g < 1) continue;
        if (v < -100 || v > 100) p.at(key).warning("value " + std::to_string(v) + " beyond -100..100");
        if (positive && v < 0)
            p.at(key).warning("a negative value after a positive sum is skipped by the game");
        sum += v;
        if (sum > 0) positive = true;
        out[i].group = static_cast<uint16_t>(g);
        out[i].value = static_cast<int16_t>(v);
    }
}

namespace {

// Every key of a being template is a known field.
void check_being_keys(const tplace& p, const json& t) {
    check_keys(p, t,
               {"id",
                "name",
                "title",
                "flags",
                "spawn_groups",
                "size",
                "dark_vision",
                "special",
                "abilities",
                "skills",
                "resistances",
                "multipliers",
                "statuses",
                "attacks",
                "talent_groups",
                "talents",
                "health",
                "stamina",
                "companion_health",
                "companion_stamina",
                "regeneration",
                "movement",
                "cap",
                "max_per_game",
                "attitudes",
                "fears",
                "owns",
                "ai",
                "wake_up",
                "idle",
                "asleep",
                "morale",
                "behaviour",
                "fighting_style",
                "preferred_distance",
                "kit_groups",
                "kit_items",
                "kit_enchantment",
                "wishes",
                "prison_wishes",
                "race",
                "level_cap",
                "comments_friend_killed",
                "comments_kills",
                "notices_types",
                "kill_comment_types",
                "friend_death_types",
                "chatter",
                "sections",
                "description",
                "variants",
                "icon",
                "colour"});
}

// Identifier, name and title.
void fill_being_names(const tsource& s, const tplace& p, const json& t, tbeing_plan& r) {
    put_string(p.at("id"), r.identifier, s.id);
    if (!s.id.starts_with("be_")) p.at("id").error("being identifiers begin with \"be_\"");
    std::string name = get_string(p, t, "name");
    if (name.empty()) p.at("name").error("every being needs a name");
    put_string(p.at("name"), r.name, name);
    put_string(p.at("title"), r.title, get_string(p, t, "title"));
}

// Type flags: one category, race and size, and none of the flags the game sets itself.
void fill_being_flags(const tsource& s, const tplace& p, const json& t, tbeing_plan& r) {
    set_flags(p.at("flags"), t.value("flags", json::array()), "type_flags", r.type_flags, 1, 212);
    auto count_in = [&](int lo, int hi, int& first) {
        int k = 0;
        first = 0;
        for (int i = lo; i <= hi; ++i)
            if (r.type_flags[i]) {
                ++k;
                if (!first) first = i;
            }
        return k;
    };
    int category, race, size, gender, alignment;
    if (count_in(1, 12, category) != 1)
        p.at("flags").error("a being needs exactly one category (animal .. undead)");
    if (count_in(13, 132, race) != 1) p.at("flags").error("a being needs exactly one race");
    if (count_in(137, 141, size) != 1) p.at("flags").error("a being needs exactly one size (tiny .. huge)");
    if (count_in(134, 136, gender) > 1) p.at("flags").error("at most one gender");
    if (count_in(142, 144, alignment) > 1) p.at("flags").error("at most one alignment");
    bool spectator = s.id == "be_spectator";
    for (int f : {145, 146, 147, 148, 149, 150, 177, 180, 181, 182, 183, 184,
                  185, 186, 187, 188, 189, 190, 191, 192, 193, 194, 202})
        if (r.type_flags[f] && !(spectator && f == 150))
            p.at("flags").error("\"" + std::string(vocab::type_flags[f]) +
                                "\" is set by the game, never by content");
}

// Spawn groups, size, dark vision, special kind, abilities, skills, resistances and statuses.
void fill_being_body(const tplace& p, const json& t, tbeing_plan& r) {
    auto spawn = name_list(p, t, "spawn_groups");
    if (spawn.size() > 20) p.at("spawn_groups").error("at most 20 spawn groups");
    for (std::size_t g = 0; g < spawn.size() && g < 20; ++g)
        r.spawn_groups[g] = static_cast<uint16_t>(tag(p.at("spawn_groups"), spawn[g], "re_"));

    if (t.contains("size")) {
        const json& sz = t["size"];
        r.width = static_cast<uint8_t>(sz.at(0).get<int>());
        r.height = static_cast<uint8_t>(sz.at(1).get<int>());
        if (r.width < 1 || r.height < 1 || r.width > 4 || r.height > 4)
            p.at("size").error("width and height are 1..4");
    } else {
        r.width = r.height = 1;
    }
    r.dark_vision = static_cast<uint8_t>(get_int(p, t, "dark_vision", 0, 0, 20));
    r.special = static_cast<uint8_t>(get_int(p, t, "special", 0, 0, 8));
    formula_map(p, t, "abilities", "abilities", r.ability, 4);
    formula_map(p, t, "skills", "skills", r.skill, 7);
    formula_map(p, t, "resistances", "damage_types", r.resistance, 13);
    formula_map(p, t, "multipliers", "damage_types", r.multiplier, 13);
    set_flags1(p.at("statuses"), t.value("statuses", json::array()), "statuses", r.status, 1, 96);
}

// Natural attacks with their hit effects and hit texts.
void fill_natural_attacks(tcompiler& c, const tsource& s, const tplace& p, const json& t, tbeing_plan& r) {
    if (t.contains("attacks")) {
        const json& list = t["attacks"];
        if (!list.is_array() || list.size() > 12) p.at("attacks").error("at most 12 natural attacks");
        for (std::size_t i = 0; i < list.size() && i < 12; ++i) {
            tplace q = p.at("attacks[" + std::to_string(i) + "]");
            const json& a = list[i];
            tnatural_attack& na = r.natural_attacks[i];
            check_keys(q, a, {"class", "attack", "damage", "time", "reach", "hit", "vampiric", "hit_text"});
            int cls = name_of(q.at("class"), "attack_classes", a.value("class", json()));
            na.attack_class = static_cast<uint8_t>(std::max(cls, 0));
            if (!a.contains("attack")) q.at("attack").error("a natural attack needs an attack-value formula");
            formula(q.at("attack"), a.value("attack", json()), na.attack_dice);
            na.time_multiplier = static_cast<uint8_t>(get_int(q, a, "time", 1, 1, 255));
            na.reach = static_cast<uint8_t>(get_int(q, a, "reach", 1, cls >= 14 ? 0 : 1, 255));
            damage(q.at("damage"), a.value("damage", json()), na.damage);
            if (!is_damage_set_simple(na.damage))
                q.at("damage").error("a natural attack needs a damage formula");
            read_effect(q.at("hit"), a.value("hit", json()), na.hit_effect, 2);
            if (na.hit_effect.kind)
                na.hit_effect.natural_attack_kind = static_cast<uint8_t>(std::max(cls, 0));
            na.vampiric = get_bool(q, a, "vampiric");
            if (a.contains("hit_text"))
                add_section(c, std::string(vocab::attack_classes[std::max(cls, 0)]) + "_" + s.id + "_hit",
                            a["hit_text"]);
        }
    }
}

// Talents, health, stamina, regeneration, movement and the caps on numbers.
void fill_being_talents_and_vitals(const tsource& s, const tplace& p, const json& t, tbeing_plan& r) {
    bool spectator = s.id == "be_spectator";
    if (t.contains("talent_groups")) {
        const json& list = t["talent_groups"];
        for (std::size_t i = 0; i < list.size() && i < 10; ++i) {
            tplace q = p.at("talent_groups[" + std::to_string(i) + "]");
            r.talent_groups[i] =
                static_cast<uint16_t>(tag(q.at("group"), list[i].value("group", json()), "ta_"));
            formula(q.at("count"), list[i].value("count", json("1")), r.talent_group_count[i], true);
        }
    }
    for (const auto& tn : name_list(p, t, "talents")) {
        int k = talent_ref(p.at("talents"), tn);
        if (k > 0 && k <= 150) r.talent[k - 1] = 1;
    }
    formula(p.at("health"), t.value("health", json()), r.health);
    if (formula_max(r.health) < 1 && !spectator) p.at("health").error("health must reach at least 1");
    formula(p.at("stamina"), t.value("stamina", json()), r.stamina);
    formula(p.at("companion_health"), t.value("companion_health", json()), r.companion_health);
    formula(p.at("companion_stamina"), t.value("companion_stamina", json()), r.companion_stamina);
    if (t.contains("regeneration")) {
        const json& g = t["regeneration"];
        r.health_regen = static_cast<uint16_t>(get_int(p.at("regeneration"), g, "health", 0, 0, 65535));
        r.health_regen_delay =
            static_cast<uint16_t>(get_int(p.at("regeneration"), g, "health_delay", 0, 0, 65535));
        r.stamina_regen = static_cast<uint16_t>(get_int(p.at("regeneration"), g, "stamina", 0, 0, 65535));
        r.stamina_regen_delay =
            static_cast<uint16_t>(get_int(p.at("regeneration"), g, "stamina_delay", 0, 0, 65535));
    }
    r.speed_bonus = static_cast<int8_t>(get_int(p, t, "movement", 0, -128, 127));
    r.cap = static_cast<uint16_t>(get_int(p, t, "cap", 0, 0, 65535));
    r.max_per_game = static_cast<uint16_t>(get_int(p, t, "max_per_game", 0, 0, 65535));
}

// Attitudes, fears, owned furniture, the AI's preset, sleep, morale and fighting.
void fill_being_mind(const tplace& p, const json& t, tbeing_plan& r) {
    presets(p, t, "attitudes", r.attitude_presets, 30);
    presets(p, t, "fears", r.fear_presets, 10);
    set_flags1(p.at("owns"), t.value("owns", json::array()), "furniture", r.furniture_owned, 1, 60);
    r.ai_preset = static_cast<uint8_t>(named_index(p, t, "ai", ai_presets, 6, 1));
    r.wake_up = static_cast<uint8_t>(get_int(p, t, "wake_up", 10, 0, 255));
    formula(p.at("idle"), t.value("idle", json()), r.idle_turns_before_sleep);
    formula(p.at("asleep"), t.value("asleep", json()), r.sleep_turns);
    r.morale_index = static_cast<uint8_t>(named_index(p, t, "morale", morale_names, 11, 3));
    if (t.contains("behaviour"))
        r.behaviour =
            static_cast<uint8_t>(std::max(0, name_of(p.at("behaviour"), "behaviours", t["behaviour"])));
    else
        r.behaviour = 2;
    r.fighting_style = static_cast<uint8_t>(get_int(p, t, "fighting_style", 0, 0, 2));
    r.preferred_distance = static_cast<uint8_t>(get_int(p, t, "preferred_distance", 0, 0, 255));
}

// Kit groups and items, kit enchantment and wishes.
void fill_being_kit(const tplace& p, const json& t, tbeing_plan& r) {
    if (t.contains("kit_groups")) {
        const json& list = t["kit_groups"];
        for (std::size_t i = 0; i < list.size() && i < 10; ++i) {
            tplace q = p.at("kit_groups[" + std::to_string(i) + "]");
            r.kit_class[i] = static_cast<uint16_t>(tag(q.at("group"), list[i].value("group", json()), "lo_"));
            formula(q.at("count"), list[i].value("count", json("1")), r.kit_count[i], true);
        }
    }
    if (t.contains("kit_items")) {
        const json& list = t["kit_items"];
        for (std::size_t i = 0; i < list.size() && i < 10; ++i) {
            tplace q = p.at("kit_items[" + std::to_string(i) + "]");
            r.kit_plan[i] = static_cast<uint16_t>(item_ref(q.at("item"), list[i].value("item", json())));
            formula(q.at("amount"), list[i].value("amount", json("1")), r.kit_amount[i]);
            if (formula_min(r.kit_amount[i]) < 1) q.at("amount").error("a kit amount must be at least 1");
        }
    }
    r.kit_enchantment = static_cast<int8_t>(get_int(p, t, "kit_enchantment", 0, -128, 127));
    set_flags1(p.at("wishes"), t.value("wishes", json::array()), "item_flags", r.wish, 1, 78);
    set_flags1(p.at("prison_wishes"), t.value("prison_wishes", json::array()), "item_flags", r.prison_wish, 1,
               78);
}

// Playable-race values, level cap, comments and the creature types it reacts to.
void fill_being_race_and_reactions(const tplace& p, const json& t, tbeing_plan& r) {
    if (t.contains("race")) {
        const json& rc = t["race"];
        r.reroll_chance = static_cast<uint8_t>(get_int(p.at("race"), rc, "reroll", 0, 0, 100));
        formula(p.at("race.bonus"), rc.value("bonus", json()), r.race_bonus);
        r.extra_skill_points = static_cast<uint8_t>(get_int(p.at("race"), rc, "skill_points", 0, 0, 255));
        r.extra_talent_points = static_cast<uint8_t>(get_int(p.at("race"), rc, "talent_points", 0, 0, 255));
    }
    r.level_cap = static_cast<uint8_t>(get_int(p, t, "level_cap", 0, 0, 255));
    r.comments_friend_killed = get_bool(p, t, "comments_friend_killed");
    r.comments_kills = get_bool(p, t, "comments_kills");
    set_flags1(p.at("notices_types"), t.value("notices_types", json::array()), "type_flags", r.reaction, 1,
               219);
    set_flags1(p.at("kill_comment_types"), t.value("kill_comment_types", json::array()), "type_flags",
               r.kill_comment_type, 1, 219);
    set_flags1(p.at("friend_death_types"), t.value("friend_death_types", json::array()), "type_flags",
               r.friend_death_type, 1, 219);
}

// Chatter, sections and description: the being's texts.
void fill_being_texts(tcompiler& c, const tsource& s, const tplace& p, const json& t, tbeing_plan& r) {
    // Chatter: lines per trigger (the switch is set) and switches for sections written elsewhere.
    if (t.contains("chatter")) {
        const json& ch = t["chatter"];
        for (auto it = ch.begin(); it != ch.end(); ++it) {
            int trig = 0;
            for (int k = 1; k <= 58; ++k)
                if (it.key() == chatter_trigger_names[k]) trig = k;
            if (trig == 0 || trig > 51) {
                p.at("chatter").error("unknown chatter trigger \"" + it.key() + "\"");
                continue;
            }
            r.chatter_switch[trig - 1] = 1;
            add_section(c, s.id + "_" + it.key(), it.value());
        }
        if (!r.type_flags[165]) p.at("chatter").error("chatter lines need the flag has_oneliners");
    }
    if (t.contains("sections"))
        for (auto it = t["sections"].begin(); it != t["sections"].end(); ++it)
            add_section(c, s.id + "_" + it.key(), it.value());
    if (t.contains("description")) add_section(c, s.id + "_description", t["description"]);
}

// Checks of the being rules: gods, unique beings, playable races and the fixed creatures.
void check_being_rules(tcompiler& c, const tsource& s, const tplace& p, const json& t, tbeing_plan& r,
                       std::set<int>& special_kinds, int god_group) {
    bool spectator = s.id == "be_spectator";
    if (r.special) {
        if (!r.type_flags[64]) p.at("special").error("a special kind 1..8 (a god) needs the race god");
        if (!special_kinds.insert(r.special).second)
            p.at("special").error("special kind " + std::to_string(r.special) + " is used twice");
        bool in_group = false;
        for (uint16_t g : r.spawn_groups)
            in_group |= g != 0 && g == god_group;
        if (!in_group) p.at("spawn_groups").error("a god must be in the spawn group re_gods");
        if (r.title.empty()) p.at("title").error("a god needs a proper-name title");
    } else if (r.type_flags[64]) {
        p.at("special").error("a god (race god) needs a special kind 1..8");
    }
    if (!r.special)
        for (uint16_t g : r.spawn_groups)
            if (g != 0 && g == god_group) p.at("spawn_groups").error("only gods belong to re_gods");
    if (r.max_per_game == 1 && r.title.empty()) p.at("title").error("a unique being needs a title");
    if (s.id.starts_with("be_playable")) {
        for (int f : {195, 197, 198})
            if (!r.type_flags[f])
                p.at("flags").error("a playable race needs \"" + std::string(vocab::type_flags[f]) + "\"");
        if (!r.health_regen || !r.health_regen_delay || !r.stamina_regen || !r.stamina_regen_delay)
            p.at("regeneration")
                .error("a playable race needs health and stamina regeneration amounts and delays of at "
                       "least 1");
        for (int k = 0; k < 4; ++k)
            if (r.ability[k].count || r.ability[k].sides)
                p.at("abilities").error("race abilities are constants (the race modifiers)");
        for (int k = 0; k < 7; ++k)
            if (r.skill[k].count || r.skill[k].sides)
                p.at("skills").error("race skills are constants (the race modifiers)");
    }
    if (spectator && (!r.type_flags[150] || r.type_flags[154]))
        p.at("flags").error("the spectator needs \"spectator\" and must not be passive");
    if (s.id == "be_fungus_shrieker" && (r.type_flags[154] || !r.type_flags[165] || !r.chatter_switch[6]))
        p.error("the shrieker must not be passive and needs has_oneliners with fungus_shrieks");
    if (r.type_flags[162]) {
        if (!r.type_flags[163]) p.at("flags").error("a shopkeeper is also a trader");
        bool coins = false;
        for (int i = 0; i < 10; ++i)
            coins |= r.kit_plan[i] != 0 && c.items[r.kit_plan[i] - 1].id == "it_coin";
        if (!coins) p.at("kit_items").error("a shopkeeper carries it_coin");
    }
    if ((r.width > 1 || r.height > 1) && get_int(p, t, "variants", 1, 1, 31) != 1)
        p.at("variants").error("a multi-cell being has one image variant");
    check_image(p, t);
}

} // namespace

void fill_being_plans(tcompiler& c, std::vector<tbeing_plan>& out, int& god_group) {
    out.assign(c.beings.size() + 1, tbeing_plan{});
    auto gods_it = c.tag_index.find("re_gods");
    god_group = gods_it == c.tag_index.end() ? 0 : gods_it->second;
    std::set<int> special_kinds;
    for (std::size_t n = 0; n < c.beings.size(); ++n) {
        const tsource& s = c.beings[n];
        const json& t = s.data;
        tplace p{&c, &s, ""};
        tbeing_plan& r = out[n + 1];
        check_being_keys(p, t);
        fill_being_names(s, p, t, r);
        fill_being_flags(s, p, t, r);
        fill_being_body(p, t, r);
        fill_natural_attacks(c, s, p, t, r);
        fill_being_talents_and_vitals(s, p, t, r);
        fill_being_mind(p, t, r);
        fill_being_kit(p, t, r);
        fill_being_race_and_reactions(p, t, r);
        fill_being_texts(c, s, p, t, r);
        check_being_rules(c, s, p, t, r, special_kinds, god_group);
    }
}

} // namespace dravok::dbbuild
