#include "ai/player_view.h"

#include <string>
#include <vector>

#include "ai/emotion.h"
#include "ai/oneliners.h"
#include "ai/sight.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "rules/being_checks.h"
#include "rules/checks.h"
#include "rules/followers.h"
#include "rules/item_use.h"
#include "rules/talents.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/coins.h"
#include "world/dice.h"
#include "world/experience_award.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/history_file.h"
#include "world/indicators.h"
#include "world/level_areas.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/light_map.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/pictures.h"
#include "world/player.h"
#include "world/regeneration.h"
#include "world/services.h"
#include "world/sight_records.h"
#include "world/sprite_lookup.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/view_memory.h"

namespace dravok {

tseen_list seen_being_list{};
tseen_list seen_item_list{};
uint32_t last_view_time = 0;
uint32_t last_view_being = 0;

namespace {

constexpr int skill_stealth = 7; // skill_search comes with the checks
constexpr int perception_bonus = 15;
constexpr int max_furniture_cells = 200;
constexpr uint8_t never_seen = 255;
constexpr uint8_t state_transparent = 1, state_opaque = 2;
constexpr int award_per_depth = 150;
constexpr uint32_t award_green = 0x22dd22, award_gold = 0xddaa00;
constexpr int first_holder = fu_chest, last_container = fu_sarcophagus, first_stand = fu_armorstand,
              last_holder = fu_cauldron;
constexpr uint8_t holds_items = 1;

struct tfurniture_cell {
    int furniture, x, y, light;
};

// Appends to a seen list; the last slot is overwritten once the list is full.
void append_seen(tseen_list& list, int& count, int x, int y, int index) {
    list[count] = {x, y, index};
    if (count < seen_list_length - 1) ++count;
}

void end_seen(tseen_list& list, int count) {
    list[count].index = 0;
}

uint16_t terrain_image(const tcell& c) {
    return static_cast<uint16_t>(sprite_info(sprites_terrain, c.block).first_image + c.block_variant);
}

uint16_t furniture_image(const tcell& c) {
    const int first = sprite_info(sprites_furniture, c.furniture).first_image;
    return first == 0 ? 0 : static_cast<uint16_t>(first + c.furniture_variant + c.furniture_state);
}

// Furniture on a wall shows only once the floor in front of it is in view.
bool furniture_seen_from_viewer(int x, int y, int viewer_y) {
    const tcell& c = cell_at(x, y);
    if (c.block >= first_floor_block) return true;
    if (c.furniture == fu_door_secret || x <= 1 || x >= map_size || y >= map_size) return false;
    if (view_memory(x, y + 1).terrain != 0) return true;
    return y <= viewer_y &&
           (view_memory(x - 1, y + 1).terrain != 0 || view_memory(x + 1, y + 1).terrain != 0);
}

void explore_cell(int x, int y, bool& explored_new) {
    tcell& c = cell_at(x, y);
    if (level.explored_x1 == 0 || x < level.explored_x1) level.explored_x1 = static_cast<uint8_t>(x);
    if (level.explored_y1 == 0 || y < level.explored_y1) level.explored_y1 = static_cast<uint8_t>(y);
    if (x > level.explored_x2) level.explored_x2 = static_cast<uint8_t>(x);
    if (y > level.explored_y2) level.explored_y2 = static_cast<uint8_t>(y);
    c.explored = 1;
    services.minimap_cell_explored(x, y);
    const bool area_ok = c.area >= 1 && c.area < areas.size();
    if (area_ok) areas[c.area].discovered = 1;
    if (c.block < first_floor_block) return;
    ++level.explored_cells;
    if (area_ok) {
        tarea& a = areas[c.area];
        ++a.explored_special_cells;
        if (a.explored_special_cells == a.special_cells) a.explored = 1;
    }
    explored_new = true;
}

void count_noticed(tbeing& b, const tbeing& o, int distance, int step) {
    if (o.friendly != 0) {
        ++b.seen_non_hostiles;
        if (b.nearest_friend == 0 || b.nearest_friend >= distance)
            b.nearest_friend = static_cast<uint8_t>(distance);
        if (step == 1) ++b.adjacent_friends;
        if (has_type_flag(o, tf_summoned)) ++b.seen_summoned_friends;
        return;
    }
    if (o.asleep_counter > 0) {
        ++b.seen_hostiles;
    } else {
        ++b.seen_awake_hostiles;
        ++b.seen_hostiles;
        if (step == 1) ++b.adjacent_hostiles;
    }
    if (b.nearest_hostile == 0 || b.nearest_hostile >= distance)
        b.nearest_hostile = static_cast<uint8_t>(distance);
    if (has_type_flag(o, tf_summoned)) ++b.seen_summoned_hostiles;
}

void give_exploration_award(int being) {
    const int xp = level.index * award_per_depth;
    beings[being].experience += static_cast<uint32_t>(xp);
    add_floating_text(beings[being].x, beings[being].y, "level fully explored", award_green);
    add_floating_text(beings[being].x, beings[being].y, std::to_string(xp) + " XP", award_gold);
    add_message("$SYou have fully explored this level! $E(" + std::to_string(xp) + " XP)");
    check_experience(player_character, 1);
    level.exploration_award = 1;
}

// One pass of the player's view: what it settles before the rays and what it gathers along them.
struct view_pass {
    view_pass(int viewer, tbeing& record, const std::vector<uint8_t>& last_row, std::vector<uint8_t>& own_row)
        : being(viewer), b(record), previous(last_row), row(own_row) {}

    int being;
    tbeing& b;
    const std::vector<uint8_t>& previous;
    std::vector<uint8_t>& row;
    bool full = false;
    bool target_mode = false;
    bool roll_stealth = false;
    int threshold = 0;
    int dark_square = 0;
    int being_count = 1, item_count = 1;
    std::vector<tfurniture_cell> furniture;
    bool explored_new = false;
};

// A full view starts the viewer's sight and the seen lists afresh and ages every being's unseen count.
void start_full_view(int being, int vx, int vy) {
    tbeing& b = beings[being];
    clear_being_sight(being);
    sight_matrix[being][being] = 1;
    mark_seen_cell(being, vx, vy);
    b.friendly = 1;
    seen_being_list.fill({});
    seen_item_list.fill({});
    for (tbeing& o : beings)
        // Free slots are left as they were freed, so the next being there starts from blank.
        if (o.in_use != 0 && o.turns_unseen_by_player != never_seen) ++o.turns_unseen_by_player;
}

// The being in a seen cell, if the player makes it out: on a new turn a mobile being not kept in
// sight may hide in dim light by its stealth (one d20 roll).
int spot_being(const view_pass& p, const tcell& c, int cx, int cy, int light, int& distance) {
    int other = c.being < beings.size() && beings[c.being].serial != 0 ? c.being : 0;
    distance = other != 0 ? get_being_distance(p.being, other) : 0;
    if (other != 0 && p.target_mode &&
        (other >= static_cast<int>(p.previous.size()) || p.previous[other] == 0))
        other = 0;
    if (other != 0 && p.roll_stealth && other != p.being && light == 1 && distance >= 2) {
        const tbeing& o = beings[other];
        const bool kept = p.previous[other] != 0 && o.moved == 0;
        if (!has_type_flag(o, tf_passive) && !has_type_flag(o, tf_immobile) && !kept) {
            const int roll = roll_dice(d20_dice);
            if (roll + o.skill_of(skill_stealth) + distance + wall_neighbours(cx, cy) > p.threshold)
                other = 0;
        }
    }
    return other;
}

// The first sighting of a being: counted for its kind, and noted in the history when it matters.
void note_first_sighting(view_pass& p, int other) {
    const tbeing& o = beings[other];
    if (o.plan >= 1 && o.plan < being_plans.size()) {
        const int sightings = ++being_plans[o.plan].first_sightings;
        // The history notes the first of a kind, and every unique one.
        if (has_type_flag(p.b, tf_player) && (sightings == 1 || has_type_flag(o, tf_unique)) &&
            !has_type_flag(o, tf_can_be_recruited) && !has_type_flag(o, tf_avatar) &&
            !has_type_flag(o, tf_passive) && !has_type_flag(o, tf_immobile))
            log_encounter(other);
    }
    first_seen_matrix[p.being][other] = game.game_clock;
}

// A being seen where it stands in a full view: numbered, judged friend or foe, and counted; a
// hostile one ends the player's rest.
void note_seen_being(view_pass& p, int other, int distance, int s) {
    tbeing& b = p.b;
    tbeing& o = beings[other];
    if (o.number == 0) o.number = ++game.numbered_beings;
    ++b.seen_beings;
    p.row[other] = 1;
    o.friendly = (is_confined_in_cell(other, true) || is_friendly(p.being, other, -19, true)) ? 1 : 0;
    if (first_seen_matrix[p.being][other] == 0) note_first_sighting(p, other);
    if (o.attitude_to_player < 0 && (b.resting != 0 || b.rest_rounds != 0)) {
        add_message("$FHostile creatures seen! Stopped resting.");
        stop_resting(p.being);
    }
    count_noticed(b, o, distance, s);
}

// Draws a seen being into the view and lists it; off the viewer's own cell on ray k.
void show_being(view_pass& p, const tcell& c, tview_cell& view, int other, int distance, int cx, int cy,
                int s, int k, int light) {
    tbeing& o = beings[other];
    view.being = static_cast<uint16_t>(
        shaded_sprite(sprites_creature, o.image + (c.footprint > 0 ? c.footprint - 1 : 0), light));
    if (p.full && k > 0) append_seen(seen_being_list, p.being_count, cx, cy, other);
    o.turns_unseen_by_player = 0;
    if (other != p.being && cx == o.x && cy == o.y && other < static_cast<int>(p.row.size()) && p.full)
        note_seen_being(p, other, distance, s);
}

// Draws the top item, the floor symbol and the splash of a seen cell.
void show_ground(view_pass& p, tcell& c, tview_cell& view, int cx, int cy, int k, int light) {
    if (c.top_item != 0 && c.top_item < level_items.size() && level_items[c.top_item].serial != 0) {
        view.item = static_cast<uint16_t>(shaded_sprite(sprites_item, level_items[c.top_item].image, light));
        if (p.full && k > 0) append_seen(seen_item_list, p.item_count, cx, cy, c.top_item);
    }
    if (c.floor_symbol() != 0)
        view.overlay = static_cast<uint16_t>(shaded_sprite(
            sprites_overlay, sprite_info(sprites_overlay, c.floor_symbol()).first_image, light));
    if (c.splash != 0)
        view.splash = static_cast<uint16_t>(shaded_sprite(
            sprites_splash, sprite_info(sprites_splash, c.splash).first_image + c.splash_amount(), light));
}

// A lit cell (or one next to the viewer): remembered, explored, and its furniture, being and
// ground shown.
void show_seen_cell(view_pass& p, tcell& c, tview_cell& view, int cx, int cy, int s, int k, int& light) {
    mark_seen_cell(p.being, cx, cy);
    if (light == 0) light = 1;
    c.remembered_terrain() = terrain_image(c);
    if (p.full && c.explored == 0) explore_cell(cx, cy, p.explored_new);
    if (c.furniture != 0 && static_cast<int>(p.furniture.size()) < max_furniture_cells)
        p.furniture.push_back({c.furniture, cx, cy, light});
    int distance = 0;
    const int other = spot_being(p, c, cx, cy, light, distance);
    if (other != 0) show_being(p, c, view, other, distance, cx, cy, s, k, light);
    show_ground(p, c, view, cx, cy, k, light);
}

// One cell of a ray, s steps out on ray k: shown if seen, its remembered ground drawn either way.
void view_cell(view_pass& p, tcell& c, tview_cell& view, int cx, int cy, int dx, int dy, int s, int k,
               bool opaque) {
    int light = light_map.light(cx, cy);
    if (light == 0 && p.dark_square >= 1 && dx * dx + dy * dy <= p.dark_square) light = 1;
    const bool seen = light >= 1 || s == 1;
    if (seen) show_seen_cell(p, c, view, cx, cy, s, k, light);
    // Remembered ground shows dark where the light does not reach.
    if (c.remembered_terrain() != 0)
        view.terrain =
            static_cast<uint16_t>(shaded_sprite(sprites_terrain, c.remembered_terrain(), seen ? light : 0));
    view.seen_state = opaque ? state_opaque : state_transparent;
}

// Shows the furniture gathered along the rays and marks holders not yet looted.
void show_furniture(const std::vector<tfurniture_cell>& furniture, int vy) {
    for (const tfurniture_cell& f : furniture) {
        tcell& c = cell_at(f.x, f.y);
        const uint16_t image = furniture_image(c);
        if (image != 0 && furniture_seen_from_viewer(f.x, f.y, vy)) {
            c.remembered_furniture() = image;
            view_memory(f.x, f.y).furniture =
                static_cast<uint16_t>(shaded_sprite(sprites_furniture, image, f.light));
        }
        const bool holder = f.furniture >= first_holder && f.furniture <= last_holder;
        const bool open_holder = f.furniture >= first_stand && f.furniture <= last_holder;
        if (holder && c.looted == 0 && !(open_holder && c.furniture_state != holds_items) &&
            (f.furniture <= last_container || open_holder))
            view_memory(f.x, f.y).unlooted = 1;
    }
}

} // namespace

void update_player_view(int being) {
    view_memory.fill(tview_cell{});
    if (!is_being_ok(being) || being >= static_cast<int>(sight_matrix.size()) ||
        being >= static_cast<int>(first_seen_matrix.size()))
        return;
    tbeing& b = beings[being];
    const int vx = b.x, vy = b.y;
    const bool full = game_mode == mode_spectator || game_mode == mode_main || game_mode == mode_inventory;
    const bool target_mode = game_mode == mode_target;
    if (full) start_full_view(being, vx, vy);
    view_pass p(being, b, sight_matrix[0], sight_matrix[being]);
    p.full = full;
    p.target_mode = target_mode;
    p.roll_stealth = game_mode == mode_main && last_view_time != 0 && last_view_time != game.game_clock &&
                     last_view_being == static_cast<uint32_t>(being);
    p.threshold = b.skill_of(skill_search) + perception_bonus;
    p.dark_square = static_cast<int>(b.dark_vision) * static_cast<int>(b.dark_vision);

    const int ray_count = static_cast<int>(sight_ray_counts[sight_radius]);
    for (int k = 0; k <= ray_count; ++k) {
        const auto& ray = sight_rays[sight_radius][static_cast<std::size_t>(k)];
        for (int s = 1; s <= max_ray_points; ++s) {
            int dx = 0, dy = 0;
            if (k > 0) {
                dx = ray[static_cast<std::size_t>(s)].dx;
                dy = ray[static_cast<std::size_t>(s)].dy;
                if (dx == 0 && dy == 0) break;
            }
            const int cx = vx + dx, cy = vy + dy;
            if (!on_map(cx, cy)) break;
            tview_cell& view = view_memory(cx, cy);
            if (view.seen_state == state_opaque) break;
            if (view.seen_state == state_transparent) continue;
            const bool opaque = k == 0 || is_opaque_cell(cx, cy);
            view_cell(p, cell_at(cx, cy), view, cx, cy, dx, dy, s, k, opaque);
            if (opaque) break;
        }
    }

    if (game_mode == mode_main) {
        if (b.seen_hostiles != 0) {
            stop_on_hostiles(being, true);
            b.turns_without_hostiles = 0;
        } else {
            ++b.turns_without_hostiles;
        }
        last_view_time = game.game_clock;
        last_view_being = static_cast<uint32_t>(being);
    }
    if (full) {
        end_seen(seen_being_list, p.being_count);
        end_seen(seen_item_list, p.item_count);
    }
    show_furniture(p.furniture, vy);

    if (p.explored_new && level.exploration_award == 0 && state.autoplay == 0 &&
        level.explored_cells == level.floor_cells)
        give_exploration_award(being);
}

} // namespace dravok
