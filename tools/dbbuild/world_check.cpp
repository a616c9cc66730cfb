// The rules that span tables: fixed identifiers, effects and the plans they need, groups that
// must have members and the shape of the dungeon (start, hub, demiplane, portals).
#include <map>
#include <queue>
#include <set>

#include "records/vocabulary.h"
#include "rules/effect_tables.h"
#include "tables.h"
#include "world/tables.h"

namespace dravok::dbbuild {

static int item_class(const titem_plan& r) {
    for (int i = 10; i <= 58; ++i)
        if (r.flags[i]) return i;
    return 0;
}

// Every effect kind but restoration should reach play through a talent, an item, a natural
// attack or a switch; a kind no entry uses is a handler the game never runs (warning).
static void check_effect_kinds_used(tcompiler& c, const std::vector<titem_plan>& items,
                                    const std::vector<ttalent>& talents,
                                    const std::vector<tbeing_plan>& beings, const std::vector<tlevel>& levels,
                                    const std::vector<tcontent>& contents) {
    constexpr int kind_count = 76;
    constexpr int restoration = 40;
    std::vector<bool> used(kind_count, false);
    auto note = [&](const teffect& e) {
        if (e.kind < kind_count) used[std::size_t(e.kind)] = true;
    };
    for (std::size_t t = 1; t < talents.size(); ++t)
        note(talents[t].effect);
    for (std::size_t i = 1; i < items.size(); ++i) {
        note(items[i].hit_effect);
        note(items[i].activation_effect);
        note(items[i].trap_effect);
    }
    for (std::size_t b = 1; b < beings.size(); ++b)
        for (const tnatural_attack& a : beings[b].natural_attacks)
            note(a.hit_effect);
    auto note_switches = [&](const auto& rows) {
        for (const tstuff& r : rows)
            for (int k : {r.furniture_extra1, r.furniture_extra2})
                if (k < kind_count) used[std::size_t(k)] = true;
    };
    for (const tlevel& l : levels)
        note_switches(l.stuff);
    for (const tcontent& t : contents)
        note_switches(t.stuff);
    for (int k = 1; k < kind_count; ++k)
        if (!used[std::size_t(k)] && k != restoration)
            c.warning("effect kinds",
                      std::string("no talent, item, natural attack or switch uses the effect kind ") +
                          std::string(effect_kind_names[k]));
}

namespace {

using titems = std::vector<titem_plan>;
using ttalents = std::vector<ttalent>;
using tbeings = std::vector<tbeing_plan>;
using tlevels = std::vector<tlevel>;
using tcontents = std::vector<tcontent>;
using tvaults = std::vector<tvault>;

bool has_item(const tcompiler& c, const std::string& id) {
    return c.item_index.count(id) > 0;
}
bool has_being(const tcompiler& c, const std::string& id) {
    return c.being_index.count(id) > 0;
}

// A group's tag name, or its number when no tag has it.
std::string tag_name(const tcompiler& c, int g) {
    return g >= 1 && g <= static_cast<int>(c.tags.size()) ? c.tags[g - 1] : std::to_string(g);
}

// The plans and classes the game looks up by identifier, and the races it needs.
void check_fixed_plans(tcompiler& c, const titems& items, const tbeings& beings) {
    auto fixed = [&](bool ok, const std::string& what) {
        if (!ok) c.error("fixed identifiers", what);
    };
    fixed(c.levels.size() >= 1 && c.items.size() >= 1 && c.beings.size() >= 1,
          "at least one level, item plan and being plan");
    for (const char* id : {"it_coin", "it_essence_divine", "it_essence_cosmic", "it_bones_humanoid"})
        fixed(has_item(c, id), std::string("the item plan ") + id + " is missing");
    for (const char* id : {"be_spectator", "be_debug_player"})
        fixed(has_being(c, id), std::string("the being plan ") + id + " is missing");
    if (has_item(c, "it_coin"))
        fixed(item_class(items[c.item_index["it_coin"]]) == 53, "it_coin must be of class coin");
    if (has_item(c, "it_essence_divine"))
        fixed(item_class(items[c.item_index["it_essence_divine"]]) == 58,
              "it_essence_divine must be of class divine_essence");
    if (has_item(c, "it_essence_cosmic"))
        fixed(item_class(items[c.item_index["it_essence_cosmic"]]) == 57,
              "it_essence_cosmic must be of class cosmic_essence");

    int playable = 0, overgods = 0, gods = 0;
    for (std::size_t b = 1; b < beings.size(); ++b) {
        playable += c.beings[b - 1].id.starts_with("be_playable");
        overgods += beings[b].type_flags[95] != 0;
        gods += beings[b].special != 0;
    }
    fixed(playable >= 1, "at least one playable race (be_playable...)");
    fixed(overgods >= 1, "a being plan with the race overgod");
    fixed(gods >= 1, "god plans (race god, special kind 1..8)");
    if (gods < 8) c.warning("fixed identifiers", "fewer than 8 god plans: some avatar ids would never exist");
}

// Item plans that come with others: corpses and bones per category, every trap kit's trap,
// launchers and their ammunition.
void check_item_companions(tcompiler& c, const titems& items) {
    // Corpses and bones of every category but undead.
    for (int cat = 1; cat <= 11; ++cat) {
        std::string name(vocab::type_flags[cat]);
        for (std::string prefix : {"it_corpse_", "it_bones_"})
            if (!has_item(c, prefix + name))
                c.warning("fixed identifiers", prefix + name + " is missing: that category leaves nothing");
    }
    for (std::size_t i = 1; i < items.size(); ++i) {
        const std::string& id = c.items[i - 1].id;
        if (id.starts_with("it_corpse_") || id.starts_with("it_bones_")) {
            int found = 0;
            for (int cat = 1; cat <= 12; ++cat)
                if (id.find(std::string(vocab::type_flags[cat])) != std::string::npos) ++found;
            if (found != 1)
                c.error(c.items[i - 1].file + ": " + id,
                        "a corpse or bones identifier names exactly one category");
        }
        if (id.starts_with("it_trapkit_") && !has_item(c, "tr_" + id.substr(11)))
            c.error(c.items[i - 1].file + ": " + id,
                    "the trap tr_" + id.substr(11) + " of this kit is missing");
        // A trap without a kit is one only the dungeon sets (fire, alarms, ambushes): disabling it
        // gives no kit, which the game allows, so it is no mistake of the content.
        // Launchers need their ammunition.
        if (items[i].flags[60]) {
            int launcher = item_class(items[i]);
            int ammo = launcher == 20                       ? 34
                       : launcher == 21                     ? 35
                       : (launcher == 29 || launcher == 26) ? 36
                                                            : 0;
            bool found = false;
            for (std::size_t k = 1; k < items.size(); ++k)
                found |= ammo && items[k].flags[ammo];
            if (!found) c.error(c.items[i - 1].file + ": " + id, "no ammunition exists for this launcher");
        }
    }
}

// The undead the game raises by identifier are found again by their names.
void check_undead_names(tcompiler& c, const tbeings& beings) {
    if (has_being(c, "be_undead_zombie") &&
        beings[c.being_index["be_undead_zombie"]].name.str().find("zombie") == std::string::npos)
        c.error("fixed identifiers", "the name of be_undead_zombie must contain \"zombie\"");
    if (has_being(c, "be_undead_skeleton_animated") &&
        beings[c.being_index["be_undead_skeleton_animated"]].name.str().find("skeleton") == std::string::npos)
        c.error("fixed identifiers", "the name of be_undead_skeleton_animated must contain \"skeleton\"");
}

// The effect kinds items, talents and natural attacks use.
std::set<int> effect_kinds_in_use(const titems& items, const ttalents& talents, const tbeings& beings) {
    std::set<int> kinds;
    auto note = [&](const teffect& e) {
        if (e.kind) kinds.insert(e.kind);
    };
    for (std::size_t i = 1; i < items.size(); ++i) {
        note(items[i].hit_effect);
        note(items[i].activation_effect);
        note(items[i].trap_effect);
    }
    for (std::size_t i = 1; i < talents.size(); ++i)
        note(talents[i].effect);
    for (std::size_t i = 1; i < beings.size(); ++i)
        for (const auto& na : beings[i].natural_attacks)
            note(na.hit_effect);
    return kinds;
}

// Each summoning kind in use needs the plans it calls up.
void check_summoned_plans(tcompiler& c, const std::set<int>& kinds) {
    std::map<int, std::vector<std::string>> summons = {
        {43, {"be_summoned_animal_1"}},
        {44, {"be_celestial_planetar"}},
        {45,
         {"be_demon_babau", "be_demon_barlgura", "be_demon_chasme", "be_demon_nabassu", "be_demon_rutterkin",
          "be_demon_succubus", "be_demon_glabrezu", "be_demon_hezrou", "be_demon_marilith",
          "be_demon_molydeus", "be_demon_nalfeshnee", "be_demon_vrock", "be_demon_balor"}},
        {46,
         {"be_devil_barbed", "be_devil_bearded", "be_devil_bone", "be_devil_erinyes", "be_devil_hellbeast",
          "be_devil_hellcat", "be_devil_hellephant", "be_devil_hellhound", "be_devil_spined",
          "be_devil_horned", "be_devil_ice", "be_devil_pit_fiend"}},
        {47,
         {"be_summoned_elemental_1", "be_summoned_elemental_2", "be_summoned_elemental_3",
          "be_summoned_elemental_4"}},
        {48, {"be_summoned_panther"}},
        {49, {"be_slaad_red", "be_slaad_blue", "be_slaad_green"}},
        {50, {"be_snake_giant_cult"}},
        {51, {"be_summoned_spider"}},
        {52, {"be_spider_drow"}},
        {53, {"be_unicorn"}},
        {55, {"be_wolf_vampiric"}},
        {56, {"be_demon_yochlol"}},
        {24,
         {"be_undead_zombie", "be_undead_skeleton_animated", "be_undead_shadow", "be_undead_ghoul",
          "be_undead_wight"}},
        {25,
         {"be_undead_zombie", "be_undead_skeleton_animated", "be_undead_shadow", "be_undead_ghoul",
          "be_undead_wight"}},
    };
    for (const auto& [kind, plans] : summons)
        if (kinds.count(kind))
            for (const auto& id : plans)
                if (!has_being(c, id))
                    c.error("fixed identifiers", "effect kind " + std::string(vocab::effect_kinds[kind]) +
                                                     " is used but " + id + " is missing");
}

// Warriors: one plan per power the formulas can roll; possess needs its breaker, golems their
// activation.
void check_effect_partners(tcompiler& c, const std::set<int>& kinds, const titems& items,
                           const ttalents& talents, const tbeings& beings) {
    auto check_warriors = [&](const teffect& e, const std::string& where) {
        if (e.kind != 54) return;
        for (int pw = std::max(1, formula_min(e.power_dice)); pw <= formula_max(e.power_dice); ++pw)
            if (!has_being(c, "be_summoned_warrior_" + std::to_string(pw)))
                c.error(where, "summon_warriors can roll power " + std::to_string(pw) +
                                   " but be_summoned_warrior_" + std::to_string(pw) + " is missing");
    };
    for (std::size_t i = 1; i < items.size(); ++i)
        check_warriors(items[i].activation_effect, c.items[i - 1].file + ": " + c.items[i - 1].id);
    for (std::size_t i = 1; i < talents.size(); ++i)
        check_warriors(talents[i].effect, c.talents[i - 1].file + ": " + c.talents[i - 1].id);
    if (kinds.count(37)) {
        bool breaker = false;
        for (std::size_t i = 1; i < talents.size(); ++i)
            breaker |= talents[i].effect.kind == 38;
        if (!breaker) c.error("talents", "possess is used but no talent has the kind possess_break");
    }
    if (kinds.count(60) == 0)
        for (std::size_t b = 1; b < beings.size(); ++b)
            if (beings[b].type_flags[65] && beings[b].type_flags[156]) {
                c.error(c.beings[b - 1].file + ": " + c.beings[b - 1].id,
                        "a golem needs an item whose activation is activate_golem");
                break;
            }
}

// The groups that have at least one member, per kind of group.
struct tgroup_members {
    std::set<int> talent_groups, item_groups, spawn_members, content_groups;
};

tgroup_members collect_group_members(const titems& items, const ttalents& talents, const tbeings& beings,
                                     const tcontents& contents) {
    tgroup_members m;
    for (std::size_t i = 1; i < talents.size(); ++i)
        for (uint16_t g : talents[i].groups)
            if (g) m.talent_groups.insert(g);
    for (std::size_t i = 1; i < items.size(); ++i)
        for (uint16_t g : items[i].groups)
            if (g) m.item_groups.insert(g);
    for (std::size_t i = 1; i < beings.size(); ++i)
        for (uint16_t g : beings[i].spawn_groups)
            if (g) m.spawn_members.insert(g);
    for (std::size_t i = 1; i < contents.size(); ++i)
        for (uint16_t g : contents[i].groups)
            if (g) m.content_groups.insert(g);
    return m;
}

// Beings: their talent and kit groups have members, and each challenge group an evil 1 x 1 one.
void check_being_groups(tcompiler& c, const tbeings& beings, const tgroup_members& m) {
    for (std::size_t b = 1; b < beings.size(); ++b) {
        std::string w = c.beings[b - 1].file + ": " + c.beings[b - 1].id;
        for (uint16_t g : beings[b].talent_groups)
            if (g && !m.talent_groups.count(g))
                c.error(w + ": talent_groups", "no talent carries the group " + tag_name(c, g));
        for (uint16_t g : beings[b].kit_class)
            if (g && !m.item_groups.count(g))
                c.error(w + ": kit_groups", "no item plan carries the group " + tag_name(c, g));
    }
    for (const char* ch : {"re_02", "re_04", "re_05_06", "re_07_08", "re_09_10"}) {
        auto it = c.tag_index.find(ch);
        if (it == c.tag_index.end()) continue;
        bool ok = false;
        for (std::size_t b = 1; b < beings.size(); ++b)
            for (uint16_t g : beings[b].spawn_groups)
                ok |= g == it->second && beings[b].type_flags[144] && beings[b].width == 1 &&
                      beings[b].height == 1;
        if (!ok)
            c.error("spawn groups",
                    std::string("the challenge group ") + ch + " needs an evil 1 x 1 creature");
    }
}

// Stuff rows: random-creature groups have members and trap rows name traps.
void check_stuff_rows(tcompiler& c, const titems& items, const tgroup_members& m, const tstuff* rows,
                      int count, const std::string& w) {
    for (int i = 0; i < count; ++i) {
        const tstuff& r = rows[i];
        if (r.kind == 5 && r.pick_cap && !m.spawn_members.count(r.pick_cap))
            c.error(w, "row " + std::to_string(i + 1) + ": no creature belongs to the group " +
                           tag_name(c, r.pick_cap));
        if (r.kind == 6 && r.object_id && item_class(items[r.object_id]) != 52)
            c.error(w, "row " + std::to_string(i + 1) + ": a trap row names a trap plan (class trap)");
    }
}

// Stuff rows: pick-one groups open with a first row, close with a last row and do not nest.
void check_pick_one_groups(tcompiler& c, const tstuff* rows, int count, const std::string& w) {
    bool inside = false;
    for (int i = 0; i < count; ++i) {
        if (rows[i].group_first) {
            if (inside)
                c.error(w, "row " + std::to_string(i + 1) + ": a pick-one group starts inside another");
            inside = true;
        }
        if ((rows[i].group_member || rows[i].group_last) && !inside)
            c.error(w, "row " + std::to_string(i + 1) + ": a pick-one group member without a first row");
        if (rows[i].group_last) inside = false;
    }
    if (inside) c.error(w, "a pick-one group without a last row");
}

// Levels: their spawn and theme groups, stuff rows, lock value and mimic, then their pick-one groups.
void check_level_groups(tcompiler& c, const titems& items, const tlevels& levels, const tgroup_members& m) {
    for (std::size_t l = 1; l < levels.size(); ++l) {
        std::string w = c.levels[l - 1].file + ": " + c.levels[l - 1].id;
        if (levels[l].spawn_group && !m.spawn_members.count(levels[l].spawn_group))
            c.error(w + ": spawn.group",
                    "no creature belongs to the group " + tag_name(c, levels[l].spawn_group));
        for (const auto& th : levels[l].themes)
            if (th.group && !m.content_groups.count(th.group))
                c.error(w + ": themes", "no content belongs to the group " + tag_name(c, th.group));
        check_stuff_rows(c, items, m, levels[l].stuff, 100, w);
        if (levels[l].generator.lock_value && item_class(items[levels[l].generator.lock_value]) != 50)
            c.error(w + ": generator.lock_value", "a lock value names a key (class key)");
        uint16_t mimic = levels[l].generator.mimic;
        if (mimic && c.beings[mimic - 1].id.find("mimic") == std::string::npos)
            c.error(w + ": generator.mimic", "the mimic creature's identifier must contain \"mimic\"");
        for (uint16_t fc : levels[l].forced_contents)
            if (fc) (void)fc;
    }
    for (std::size_t l = 1; l < levels.size(); ++l)
        check_pick_one_groups(c, levels[l].stuff, 100, c.levels[l - 1].file + ": " + c.levels[l - 1].id);
}

// Contents: their stuff rows, pick-one groups, zones in the vaults they land in, and lock value.
void check_content_groups(tcompiler& c, const titems& items, const tcontents& contents, const tvaults& vaults,
                          const tgroup_members& m) {
    for (std::size_t k = 1; k < contents.size(); ++k) {
        std::string w = c.contents[k - 1].file + ": " + c.contents[k - 1].id;
        check_stuff_rows(c, items, m, contents[k].stuff, 150, w);
        check_pick_one_groups(c, contents[k].stuff, 150, w);
        // Rows with a zone need that zone in every vault the content may land in.
        for (const tstuff& req : contents[k].area_requests) {
            if (req.area_kind <= 9) continue;
            int v = req.area_kind - 9;
            if (v >= static_cast<int>(vaults.size())) continue;
            for (int i = 0; i < 150; ++i) {
                int z = contents[k].stuff[i].zone;
                if (z > 2 && vaults[v].zones[z - 1].x == 0)
                    c.error(w, "row " + std::to_string(i + 1) + ": the vault " + c.vaults[v - 1].id +
                                   " has no zone " + std::string(vocab::zones[z]));
            }
        }
        if (contents[k].lock_value && item_class(items[contents[k].lock_value]) != 50)
            c.error(w + ": lock_value", "a lock value names a key (class key)");
    }
}

// Forced template groups need a template of the group.
void check_forced_template_groups(tcompiler& c, const tlevels& levels, const tvaults& vaults) {
    int vault_count = static_cast<int>(vaults.size()) - 1;
    for (std::size_t l = 1; l < levels.size(); ++l)
        for (int i = 0; i < 30; ++i) {
            int k = levels[l].generator.forced_kind[i];
            if (k <= 9 + vault_count) continue;
            int g = k - 9 - vault_count;
            bool found = false;
            for (int v = 1; v <= vault_count; ++v)
                found |= vaults[v].group_flags[g - 1] != 0;
            if (!found)
                c.error(c.levels[l - 1].file + ": " + c.levels[l - 1].id + ": generator.forced",
                        "no vault or special belongs to the group " + std::string(vocab::template_groups[g]));
        }
}

// The dungeon's shape: one hub with the Overgod, one trading demiplane, and a level with gods.
void check_dungeon_shape(tcompiler& c, const tbeings& beings, const tlevels& levels,
                         const tcontents& contents, int god_group) {
    int hubs = 0, markets = 0;
    bool overgod_row = false, god_row = false;
    for (std::size_t l = 1; l < levels.size(); ++l) {
        const tlevel& L = levels[l];
        std::string w = c.levels[l - 1].file + ": " + c.levels[l - 1].id;
        if (L.hub) {
            ++hubs;
            if (!L.special) c.error(w, "the hub is also a special level");
            for (const auto& r : L.stuff)
                overgod_row |= r.kind == 4 && r.object_id && beings[r.object_id].type_flags[95];
        }
        if (L.demiplane) {
            ++markets;
            if (!L.trading || L.name.str().find("shop") == std::string::npos)
                c.error(w, "the demiplane is a trading level whose name contains \"shop\"");
        }
        if ((L.hub || L.demiplane) && L.spawn_max > 0)
            c.warning(w + ": spawn", "the hub and the demiplane should not spawn");
        auto god_rows = [&](const tstuff* rows, int n) {
            for (int i = 0; i < n; ++i)
                god_row |= rows[i].kind == 5 && rows[i].pick_cap == god_group && god_group;
        };
        god_rows(L.stuff, 100);
        for (uint16_t fc : L.forced_contents)
            if (fc) god_rows(contents[fc].stuff, 150);
    }
    if (hubs != 1) c.error("levels", "exactly one hub level is needed");
    if (markets != 1) c.error("levels", "exactly one trading demiplane is needed");
    if (!overgod_row) c.error("levels", "the hub needs a row that places the Overgod");
    if (!god_row) c.error("levels", "some level needs a random-creature row over the god group");
}

// Level 1: the start room with the tutorial book.
void check_start_level(tcompiler& c, const titems& items, const tlevels& levels, const tcontents& contents) {
    if (levels.size() > 1) {
        const tlevel& L1 = levels[1];
        std::string w = c.levels[0].file + ": " + c.levels[0].id;
        bool forced = false;
        for (uint16_t fc : L1.forced_contents)
            forced |= fc && fc == L1.start_content;
        if (!L1.start_content || !forced)
            c.error(w + ": start_content", "level 1 needs a start content that is also a forced content");
        if (L1.start_request.content_required != L1.start_content)
            c.error(w + ": start_request", "the start request names the start content");
        if (L1.start_content) {
            const tcontent& sc = contents[L1.start_content];
            bool book = false;
            for (const auto& r : sc.stuff) {
                if (r.kind == 4 || r.kind == 5) c.error(w, "the start room has no creature rows");
                if (r.kind == 2 && r.object_id && item_class(items[r.object_id]) == 41 && r.mandatory &&
                    r.container_threshold == 100)
                    book = true;
            }
            if (!book)
                c.error(c.contents[L1.start_content - 1].file + ": " + sc.name.str(),
                        "the start room needs a mandatory tutorial book row with container 100");
        }
    }
}

// The levels reachable from "from" along the portal edges, or against them when "reverse".
std::vector<bool> reachable_levels(const std::vector<std::vector<int>>& edges, std::size_t level_count,
                                   int from, bool reverse) {
    std::vector<bool> seen(level_count, false);
    std::queue<int> q;
    q.push(from);
    seen[from] = true;
    while (!q.empty()) {
        int l = q.front();
        q.pop();
        for (std::size_t a = 1; a < edges.size(); ++a)
            for (int b : edges[a]) {
                int x = reverse ? b : static_cast<int>(a), y = reverse ? static_cast<int>(a) : b;
                if (x == l && !seen[y]) {
                    seen[y] = true;
                    q.push(y);
                }
            }
    }
    return seen;
}

// Portals: reciprocal, stairs paired, and the dungeon connected both ways.
void check_portals(tcompiler& c, const tlevels& levels, const std::vector<tportal>& portals) {
    int deepest = 0;
    for (std::size_t l = 1; l < levels.size(); ++l)
        if (!levels[l].hub && !levels[l].demiplane) deepest = static_cast<int>(l);
    std::vector<std::vector<int>> edges(levels.size());
    for (std::size_t i = 1; i < portals.size(); ++i) {
        const tportal& P = portals[i];
        std::string w = c.portals[i - 1].file + ": " + c.portals[i - 1].id;
        if (!P.destination) continue;
        const tportal& D = portals[P.destination];
        if (P.return_flag) {
            if (P.return_level != D.level)
                w += "", c.error(w + ": return_level",
                                 "a return portal's return level is the level of its destination");
        } else if (D.destination != P.index && !D.return_flag && !P.hidden_teleporter) {
            c.error(w + ": destination", "portals come in pairs that point at each other");
        }
        if (P.request.object_id == 1 && !(D.request.object_id == 2 && D.level == P.level + 1))
            c.error(w, "stairs down lead to stairs up on the next level");
        if (P.request.object_id == 2 && P.level == 1) c.error(w, "level 1 has no stairs up");
        if (P.request.object_id == 1 && static_cast<int>(P.level) == deepest)
            c.error(w, "the deepest level has no stairs down");
        if (P.level < edges.size() && D.level < edges.size()) edges[P.level].push_back(D.level);
    }
    if (levels.size() > 1) {
        auto down = reachable_levels(edges, levels.size(), 1, false),
             up = reachable_levels(edges, levels.size(), 1, true);
        for (std::size_t l = 1; l < levels.size(); ++l) {
            if (!down[l])
                c.error(c.levels[l - 1].file + ": " + c.levels[l - 1].id,
                        "the level cannot be reached from level 1");
            else if (!up[l])
                c.error(c.levels[l - 1].file + ": " + c.levels[l - 1].id,
                        "there is no way back to level 1 from this level");
        }
    }
}

// The AI's talent types (warnings).
void check_ai_talent_types(tcompiler& c, const ttalents& talents, const tbeings& beings) {
    for (std::size_t b = 1; b < beings.size(); ++b) {
        bool type[6] = {};
        std::set<int> k;
        for (int t = 1; t <= 150 && t < static_cast<int>(talents.size()); ++t)
            if (beings[b].talent[t - 1]) {
                type[talents[t].type] = true;
                k.insert(talents[t].effect.kind);
            }
        std::string w = c.beings[b - 1].file + ": " + c.beings[b - 1].id + ": talents";
        for (int m : {16, 17, 19, 21, 22})
            if (k.count(m) && !type[3]) c.warning(w, "a combat manoeuvre is only used with a combat talent");
        if (k.count(42) && !type[4]) c.warning(w, "stoneskin is only used by a creature that owns a spell");
        if (k.count(2) && !type[2])
            c.warning(w, "health surge is only used by a creature that owns a utility talent");
    }
}

} // namespace

void check_world(tcompiler& c, std::vector<titem_plan>& items, std::vector<ttalent>& talents,
                 std::vector<tbeing_plan>& beings, std::vector<tlevel>& levels, std::vector<tportal>& portals,
                 std::vector<tcontent>& contents, std::vector<tvault>& vaults, int god_group) {
    check_fixed_plans(c, items, beings);
    check_item_companions(c, items);
    check_undead_names(c, beings);

    // Effects in use, and the plans their kinds need.
    const std::set<int> kinds = effect_kinds_in_use(items, talents, beings);
    check_summoned_plans(c, kinds);
    check_effect_partners(c, kinds, items, talents, beings);

    // Groups that must have members.
    const tgroup_members members = collect_group_members(items, talents, beings, contents);
    check_being_groups(c, beings, members);
    check_level_groups(c, items, levels, members);
    check_content_groups(c, items, contents, vaults, members);

    check_forced_template_groups(c, levels, vaults);
    check_dungeon_shape(c, beings, levels, contents, god_group);
    check_start_level(c, items, levels, contents);
    check_portals(c, levels, portals);
    check_ai_talent_types(c, talents, beings);
    check_effect_kinds_used(c, items, talents, beings, levels, contents);
}

} // namespace dravok::dbbuild
