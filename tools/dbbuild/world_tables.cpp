// Levels, portals, contents and vaults: the dungeon's shape and what furnishes it.
#include <utility>
#include <vector>

#include "effects.h"
#include "records/vocabulary.h"
#include "tables.h"
#include "world/tables.h"

namespace dravok::dbbuild {

static void pair_list(const tplace& p, const json& v, tblock_pairs& out) {
    out = tblock_pairs{};
    if (v.is_null()) return;
    if (!v.is_array() || v.size() > 100) {
        p.error("expected a list of at most 100 [wall, floor] pairs");
        return;
    }
    for (std::size_t i = 0; i < v.size(); ++i) {
        const json& pr = v[i];
        if (!pr.is_array() || pr.size() != 2) {
            p.error("each pair is [wall block, floor block]");
            continue;
        }
        int a = name_of(p, "blocks", pr[0]), b = name_of(p, "blocks", pr[1]);
        if (a < 0 || b < 0) continue;
        if (a < 1 || a > 40) p.error("\"" + pr[0].dump() + "\" is not a wall block");
        if (b < 41 || b > 89 || b % 2 == 0)
            p.error("\"" + pr[1].dump() + "\" is not a base floor (an odd floor kind)");
        out.pairs[i].x = static_cast<uint8_t>(a);
        out.pairs[i].y = static_cast<uint8_t>(b);
        ++out.count;
    }
}

static int forced_kind(const tplace& p, const json& v, int vault_count) {
    if (!v.is_string()) {
        p.error("a forced area is an area kind, \"vault:<id>\" or \"group:<template group>\"");
        return 0;
    }
    std::string s = v.get<std::string>();
    if (s.starts_with("vault:")) return 9 + vault_ref(p, s.substr(6));
    if (s.starts_with("group:")) {
        int g = name_of(p, "template_groups", s.substr(6));
        return g > 0 ? 9 + vault_count + g : 0;
    }
    int k = name_of(p, "area_kinds", v);
    return k > 0 ? k : 0;
}

static void group_flags(const tplace& p, const json& v, uint8_t* flags) {
    if (v.is_null()) return;
    for (const auto& g : v) {
        int i = name_of(p, "template_groups", g);
        if (i > 0) flags[i - 1] = 1;
    }
}

static void read_generator(const tplace& p, const json& g, tdungeon& d, int vault_count) {
    d = tdungeon{};
    check_keys(p, g,
               {"weights",
                "repeat",
                "maxima",
                "forced",
                "dig_steps",
                "branch",
                "merge_rooms",
                "merge_specials",
                "cave",
                "corridor_style",
                "dead_end_room_size",
                "door",
                "open_door",
                "widen_vault",
                "widen_special",
                "doorway",
                "secret_doorway",
                "secret_conversion",
                "lock",
                "mimic_chance",
                "natural_refloor",
                "dim",
                "secret_door",
                "lock_formula",
                "trap",
                "area_size",
                "lock_value",
                "mimic",
                "second_natural_floor",
                "include",
                "exclude"});
    auto kind_bytes = [&](const char* key, uint8_t* out) {
        if (!g.contains(key)) return;
        for (auto it = g[key].begin(); it != g[key].end(); ++it) {
            int k = name_of(p.at(key), "area_kinds", it.key());
            if (k > 0)
                out[k - 1] = static_cast<uint8_t>(get_int(p.at(key), g[key], it.key().c_str(), 0, 0, 255));
        }
    };
    kind_bytes("weights", d.kind_weight);
    kind_bytes("repeat", d.repeat_chance);
    kind_bytes("maxima", d.kind_max);
    if (d.kind_weight[1] == 0)
        p.at("weights").error("rooms need a weight above 0 (dead ends are closed with rooms)");
    if (g.contains("forced")) {
        const json& f = g["forced"];
        if (f.size() > 30) p.at("forced").error("at most 30 forced areas");
        for (std::size_t i = 0; i < f.size() && i < 30; ++i) {
            tplace q = p.at("forced[" + std::to_string(i) + "]");
            d.forced_kind[i] =
                static_cast<uint16_t>(forced_kind(q.at("area"), f[i].value("area", json()), vault_count));
            formula(q.at("count"), f[i].value("count", json("1")), d.forced_count[i]);
            if (formula_max(d.forced_count[i]) < 1 || formula_min(d.forced_count[i]) < 0)
                q.at("count").error("a forced count needs a maximum of at least 1");
        }
    }
    d.dig_steps = static_cast<uint8_t>(get_int(p, g, "dig_steps", 60, 10, 255));
    d.branch_chance = static_cast<uint8_t>(get_int(p, g, "branch", 30, 0, 100));
    d.merge_rooms = static_cast<uint8_t>(get_int(p, g, "merge_rooms", 10, 0, 100));
    d.merge_specials = static_cast<uint8_t>(get_int(p, g, "merge_specials", 10, 0, 100));
    d.cave_chance = static_cast<uint8_t>(get_int(p, g, "cave", 0, 0, 100));
    d.corridor_style = static_cast<uint8_t>(get_int(p, g, "corridor_style", 2, 1, 255));
    d.dead_end_room_size = static_cast<uint8_t>(get_int(p, g, "dead_end_room_size", 7, 5, 255));
    d.door_chance = static_cast<uint8_t>(get_int(p, g, "door", 60, 0, 100));
    d.open_door_chance = static_cast<uint8_t>(get_int(p, g, "open_door", 20, 0, 100));
    d.widen_vault = static_cast<uint8_t>(get_int(p, g, "widen_vault", 20, 0, 100));
    d.widen_special = static_cast<uint8_t>(get_int(p, g, "widen_special", 20, 0, 100));
    d.doorway_chance = static_cast<uint8_t>(get_int(p, g, "doorway", 30, 0, 100));
    d.secret_doorway_chance = static_cast<uint8_t>(get_int(p, g, "secret_doorway", 5, 0, 100));
    d.secret_conversion_chance = static_cast<uint8_t>(get_int(p, g, "secret_conversion", 5, 0, 100));
    d.lock_chance = static_cast<uint8_t>(get_int(p, g, "lock", 10, 0, 100));
    d.mimic_chance = static_cast<uint8_t>(get_int(p, g, "mimic_chance", 0, 0, 100));
    d.natural_refloor_chance = static_cast<uint8_t>(get_int(p, g, "natural_refloor", 20, 0, 100));
    d.dim_chance = static_cast<uint8_t>(get_int(p, g, "dim", 20, 0, 100));
    formula(p.at("secret_door"), g.value("secret_door", json("1d6+12")), d.secret_door);
    formula(p.at("lock_formula"), g.value("lock_formula", json("1d6+10")), d.lock);
    formula(p.at("trap"), g.value("trap", json("1d6+10")), d.trap);
    formula(p.at("area_size"), g.value("area_size", json("1d6+5")), d.area_size);
    if (formula_min(d.area_size) < 5) p.at("area_size").error("rooms need a side of at least 5");
    if (g.contains("lock_value"))
        d.lock_value = static_cast<uint16_t>(item_ref(p.at("lock_value"), g["lock_value"]));
    if (g.contains("mimic")) d.mimic = static_cast<uint16_t>(being_ref(p.at("mimic"), g["mimic"]));
    if (d.mimic_chance > 0 && !d.mimic) p.at("mimic").error("a mimic chance needs a mimic creature");
    int second = name_of(p.at("second_natural_floor"), "blocks",
                         g.value("second_natural_floor", json("bl_floor_natural_brown")));
    if (second < 41 || second % 2 == 0)
        p.at("second_natural_floor").error("the second natural floor must be an odd floor kind");
    d.natural_floor2_block = static_cast<uint8_t>(std::max(second, 0));
    static const char* lists[] = {"special", "vault", "dead_end"};
    for (int l = 0; l < 3; ++l) {
        if (g.contains("include"))
            group_flags(p.at("include"), g["include"].value(lists[l], json()), d.included_groups[l]);
        if (g.contains("exclude"))
            group_flags(p.at("exclude"), g["exclude"].value(lists[l], json()), d.excluded_groups[l]);
    }
}

void fill_levels(tcompiler& c, std::vector<tlevel>& out) {
    out.assign(c.levels.size() + 1, tlevel{});
    for (std::size_t n = 0; n < c.levels.size(); ++n) {
        const tsource& s = c.levels[n];
        const json& t = s.data;
        tplace p{&c, &s, ""};
        tlevel& r = out[n + 1];
        check_keys(p, t, {"name",          "index",    "dungeon",    "number",
                          "demiplane",     "hub",      "special",    "hide_exploration",
                          "map_size",      "trading",  "item_depth", "start_content",
                          "start_request", "item_cap", "spawn",      "forced_contents",
                          "themes",        "pairs",    "rows",       "generator"});
        put_string(p.at("name"), r.name, s.id);
        r.dungeon = static_cast<uint8_t>(get_int(p, t, "dungeon", 1, 0, 255));
        r.number = static_cast<uint8_t>(get_int(p, t, "number", static_cast<int>(n + 1), 0, 255));
        r.demiplane = get_bool(p, t, "demiplane");
        r.hub = get_bool(p, t, "hub");
        r.special = get_bool(p, t, "special");
        r.hide_exploration = get_bool(p, t, "hide_exploration");
        r.index = static_cast<uint8_t>(n + 1);
        if (t.contains("index") && get_int(p, t, "index", 0, 0, 255) != static_cast<int>(n + 1))
            p.at("index").error("a level's index is its position in the table (" + std::to_string(n + 1) +
                                ")");
        r.map_size = static_cast<uint8_t>(get_int(p, t, "map_size", 64, 32, 128));
        r.trading = get_bool(p, t, "trading");
        r.item_depth = static_cast<uint8_t>(get_int(p, t, "item_depth", static_cast<int>(n + 1), 0, 255));
        if (t.contains("start_content"))
            r.start_content = static_cast<uint16_t>(content_ref(p.at("start_content"), t["start_content"]));
        if (t.contains("start_request"))
            read_stuff(p.at("start_request"), t["start_request"], r.start_request);
        r.item_cap = static_cast<uint16_t>(get_int(p, t, "item_cap", 0, 0, 65535));
        if (t.contains("spawn")) {
            const json& sp = t["spawn"];
            tplace q = p.at("spawn");
            r.spawn_group = static_cast<uint16_t>(tag(q.at("group"), sp.value("group", json()), "re_"));
            r.spawn_chance = static_cast<uint8_t>(get_int(q, sp, "chance", 0, 0, 100));
            formula(q.at("interval"), sp.value("interval", json()), r.spawn_interval);
            formula(q.at("count"), sp.value("count", json()), r.spawn_count);
            r.spawn_max = static_cast<uint16_t>(get_int(q, sp, "max", 0, 0, 65535));
            if (r.spawn_max > 0 &&
                (formula_min(r.spawn_interval) < 1 || formula_max(r.spawn_count) < 1 || !r.spawn_group))
                q.error("spawning needs a group, an interval of at least 1 round and a count");
        }
        auto forced = name_list(p, t, "forced_contents");
        if (forced.size() > 20) p.at("forced_contents").error("at most 20 forced contents");
        for (std::size_t i = 0; i < forced.size() && i < 20; ++i)
            r.forced_contents[i] = static_cast<uint16_t>(content_ref(p.at("forced_contents"), forced[i]));
        if (t.contains("themes")) {
            const json& th = t["themes"];
            for (std::size_t i = 0; i < th.size() && i < 20; ++i) {
                tplace q = p.at("themes[" + std::to_string(i) + "]");
                r.themes[i].group =
                    static_cast<uint16_t>(tag(q.at("group"), th[i].value("group", json()), "co_"));
                formula(q.at("count"), th[i].value("count", json("1")), r.themes[i].count, true);
            }
        }
        const json& pairs = t.value("pairs", json::object());
        pair_list(p.at("pairs.natural"), pairs.value("natural", json()), r.natural_pairs);
        pair_list(p.at("pairs.rooms"), pairs.value("rooms", json()), r.dressing_pairs);
        pair_list(p.at("pairs.specials"), pairs.value("specials", json()), r.special_pairs);
        pair_list(p.at("pairs.vaults"), pairs.value("vaults", json()), r.vault_pairs);
        if (r.natural_pairs.count < 1)
            p.at("pairs.natural").error("a level needs at least one (filler, natural floor) pair");
        if (r.dressing_pairs.count < 1)
            p.at("pairs.rooms").error("a level needs at least one (wall, floor) pair");
        if (t.contains("rows")) {
            const json& rows = t["rows"];
            if (rows.size() > 100) p.at("rows").error("at most 100 rows");
            for (std::size_t i = 0; i < rows.size() && i < 100; ++i)
                read_stuff(p.at("rows[" + std::to_string(i) + "]"), rows[i], r.stuff[i]);
        }
        json gen = c.generator_defaults;
        if (t.contains("generator"))
            for (auto it = t["generator"].begin(); it != t["generator"].end(); ++it)
                gen[it.key()] = it.value();
        read_generator(p.at("generator"), gen, r.generator, static_cast<int>(c.vaults.size()));
        bool vaults_possible = false, specials_possible = false;
        for (int g = 0; g < 60; ++g) {
            if (r.generator.included_groups[0][g] || r.generator.included_groups[2][g])
                specials_possible = true;
            if (r.generator.included_groups[1][g]) vaults_possible = true;
        }
        if (specials_possible && r.special_pairs.count < 1)
            p.at("pairs.specials").error("specials can be built but the level has no special pairs");
        if (vaults_possible && r.vault_pairs.count < 1)
            p.at("pairs.vaults").error("vaults can be built but the level has no vault pairs");
    }
}

void fill_portals(tcompiler& c, std::vector<tportal>& out) {
    out.assign(c.portals.size() + 1, tportal{});
    for (std::size_t n = 0; n < c.portals.size(); ++n) {
        const tsource& s = c.portals[n];
        const json& t = s.data;
        tplace p{&c, &s, ""};
        tportal& r = out[n + 1];
        check_keys(
            p, t,
            {"name", "level", "destination", "return_level", "request", "inactive", "hidden", "return"});
        r.index = static_cast<uint16_t>(n + 1);
        auto dest = c.portal_index.find(get_string(p, t, "destination"));
        if (dest == c.portal_index.end())
            p.at("destination").error("unknown portal \"" + get_string(p, t, "destination") + "\"");
        else
            r.destination = static_cast<uint16_t>(dest->second);
        r.level = static_cast<uint16_t>(get_int(p, t, "level", 0, 1, static_cast<int>(c.levels.size())));
        r.return_level =
            static_cast<uint16_t>(get_int(p, t, "return_level", 0, 0, static_cast<int>(c.levels.size())));
        read_stuff(p.at("request"), t.value("request", json::object()), r.request);
        r.inactive = get_bool(p, t, "inactive");
        r.hidden_teleporter = get_bool(p, t, "hidden");
        r.return_flag = get_bool(p, t, "return");
        if (r.request.kind != 1 || r.request.object_id < 1 || r.request.object_id > 3)
            p.at("request").error(
                "a portal request places furniture: stairs down, stairs up or a teleporter");
        if (r.request.max_exit_cells == 0)
            p.at("request.max_exits").error("a portal needs maximum exit cells above 0");
        if (r.hidden_teleporter && (r.index % 2) != 0)
            p.at("hidden").error("only portals with an even index can be hidden teleporters");
    }
}

void fill_contents(tcompiler& c, std::vector<tcontent>& out) {
    out.assign(c.contents.size() + 1, tcontent{});
    for (std::size_t n = 0; n < c.contents.size(); ++n) {
        const tsource& s = c.contents[n];
        const json& t = s.data;
        tplace p{&c, &s, ""};
        tcontent& r = out[n + 1];
        check_keys(p, t,
                   {"name",
                    "groups",
                    "max_per_level",
                    "max_per_game",
                    "light",
                    "dim",
                    "chest_lock",
                    "lock",
                    "lock_value",
                    "floor_variation",
                    "even_floor",
                    "requests",
                    "shuffle",
                    "rows",
                    "item_bonus",
                    "creature_bonus",
                    "unify_floor",
                    "skip_symbols",
                    "unify_after_symbol",
                    "remove_statues",
                    "remove_pillars",
                    "keep_clear",
                    "stationary",
                    "near_furniture",
                    "restricted",
                    "no_population",
                    "no_creatures_or_portals",
                    "lockable_entrance",
                    "secret_entrance",
                    "enchant_min_level",
                    "description",
                    "report",
                    "zone_texts"});
        put_string(p.at("name"), r.name, s.id);
        auto groups = name_list(p, t, "groups");
        for (std::size_t g = 0; g < groups.size() && g < 10; ++g)
            r.groups[g] = static_cast<uint16_t>(tag(p.at("groups"), groups[g], "co_"));
        r.max_per_level = static_cast<uint8_t>(get_int(p, t, "max_per_level", 0, 0, 255));
        r.max_per_game = static_cast<uint8_t>(get_int(p, t, "max_per_game", 0, 0, 255));
        r.light_chance = static_cast<uint8_t>(get_int(p, t, "light", 0, 0, 100));
        r.dim_chance = static_cast<uint8_t>(get_int(p, t, "dim", 0, 0, 100));
        r.chest_lock_chance = static_cast<uint8_t>(get_int(p, t, "chest_lock", 0, 0, 100));
        formula(p.at("lock"), t.value("lock", json()), r.lock);
        if (t.contains("lock_value"))
            r.lock_value = static_cast<uint16_t>(item_ref(p.at("lock_value"), t["lock_value"]));
        r.floor_variation = static_cast<uint8_t>(get_int(p, t, "floor_variation", 0, 0, 100));
        r.even_floor = static_cast<uint8_t>(get_int(p, t, "even_floor", 0, 0, 100));
        const json& req = t.value("requests", json::array());
        if (req.empty()) p.at("requests").error("a content needs an area request");
        for (std::size_t i = 0; i < req.size() && i < 9; ++i) {
            json rq = req[i];
            if (!rq.contains("count")) rq["count"] = "1";
            read_stuff(p.at("requests[" + std::to_string(i) + "]"), rq, r.area_requests[i]);
            if (r.area_requests[i].max_exit_cells == 0 && !get_bool(p, rq, "hidden"))
                p.at("requests[" + std::to_string(i) + "]")
                    .warning("maximum exit cells 0 only fits areas without exits");
        }
        r.shuffle_chance = static_cast<uint8_t>(get_int(p, t, "shuffle", 0, 0, 100));
        const json& rows = t.value("rows", json::array());
        if (rows.size() > 150) p.at("rows").error("at most 150 rows");
        for (std::size_t i = 0; i < rows.size() && i < 150; ++i) {
            read_stuff(p.at("rows[" + std::to_string(i) + "]"), rows[i], r.stuff[i]);
            if (r.stuff[i].kind == 0)
                p.at("rows[" + std::to_string(i) + "]")
                    .error("a row of kind 0 ends the list: give every row a kind");
        }
        r.item_bonus = static_cast<uint8_t>(get_int(p, t, "item_bonus", 0, 0, 255));
        r.creature_bonus = static_cast<uint8_t>(get_int(p, t, "creature_bonus", 0, 0, 255));
        r.unify_floor = static_cast<uint8_t>(get_int(p, t, "unify_floor", 0, 0, 100));
        r.skip_symbols = static_cast<uint8_t>(get_int(p, t, "skip_symbols", 0, 0, 100));
        r.unify_after_symbol = static_cast<uint8_t>(get_int(p, t, "unify_after_symbol", 0, 0, 100));
        r.remove_statues = static_cast<uint8_t>(get_int(p, t, "remove_statues", 0, 0, 100));
        r.remove_pillars = static_cast<uint8_t>(get_int(p, t, "remove_pillars", 0, 0, 100));
        r.keep_clear = get_bool(p, t, "keep_clear");
        r.stationary = get_bool(p, t, "stationary");
        r.near_furniture = get_bool(p, t, "near_furniture");
        r.restricted = get_bool(p, t, "restricted");
        r.no_population = get_bool(p, t, "no_population");
        r.no_creatures_or_portals = get_bool(p, t, "no_creatures_or_portals");
        r.lockable_entrance = static_cast<uint8_t>(get_int(p, t, "lockable_entrance", 0, 0, 100));
        r.secret_entrance = static_cast<uint8_t>(get_int(p, t, "secret_entrance", 0, 0, 100));
        if (t.contains("enchant_min_level"))
            p.at("enchant_min_level").error("contents carry no minimum enchantment level");
        if (t.contains("description")) add_section(c, s.id + "_description", t["description"]);
        if (t.contains("report")) add_section(c, s.id + "_report", t["report"]);
        if (t.contains("zone_texts"))
            for (auto it = t["zone_texts"].begin(); it != t["zone_texts"].end(); ++it) {
                name_of(p.at("zone_texts"), "zones", it.key());
                add_section(c, s.id + "_" + it.key(), it.value());
            }
    }
}

namespace {

constexpr int disappearing_wall = 36;

// Every floor cell of a layout lies in one piece with the cell inside the entry (walls that
// vanish when revealed count as open), or part of the area would be sealed off wherever the
// template is built.
template <typename Cell>
void check_floor_reached(const tplace& p, Cell cell, const tvault& v, int entry_x, int entry_y) {
    auto vanishes = [&](int x, int y) {
        for (const tvault_furniture& f : v.furniture)
            if (f.x == x && f.y == y && f.furniture == disappearing_wall) return true;
        return false;
    };
    auto is_floor = [&](int x, int y) { return cell(x, y) >= 3 && cell(x, y) <= 5; };
    auto is_open = [&](int x, int y) { return is_floor(x, y) || (cell(x, y) != 0 && vanishes(x, y)); };
    std::vector<std::vector<bool>> seen(65, std::vector<bool>(65, false));
    std::vector<std::pair<int, int>> queue;
    if (is_floor(entry_x, entry_y - 1)) queue.push_back({entry_x, entry_y - 1});
    for (const auto& q : queue)
        seen[q.first][q.second] = true;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const auto [x, y] = queue[i];
        for (const auto& [dx, dy] : {std::pair{0, -1}, {1, 0}, {0, 1}, {-1, 0}}) {
            const int nx = x + dx, ny = y + dy;
            if (nx < 1 || ny < 1 || nx > 64 || ny > 64 || !is_open(nx, ny) || seen[nx][ny]) continue;
            seen[nx][ny] = true;
            queue.push_back({nx, ny});
        }
    }
    for (int y = 1; y <= 64; ++y)
        for (int x = 1; x <= 64; ++x)
            if (is_floor(x, y) && !seen[x][y]) {
                p.error("the floor at " + std::to_string(x) + ", " + std::to_string(y) +
                        " cannot be reached from the entry");
                return;
            }
}

// The cell code of a layout character; -1 for a character the legend must explain.
int layout_code(char ch) {
    switch (ch) {
    case ' ':
        return 0;
    case '%':
        return 1;
    case '#':
        return 2;
    case ',':
        return 3;
    case '.':
        return 4;
    case ':':
        return 5;
    default:
        return -1;
    }
}

// The layout cell at x, y; 0 (nothing) outside the layout.
int layout_cell(const tvault& r, int x, int y) {
    return (x >= 1 && x <= 64 && y >= 1 && y <= 64) ? r.layout[x - 1][y - 1] : 0;
}

// The extent of a vault's layout and the number of furniture pieces its legend placed.
struct tvault_extent {
    int width = 0, height = 0, furniture = 0;
};

// The layout rows and their legend: cell codes and furniture pieces.
tvault_extent read_vault_layout(const tplace& p, const json& t, tvault& r) {
    const json& layout = t.value("layout", json::array());
    const json& legend = t.value("legend", json::object());
    int height = static_cast<int>(layout.size()), width = 0, furniture = 0;
    if (height < 1 || height > 64) p.at("layout").error("a layout has 1..64 rows");
    for (int y = 1; y <= height && y <= 64; ++y) {
        std::string row = layout[y - 1].is_string() ? layout[y - 1].get<std::string>() : std::string();
        width = std::max<int>(width, static_cast<int>(row.size()));
        if (row.size() > 64) p.at("layout").error("row " + std::to_string(y) + " is wider than 64");
        for (int x = 1; x <= static_cast<int>(row.size()) && x <= 64; ++x) {
            char ch = row[x - 1];
            int code = layout_code(ch);
            if (code < 0) {
                std::string key(1, ch);
                if (!legend.contains(key)) {
                    p.at("layout").error(std::string("unknown layout character '") + ch + "' (legend it)");
                    continue;
                }
                const json& l = legend[key];
                code = layout_code(l.value("ground", std::string(".")).at(0));
                int f = name_of(p.at("legend." + key), "furniture", l.value("furniture", json()));
                if (f > 0) {
                    if (furniture >= 50)
                        p.at("layout").error("at most 50 furniture pieces");
                    else
                        r.furniture[furniture++] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                                    static_cast<uint8_t>(f)};
                }
            }
            r.layout[x - 1][y - 1] = static_cast<uint8_t>(std::max(code, 0));
        }
    }
    r.size = static_cast<uint8_t>(std::max(width, height));
    return {width, height, furniture};
}

// The exits: a wall cell, a direction and the area kind they may force.
void read_vault_exits(const tplace& p, const json& t, tvault& r) {
    auto cell = [&](int x, int y) { return layout_cell(r, x, y); };
    if (t.contains("exits")) {
        const json& ex = t["exits"];
        static const char* dirs[] = {"north", "east", "south", "west"};
        for (std::size_t i = 0; i < ex.size() && i < 50; ++i) {
            tplace q = p.at("exits[" + std::to_string(i) + "]");
            const json& e = ex[i];
            int x = e.at(0).get<int>(), y = e.at(1).get<int>(), dir = 0;
            for (int d = 0; d < 4; ++d)
                if (e.at(2) == dirs[d]) dir = d + 1;
            if (!dir) q.error("direction is north, east, south or west");
            if (cell(x, y) != 2) q.error("an exit stands on a wall cell");
            int forced = e.size() > 3 ? name_of(q, "area_kinds", e[3]) : 0;
            r.exits[i] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(dir),
                          static_cast<uint8_t>(std::max(forced, 0))};
        }
    }
}

// The zones inside the layout; a prison cell needs its cell door.
void read_vault_zones(const tplace& p, const json& t, tvault& r, const tvault_extent& extent) {
    const int width = extent.width, height = extent.height, furniture = extent.furniture;
    if (t.contains("zones")) {
        const json& zs = t["zones"];
        for (auto it = zs.begin(); it != zs.end(); ++it) {
            int z = name_of(p.at("zones"), "zones", it.key());
            if (z < 1) continue;
            const json& a = it.value();
            if (!a.is_array() || a.size() != 4) {
                p.at("zones." + it.key()).error("a zone is [x, y, width, height]");
                continue;
            }
            tzone_rect& zr = r.zones[z - 1];
            zr = {static_cast<uint8_t>(a[0].get<int>()), static_cast<uint8_t>(a[1].get<int>()),
                  static_cast<uint8_t>(a[2].get<int>()), static_cast<uint8_t>(a[3].get<int>())};
            if (zr.x < 1 || zr.y < 1 || zr.x + zr.width - 1 > width || zr.y + zr.height - 1 > height)
                p.at("zones." + it.key()).error("the zone lies outside the layout");
            if (z >= 31 && z <= 38) {
                bool door = false;
                for (int f = 0; f < furniture; ++f) {
                    const auto& fu = r.furniture[f];
                    bool on_border = fu.x >= zr.x - 1 && fu.x <= zr.x + zr.width && fu.y >= zr.y - 1 &&
                                     fu.y <= zr.y + zr.height;
                    door |= fu.furniture == 10 && on_border;
                }
                if (!door) p.at("zones." + it.key()).error("a prison cell needs a cell door on its border");
            }
        }
    }
}

// The template groups and the entry point, from which every floor cell is reached.
void read_vault_groups_and_entry(const tplace& p, const json& t, tvault& r, int height) {
    auto cell = [&](int x, int y) { return layout_cell(r, x, y); };
    auto groups = name_list(p, t, "groups");
    if (groups.empty()) p.at("groups").error("a vault needs at least one template group");
    for (const auto& g : groups) {
        int i = name_of(p.at("groups"), "template_groups", g);
        if (i > 0) r.group_flags[i - 1] = 1;
    }
    if (t.contains("entry")) {
        r.entry_x = static_cast<uint8_t>(t["entry"].at(0).get<int>());
        r.entry_y = static_cast<uint8_t>(t["entry"].at(1).get<int>());
        if (r.entry_y != height || cell(r.entry_x, r.entry_y) != 2)
            p.at("entry").error("the entry point is a wall cell on the south edge");
        else
            check_floor_reached(p.at("layout"), cell, r, r.entry_x, r.entry_y);
    } else {
        p.at("entry").error("a vault needs an entry point");
    }
}

} // namespace

void fill_vaults(tcompiler& c, std::vector<tvault>& out) {
    out.assign(c.vaults.size() + 1, tvault{});
    for (std::size_t n = 0; n < c.vaults.size(); ++n) {
        const tsource& s = c.vaults[n];
        const json& t = s.data;
        tplace p{&c, &s, ""};
        tvault& r = out[n + 1];
        check_keys(p, t,
                   {"id", "layout", "legend", "exits", "zones", "groups", "entry", "max_per_level",
                    "max_per_game", "impenetrable"});
        put_string(p.at("id"), r.identifier, s.id);
        const tvault_extent extent = read_vault_layout(p, t, r);
        read_vault_exits(p, t, r);
        read_vault_zones(p, t, r, extent);
        read_vault_groups_and_entry(p, t, r, extent.height);
        r.max_per_level = static_cast<uint16_t>(get_int(p, t, "max_per_level", 0, 0, 65535));
        r.max_per_game = static_cast<uint16_t>(get_int(p, t, "max_per_game", 0, 0, 65535));
        r.impenetrable = get_bool(p, t, "impenetrable");
    }
}

} // namespace dravok::dbbuild
