#include "world/indicators.h"
#include "records/layout_being.h"

#include <algorithm>
#include <string>

#include "world/being.h"
#include "world/beings.h"
#include "world/geometry.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/services.h"
#include "world/sight_records.h"
#include "world/sprite_lookup.h"
#include "world/state.h"
#include "world/view_memory.h"

namespace dravok {

std::vector<tindicator> indicators;
std::vector<tindicator_line> indicator_lines;
std::vector<tcell_animation> cell_animations;
std::vector<uint8_t> animation_shown;

namespace {

constexpr int cell_animation_category = 5;
constexpr int hit_kind = 5, skeleton_hit_kind = 6, zombie_hit_kind = 7;
constexpr int cell_flash_kind = 3, being_flash_kind = 2, being_glow_kind = 4, queued_kind = 1;
constexpr int death_ticks_per_frame = 3, death_repeats = 5;
constexpr int shape_single = 3, shape_bolt = 4, shape_ray = 5, shape_ball = 7, shape_seen_hostiles = 9;

bool on_the_map(int x, int y) {
    return x >= 1 && y >= 1 && x <= map_size && y <= map_size;
}

bool valid_index(int being) {
    return being >= 1 && being < int(beings.size());
}

bool present(int being) {
    return valid_index(being) && beings[being].serial > 0;
}

// What the player's being sees, as its last look left it.
bool player_sees_being(int being) {
    return player >= 0 && player < int(sight_matrix.size()) && being < int(sight_matrix[player].size()) &&
           sight_matrix[player][being] != 0;
}
bool player_sees_cell(int x, int y) {
    return on_the_map(x, y) && view_memory(x, y).terrain != 0 && view_memory(x, y).seen_state != 0;
}

// The first sprite and the frame count of an animation row.
void animation_row(int kind, int& first, int& count) {
    const tsprite_info info = sprite_info(cell_animation_category, kind);
    first = info.first_image;
    count = info.images_per_variant > 0 ? info.images_per_variant : info.variants;
}

} // namespace

void add_indicator(int x, int y, std::string_view text, uint32_t colour, bool follow_being, int being) {
    const int followed = follow_being ? being : 0;
    if (x >= 1 && y >= 1 && !on_the_map(x, y)) return;
    if (followed >= int(beings.size())) return;
    tindicator i;
    i.being = followed > 0 ? followed : 0;
    i.x = x;
    i.y = y;
    if (i.being > 0 && present(i.being)) {
        i.x = beings[i.being].x;
        i.y = beings[i.being].y;
    }
    i.colour = colour;
    i.text = std::string(text.substr(0, indicator_text_limit));
    indicators.push_back(std::move(i));
}

void add_floating_text(int x, int y, std::string_view text, uint32_t colour) {
    add_indicator(x, y, text, colour, false, 0);
}

void add_floating_text(int being, std::string_view text, uint32_t colour) {
    if (!present(being)) return;
    if (!player_sees_being(being) && being != player) return;
    add_indicator(beings[being].x, beings[being].y, text, colour, true, being);
    indicators.back().only_if_seen = true;
}

void add_line(int from_being, int to_being, int from_x, int from_y, int to_x, int to_y, int kind,
              bool check_seen) {
    tindicator_line l;
    l.kind = kind;
    if (from_being > 0) {
        if (!present(from_being) || !present(to_being)) return;
        const tbeing &a = beings[from_being], &b = beings[to_being];
        if (!is_in_view(a.x, a.y) && !is_in_view(b.x, b.y)) return;
        if (check_seen && !player_sees_being(from_being) && !player_sees_being(to_being)) return;
        l.from_being = from_being;
        l.to_being = to_being;
        from_x = a.x, from_y = a.y, to_x = b.x, to_y = b.y;
    } else {
        if (!is_in_view(from_x, from_y) && !is_in_view(to_x, to_y)) return;
        if (check_seen && !player_sees_cell(from_x, from_y) && !player_sees_cell(to_x, to_y)) return;
    }
    l.from_x = from_x, l.from_y = from_y, l.to_x = to_x, l.to_y = to_y;
    indicator_lines.push_back(l);
}

void remove_lines_of_being(int being) {
    std::erase_if(indicator_lines, [being](const tindicator_line& l) { return l.to_being == being; });
}

bool being_animation_shown(int being) {
    return being >= 1 && being < int(animation_shown.size()) && animation_shown[being] != 0;
}

void set_animation_shown(int being, bool shown) {
    if (!valid_index(being)) return;
    if (being >= int(animation_shown.size())) animation_shown.resize(beings.size(), 0);
    animation_shown[being] = shown ? 1 : 0;
}

void remove_cell_animations(int x, int y) {
    std::erase_if(cell_animations, [x, y](const tcell_animation& a) {
        if (a.x != x || a.y != y) return false;
        set_animation_shown(a.flagged_being, false);
        return true;
    });
}

int cell_animation_wait(int x, int y) {
    int wait = 0;
    for (const tcell_animation& a : cell_animations)
        if (a.x == x && a.y == y) wait += (a.frame_count - a.current_frame) * a.ticks_per_frame + a.countdown;
    return wait;
}

void add_cell_animation(int x, int y, int kind, int delay, int frame_offset, int repeats, int ticks_per_frame,
                        int flagged_being, int followed_being) {
    if (followed_being > 0 && !is_being_ok(followed_being, 0)) return;
    int first = 0, count = 0;
    animation_row(kind, first, count);
    const int per_pass = frame_offset > 0 ? 1 : count;
    // Kind 1 queues behind what already plays on the cell; any other kind replaces it.
    if (kind != queued_kind) remove_cell_animations(x, y);
    const int wait = cell_animation_wait(x, y);
    tcell_animation a;
    a.serial = int(++state.animation_serial);
    a.kind = kind;
    a.x = x;
    a.y = y;
    a.ticks_per_frame = ticks_per_frame;
    a.flagged_being = flagged_being;
    a.followed_being = followed_being;
    a.countdown = ticks_per_frame + delay + wait;
    a.current_frame = wait == 0 ? 1 : 0;
    a.frames.assign(1, 0);
    const int start = first + (frame_offset > 0 ? frame_offset - 1 : 0);
    for (int r = 0; r < repeats; ++r)
        for (int f = 0; f < per_pass && int(a.frames.size()) <= cell_animation_frame_limit; ++f)
            a.frames.push_back(uint16_t(start + f));
    a.frame_count = int(a.frames.size()) - 1;
    cell_animations.push_back(std::move(a));
}

void add_cell_animation(int x, int y, int kind, int ticks_per_frame, int repeats) {
    add_cell_animation(x, y, kind, 0, 0, repeats, ticks_per_frame, 0, 0);
}

void animate_being_hit(int being) {
    if (!is_being_ok(being, 0)) return;
    const tbeing& b = beings[being];
    if (!on_the_map(b.x, b.y)) return;
    const std::string_view id = b.identifier.view();
    if (id.find("skeleton") != std::string_view::npos)
        add_cell_animation(b.x, b.y, skeleton_hit_kind, 0, 0, 1, 2, being, 0);
    else if (id.find("zombie") != std::string_view::npos)
        add_cell_animation(b.x, b.y, zombie_hit_kind, 0, 0, 1, 2, being, 0);
    else
        add_cell_animation(b.x, b.y, hit_kind, 0, 0, 1, 3, being, 0);
}

void animate_cell(int x, int y) {
    if (on_the_map(x, y)) add_cell_animation(x, y, cell_flash_kind, 0, 0, 1, 2, 0, 0);
}

void animate_being_or_cell(int being, int x, int y) {
    if (is_being_ok(being, 0)) x = beings[being].x, y = beings[being].y;
    if (on_the_map(x, y)) add_cell_animation(x, y, being_flash_kind, 0, 0, 1, 2, being, 0);
}

void animate_being(int being) {
    if (!is_being_ok(being, 0)) return;
    const tbeing& b = beings[being];
    if (!on_the_map(b.x, b.y)) return;
    remove_cell_animations(b.x, b.y);
    add_cell_animation(b.x, b.y, being_glow_kind, 0, 0, 2, 1, being, being);
}

void add_death_animation(int being) {
    if (!valid_index(being)) return;
    const tbeing& b = beings[being];
    const int w = std::max<int>(b.width, 1), h = std::max<int>(b.height, 1);
    // Queued: the fall follows the blow that caused it.
    for (int y = b.y; y < b.y + h; ++y)
        for (int x = b.x; x < b.x + w; ++x)
            if (on_the_map(x, y)) add_cell_animation(x, y, queued_kind, death_ticks_per_frame, death_repeats);
}

void animate_effect_area(const teffect& e) {
    if (e.animate_cells == 0 && e.animate_target == 0) return;
    if (e.shape == shape_ball) {
        for (int i = 1; i <= line_length - 2 && i <= line_capacity; ++i) {
            const int x = line_points[i].x, y = line_points[i].y;
            if (!on_the_map(x, y)) break;
            add_cell_animation(x, y, e.animate_cells, 0, 1, 1, 6, 0, 0);
        }
    }
    const int repeats = e.animation_repeats ? e.animation_repeats : 1;
    const int ticks = e.animation_frames ? e.animation_frames : (e.shape == shape_ball ? 2 : 3);
    const int stagger = e.shape == shape_bolt ? 1 : e.shape == shape_ray ? 2 : 0;
    int delay = 0;
    const int origin = find_being_by_serial(e.origin);
    if (e.animate_target == 0) {
        for (const tcell_xy& c : e.cells) {
            if (!on_the_map(c.x, c.y)) break;
            int follow = 0;
            if (e.shape == shape_single || e.shape == shape_bolt || e.shape == shape_seen_hostiles)
                follow = map_cells(c.x, c.y).being;
            add_cell_animation(c.x, c.y, e.animate_cells, delay, 0, repeats, ticks, 0, follow);
            delay += stagger;
        }
    } else if (origin > 0) {
        for (const tcell_xy& c : e.cells) {
            if (!on_the_map(c.x, c.y) || map_cells(c.x, c.y).being == 0) continue;
            add_line(origin, map_cells(c.x, c.y).being, 0, 0, 0, 0, e.animate_target, true);
        }
    }
}

void clear_indicator_lists() {
    indicators.clear();
    indicator_lines.clear();
    cell_animations.clear();
    animation_shown.assign(animation_shown.size(), 0);
    state.animation_serial = 0;
}

} // namespace dravok
