#include "ai/sight.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "ai/emotion.h"
#include "ai/light.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "rules/being_checks.h"
#include "rules/noted_items.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/grid.h"
#include "world/light_map.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/sight_records.h"
#include "world/tables.h"
#include "world/text_database.h"

namespace dravok {

tgrid<uint8_t> hostile_grid{};
tgrid<uint8_t> feared_grid{};
tgrid<uint8_t> sight_scratch{};

namespace {

static_assert(sight_radius == max_ray_radius, "the ray plans are made for the last radius");

constexpr int skill_search = 6, skill_stealth = 7, ability_mind = 3;

// Clearing whole 128 x 128 grids for every pass of every creature is the cost of a round; each
// grid remembers the box written since its last clear, and a clear zeroes only that box.
struct tbox {
    int x1 = max_map_size + 1, y1 = max_map_size + 1, x2 = 0, y2 = 0;
    void add(int x, int y) {
        x1 = std::min(x1, x), y1 = std::min(y1, y), x2 = std::max(x2, x), y2 = std::max(y2, y);
    }
};

void clear_box(tgrid<uint8_t>& grid, tbox& box) {
    if (box.x2 >= box.x1) {
        const int height = box.y2 - box.y1 + 1;
        for (int x = box.x1; x <= box.x2; ++x)
            std::memset(&grid(x, box.y1), 0, size_t(height));
    }
    box = tbox{};
}

tbox hostile_box, feared_box, scratch_box;
std::vector<tbox> seen_boxes;

tbox& seen_box(int being) {
    if (being >= int(seen_boxes.size())) {
        // Grids that predate the boxes may hold anything: they are cleared whole once.
        tbox whole;
        whole.add(1, 1);
        whole.add(max_map_size, max_map_size);
        seen_boxes.resize(size_t(being) + 1, whole);
    }
    return seen_boxes[size_t(being)];
}

int sees_type_first_time_trigger() {
    static const int trigger = [] {
        for (int t = 1; t <= chatter_trigger_count; ++t)
            if (std::string_view(chatter_trigger_names[size_t(t)]) == "sees_type_first_time") return t;
        return 0;
    }();
    return trigger;
}

bool valid_index(int being) {
    return being >= 1 && being < int(beings.size());
}

} // namespace

bool is_opaque_cell(int x, int y) {
    return cell_blocks_sight(cell_at(x, y));
}

int wall_neighbours(int x, int y) {
    int n = 0;
    for (int d = 1; d <= 8; ++d) {
        const int nx = x + direction_steps[d].dx, ny = y + direction_steps[d].dy;
        if (on_map(nx, ny) && cell_at(nx, ny).block < first_floor_block) ++n;
    }
    return n;
}

void mark_seen_cell(int being, int x, int y) {
    seen_cells[size_t(being)](x, y) = 1;
    seen_box(being).add(x, y);
}

void mark_sight_grid(tgrid<uint8_t>& grid, int x, int y, uint8_t value) {
    grid(x, y) = value;
    if (&grid == &hostile_grid)
        hostile_box.add(x, y);
    else if (&grid == &feared_grid)
        feared_box.add(x, y);
    else if (&grid == &sight_scratch)
        scratch_box.add(x, y);
}

void clear_being_sight(int being) {
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    if (being < int(seen_cells.size())) clear_box(seen_cells[size_t(being)], seen_box(being));
    clear_box(hostile_grid, hostile_box);
    clear_box(feared_grid, feared_box);
    b.seen_beings = b.seen_non_hostiles = b.seen_awake_hostiles = b.seen_hostiles = b.seen_friends = 0;
    b.seen_friends_in_area = b.seen_feared = b.seen_summoned_friends = b.seen_summoned_hostiles = 0;
    b.adjacent_friends = b.adjacent_hostiles = b.nearest_friend = b.nearest_hostile = 0;
    b.seen_friends_worth = b.xp_worth;
    b.seen_hostiles_worth = 0;
    for (int k = 1; k <= emotion_entry_count; ++k)
        b.attitude_of(k).clear_shot = 0;
    if (being < int(sight_matrix.size()) && !sight_matrix.empty()) {
        auto& row = sight_matrix[size_t(being)];
        auto& previous = sight_matrix[0];
        if (previous.size() < row.size()) previous.resize(row.size(), 0);
        std::copy(row.begin(), row.end(), previous.begin());
        std::fill(row.begin(), row.end(), uint8_t(0));
    }
}

bool ok_to_record_seen_light(int viewer, int owner, int step, int last_owner, int last_step) {
    if (!is_being_ok(viewer) || !is_being_ok(owner)) return false;
    beings[owner].turn_mark = 1;
    if (owner == last_owner) return false;
    const tbeing& v = beings[viewer];
    if (v.ai_plan == plan_investigate) return false;
    if (sight_matrix[size_t(viewer)][size_t(owner)] != 0) return false;
    if (is_friendly(viewer, owner, 0, true)) return false;
    if (v.path.length > 0) return false;
    return last_step == 0 || step <= last_step;
}

namespace {

// One creature's pass of sight from (x, y): what it settles before the rays and what it gathers
// along them.
struct sight_pass {
    sight_pass(int viewer, tbeing& record, std::vector<uint8_t>& own_row,
               const std::vector<uint8_t>& last_row)
        : being(viewer), b(record), row(own_row), previous(last_row), row_size(int(own_row.size())) {}

    int being;
    tbeing& b;
    std::vector<uint8_t>& row;
    const std::vector<uint8_t>& previous;
    int row_size;
    int threshold = 0;
    int dark_square = 0;
    bool track_light = false;
    bool note_items = false;
    bool target_mode = false;
    int confined = -1; // asked once, when the first hostile candidate is met
    bool has_type_comments = false;
    bool awake = false;
    tsound stimulus{};
    int stimulus_owner = 0, stimulus_step = 0;
    int x = 0, y = 0;
    // The pass writes the scratch marks and its own seen cells directly and widens their boxes
    // from the extent kept here, grown cell by cell and published before any call out that
    // might clear them.
    tbox extent;
};

// Settles the viewer's skills and habits for the pass, in the order they have always been read.
void settle_pass(sight_pass& p, int x, int y) {
    tbeing& b = p.b;
    p.threshold = b.skill_of(skill_search) + 15;
    p.dark_square = int(b.dark_vision) * int(b.dark_vision);
    p.track_light = b.stimulus_chance[0] != 0 && b.stimulus_range[0] != 0;
    p.note_items =
        b.uses_items != 0 || being_status(b, st_animate) >= 1 || being_status(b, st_device_animate) >= 1;
    b.corpse_in_reach = 0;
    p.target_mode = game_mode == mode_target;
    const int comment_trigger = sees_type_first_time_trigger();
    p.has_type_comments = b.plan >= 1 && b.plan < int(being_plans.size()) && comment_trigger > 0 &&
                          being_plans[b.plan].chatter_switch_of(comment_trigger) != 0;
    p.awake = b.asleep_counter == 0;
    p.x = x, p.y = y;
    p.extent.add(x, y);
}

// Widens the seen-cells and scratch boxes to the extent written so far.
void publish_extent(const sight_pass& p) {
    seen_box(p.being).add(p.extent.x1, p.extent.y1);
    seen_box(p.being).add(p.extent.x2, p.extent.y2);
    scratch_box.add(p.extent.x1, p.extent.y1);
    scratch_box.add(p.extent.x2, p.extent.y2);
}

// The being standing in a lit cell, if the viewer makes it out: in dim light a being not kept
// in sight since the last pass may hide by its stealth (one d20 roll).
int spot_being(const sight_pass& p, const tcell& cell, int cx, int cy, int light, int& distance) {
    int other = cell.being;
    if (other != 0 && !valid_index(other)) other = 0;
    distance = other ? get_being_distance(p.being, other) : 0;
    if (other && p.target_mode && (other >= int(p.previous.size()) || p.previous[size_t(other)] == 0))
        other = 0;
    if (other && light == 1 && distance >= 2) {
        const bool kept = other < int(p.previous.size()) && p.previous[size_t(other)] != 0 &&
                          beings[size_t(other)].moved == 0;
        if (!kept) {
            const int roll = roll_dice(d20_dice) + beings[size_t(other)].skill_of(skill_stealth) + distance +
                             wall_neighbours(cx, cy);
            if (roll > p.threshold) other = 0;
        }
    }
    return other;
}

// Counts a hostile being seen: asleep or awake, its worth, nearness and footprint.
void count_hostile(sight_pass& p, int other, int distance, int cx, int cy, int s) {
    tbeing& b = p.b;
    const tbeing& o = beings[size_t(other)];
    if (o.asleep_counter > 0) {
        ++b.seen_hostiles;
        if (other <= 255) mark_sight_grid(hostile_grid, cx, cy, uint8_t(other));
    } else {
        ++b.seen_awake_hostiles;
        ++b.seen_hostiles;
        b.seen_hostiles_worth += o.xp_worth;
        if (s == 1) ++b.adjacent_hostiles;
        if (other <= 255) mark_hostile_footprint(other);
    }
    if (b.nearest_hostile == 0 || b.nearest_hostile > distance)
        b.nearest_hostile = uint8_t(std::min(distance, 255));
    b.turns_without_hostiles = 0;
    if (has_type_flag(o, tf_summoned)) ++b.seen_summoned_hostiles;
}

// Counts a being that is not hostile, and as a friend when it is a close one.
void count_non_hostile(sight_pass& p, int other, const tfriendliness& friends, int distance, int s) {
    tbeing& b = p.b;
    const tbeing& o = beings[size_t(other)];
    ++b.seen_non_hostiles;
    if (friends.at(10)) {
        ++b.seen_friends;
        if (b.nearest_friend == 0 || b.nearest_friend > distance)
            b.nearest_friend = uint8_t(std::min(distance, 255));
        if (s == 1) ++b.adjacent_friends;
        if (has_type_flag(o, tf_summoned)) ++b.seen_summoned_friends;
        b.seen_friends_worth += o.xp_worth;
        if (b.area == o.area) ++b.seen_friends_in_area;
    }
}

// A being seen where it stands: marked in the sight row, felt about and counted as foe or friend.
void count_seen_being(sight_pass& p, int other, int distance, int cx, int cy, int s) {
    tbeing& b = p.b;
    const tbeing& o = beings[size_t(other)];
    ++b.seen_beings;
    p.row[size_t(other)] = 1;
    if (has_type_flag(o, tf_unstirring)) return;
    update_emotion(p.being, other, 0, 0, distance);
    const int fear = update_fear(p.being, other, 0, 0, distance);
    if (fear > 0 && b.fear_of(fear).value >= 10) {
        ++b.seen_feared;
        if (other <= 255) mark_feared_footprint(other);
    }
    const tfriendliness friends = friendliness(p.being, other);
    bool hostile = !friends.at(-19);
    if (hostile) {
        if (p.confined < 0) p.confined = is_confined_in_cell(p.being, true) ? 1 : 0;
        hostile = p.confined == 0;
    }
    if (hostile)
        count_hostile(p, other, distance, cx, cy, s);
    else
        count_non_hostile(p, other, friends, distance, s);
}

// Keeps the nearest light whose bearer the viewer may go and look for.
void note_light_bearer(sight_pass& p, int owner, int s) {
    if (owner && owner != p.being && beings[size_t(owner)].turn_mark == 0 && owner != p.stimulus_owner &&
        ok_to_record_seen_light(p.being, owner, s, p.stimulus_owner, p.stimulus_step)) {
        p.stimulus_owner = owner;
        p.stimulus_step = s;
        p.stimulus.maker = uint16_t(owner);
        p.stimulus.x = beings[size_t(owner)].x;
        p.stimulus.y = beings[size_t(owner)].y;
        p.stimulus.distance = uint16_t(s);
        p.stimulus.heard_loudness = uint16_t(s);
    }
}

// A type worth a comment and the first sight of a being, which may arm a meeting with the player.
void note_first_sights(sight_pass& p, int other) {
    tbeing& b = p.b;
    const tbeing& o = beings[size_t(other)];
    if (p.has_type_comments && b.type_comment_trigger == 0) {
        for (int t = 1; t <= creature_type_count; ++t) {
            if (has_type_flag(o, t) && b.types_to_comment_of(t) != 0) {
                b.types_to_comment_of(t) = 0;
                b.type_comment_trigger = 3;
                b.type_comment_type = uint16_t(t);
                break;
            }
        }
    }
    if (other < p.row_size && first_seen_matrix[size_t(p.being)][size_t(other)] == 0) {
        if (p.awake) b.idle_turns = 0;
        first_seen_matrix[size_t(p.being)][size_t(other)] = std::max<uint32_t>(game.game_clock, 1);
        if (other == player) b.meeting_trigger = has_type_flag(b, tf_unique) ? 10 : 7;
    }
}

// A working teleporter a clever, single-cell being may step into.
void note_teleporter(sight_pass& p, const tcell& cell, int cx, int cy) {
    tbeing& b = p.b;
    if (cell.furniture == fu_teleporter && cell.furniture_state == 0 && b.teleporter_x == 0 &&
        b.teleporter_countdown == 0 && b.teleport_cooldown == 0 && b.ability_of(ability_mind) >= 7 &&
        b.width == 1 && b.height == 1) {
        b.teleporter_x = uint8_t(cx);
        b.teleporter_y = uint8_t(cy);
    }
}

// The light the viewer makes out in a cell dx, dy away from it: the map's, or dim light where its
// dark vision reaches.
int light_seen(const sight_pass& p, int cx, int cy, int dx, int dy) {
    const int light = light_map.light(cx, cy);
    if (light == 0 && p.dark_square >= 1 && dx * dx + dy * dy <= p.dark_square) return 1;
    return light;
}

// What the viewer makes out in one cell of a ray, s steps out, in the light it sees there: the
// cell, its being, a light's bearer, a teleporter and loose items.
void see_cell(sight_pass& p, const tcell& cell, int cx, int cy, int s, bool opaque, int light) {
    tbeing& b = p.b;
    int owner = 0;
    if (!opaque && p.track_light) {
        const int o = light_owner_map(cx, cy);
        if (valid_index(o) && beings[size_t(o)].serial != 0) owner = o;
    }

    seen_cells[size_t(p.being)](cx, cy) = 1;
    if (cell.being != 0 || owner != 0 || cell.loose_items > 0) publish_extent(p);
    int distance = 0;
    const int other = spot_being(p, cell, cx, cy, light, distance);
    if (other && other != p.being && other < p.row_size && cx == beings[size_t(other)].x &&
        cy == beings[size_t(other)].y)
        count_seen_being(p, other, distance, cx, cy, s);
    note_light_bearer(p, owner, s);
    if (other && other != p.being) note_first_sights(p, other);
    note_teleporter(p, cell, cx, cy);
    if (p.note_items && cell.loose_items > 0 && (b.uses_items != 0 || b.corpse_in_reach == 0))
        note_seen_items(p.being, cx, cy);
}

// Most cells hold no being, item, light's bearer or teleporter: looking at one only marks it seen.
bool holds_nothing_to_note(const sight_pass& p, const tcell& cell, int cx, int cy, bool opaque) {
    return cell.being == 0 && cell.loose_items == 0 && cell.furniture != fu_teleporter &&
           (opaque || !p.track_light || light_owner_map(cx, cy) == 0);
}

// The cells of ray k from step `from` on; the step it stopped at, or one past its end.
template <bool check_map> int cast_ray(sight_pass& p, int k, int from, int x, int y) {
    const auto& ray = sight_rays[sight_radius][size_t(k)];
    const int length = sight_ray_plans[sight_radius][size_t(k)].length;
    for (int s = from; s <= length; ++s) {
        const int dx = ray[size_t(s)].dx, dy = ray[size_t(s)].dy;
        const int cx = x + dx, cy = y + dy;
        if (check_map && !on_map(cx, cy)) return s;
        uint8_t& visited = sight_scratch(cx, cy);
        if (visited == 2) return s;
        if (visited == 1) continue;
        const tcell& cell = cell_at(cx, cy);
        const bool opaque = cell_blocks_sight(cell);
        visited = opaque ? 2 : 1;
        p.extent.add(cx, cy);
        // Past the first step a dark cell shows nothing, and is passed over without the call.
        const int light = light_seen(p, cx, cy, dx, dy);
        if (light >= 1 || s == 1) {
            if (holds_nothing_to_note(p, cell, cx, cy, opaque))
                seen_cells[size_t(p.being)](cx, cy) = 1;
            else
                see_cell(p, cell, cx, cy, s, opaque, light);
        }
        if (opaque) return s;
    }
    return length + 1;
}

} // namespace

// Casts the sight rays from (x, y): each cell is looked at once, and a ray stops at the first
// opaque cell or the map's edge.
void ai_line_of_sight(int being, int x, int y) {
    if (!is_being_ok(being) || being >= int(sight_matrix.size()) || being >= int(seen_cells.size())) return;
    clear_box(sight_scratch, scratch_box);
    clear_being_sight(being);
    for (tbeing& other : beings)
        other.turn_mark = 0;
    tbeing& b = beings[being];
    auto& row = sight_matrix[size_t(being)];
    sight_pass p(being, b, row, sight_matrix[0]);
    row[size_t(being)] = 1;
    mark_seen_cell(being, x, y);

    if (b.teleporter_countdown == 0) b.teleporter_x = b.teleporter_y = 0;
    if (has_type_flag(b, tf_passive)) return;
    settle_pass(p, x, y);

    // The viewer's own cell, then the rays.
    if (on_map(x, y) && sight_scratch(x, y) == 0) {
        sight_scratch(x, y) = 2;
        see_cell(p, cell_at(x, y), x, y, 1, true, light_seen(p, x, y, 0, 0));
    }
    const int ray_count = std::min(int(sight_ray_counts[sight_radius]), max_rays);
    tray_stops stops{};
    for (int k = 1; k <= ray_count; ++k) {
        const tray_plan& plan = sight_ray_plans[sight_radius][size_t(k)];
        // The shared cells were looked at along the earlier ray.
        const int from = first_unshared_step(plan, stops, k);
        if (from == 0) continue;
        const tray_box& whole = plan.whole;
        const bool inside =
            x + whole.x1 >= 1 && y + whole.y1 >= 1 && x + whole.x2 <= map_size && y + whole.y2 <= map_size;
        const int stop = inside ? cast_ray<false>(p, k, from, x, y) : cast_ray<true>(p, k, from, x, y);
        stops[size_t(k)] = stop;
    }
    publish_extent(p);

    if (p.stimulus_owner != 0 && row[size_t(p.stimulus_owner)] == 0) {
        b.noticed_stimulus = p.stimulus;
        b.noticed_stimulus.kind = 1;
        b.noticed_stimulus.time = game.game_clock;
    }
}

void ai_see(int being, int depth) {
    depth = trace_enter(depth, trace_ai_see);
    if (!is_being_ok(being)) return;
    ai_line_of_sight(being, beings[being].x, beings[being].y);
    age_emotions(being);
    share_emotions(being);
    const int master = beings[being].master;
    if (master != 0 && player_character >= 1 && player_character < int(beings.size()) &&
        beings[player_character].serial == master)
        share_master_emotions(being);
    sort_emotions(being);
}

void initial_sight() {
    for (int b = 1; b < int(beings.size()); ++b)
        if (is_being_ok(b) && !has_type_flag(beings[b], tf_player)) ai_see(b, 0);
}

uint8_t can_see(int viewer, int other, int x, int y) {
    if (!is_being_ok(viewer) || beings[viewer].asleep_counter > 0) return 0;
    if (is_being_ok(other)) {
        if (viewer >= int(sight_matrix.size()) || other >= int(sight_matrix[size_t(viewer)].size())) return 0;
        return sight_matrix[size_t(viewer)][size_t(other)];
    }
    if (on_map(x, y) && viewer < int(seen_cells.size())) return seen_cells[size_t(viewer)](x, y);
    return 0;
}

} // namespace dravok
