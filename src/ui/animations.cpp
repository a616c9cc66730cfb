// The animation tick and the drawing of floating texts and lines; see animations.h.
#include "ui/animations.h"

#include <array>
#include <cmath>
#include <string>

#include "ui/graphics.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/indicators.h"
#include "world/map.h"
#include "world/random.h"
#include "world/view_memory.h"

namespace dravok {
namespace {

constexpr int lunge_ticks = 10;
constexpr int max_strands = 10, strand_base = 3, strand_spread = 5, palette_size = 6;
constexpr int jagged_kinds = 4;
constexpr std::array<std::array<Colour, palette_size>, jagged_kinds + 1> beam_palettes = {{
    {},
    {0xAAAAAA, 0xCCCCCC, 0xEEEEEE, 0x3333AA, 0x3333CC, 0x3333EE},
    {0x444444, 0x666666, 0x888888, 0xAAAAAA, 0xCCCCCC, 0xEEEEEE},
    {0x222222, 0x444444, 0x666666, 0x880088, 0x0000AA, 0x0000CC},
    {0xFFFF28, 0xFFC14C, 0xFF4C00, 0xAC0000, 0x6A0000, 0x673022},
}};

// The rise of the text that last rose on each cell this tick.
std::array<int16_t, max_map_size * max_map_size> indicator_grid{};

bool on_the_map(int x, int y) {
    return x >= 1 && y >= 1 && x <= map_size && y <= map_size;
}
bool present(int being) {
    return being >= 1 && being < int(beings.size()) && beings[being].serial > 0;
}
int16_t& grid(int x, int y) {
    return indicator_grid[std::size_t((x - 1) * max_map_size + (y - 1))];
}
Point cell_centre(int x, int y) {
    const int t = settings.tile_size;
    return {(x - settings.view_left) * t + t / 2, (y - settings.view_top) * t + t / 2};
}
bool player_sees_cell(int x, int y) {
    return on_the_map(x, y) && view_memory(x, y).terrain != 0 && view_memory(x, y).seen_state != 0;
}

void draw_jagged_line(Point from, int to_x, int to_y, int fx, int fy, int kind) {
    Bitmap& b = effects_layer;
    std::array<Point, max_strands> previous;
    previous.fill(from);
    const int q = settings.tile_size / 4;
    trace_line(fx, fy, to_x, to_y);
    for (int i = 1; i <= line_length; ++i) {
        const Point c = cell_centre(line_points[i].x, line_points[i].y);
        const int n = random(strand_spread) + strand_base;
        for (int s = 0; s < n; ++s) {
            const int rx1 = random(q);
            const int rx2 = random(q);
            const int x = c.x + rx1 - rx2;
            const int ry1 = random(q);
            const int ry2 = random(q);
            const int y = c.y + ry1 - ry2;
            const int colour = random(palette_size);
            b.set_pen(beam_palettes[kind][colour]);
            b.line(previous[s].x, previous[s].y, x, y);
            previous[s] = {x, y};
        }
    }
}

} // namespace

bool update_lunges() {
    bool changed = false;
    for (tbeing& b : beings) {
        if (b.lunge_direction == 0) continue;
        if (++b.lunge_timer >= lunge_ticks) {
            b.lunge_direction = 0;
            b.lunge_timer = 0;
            changed = true;
        }
    }
    return changed;
}

bool update_cell_animations() {
    if (cell_animations.empty()) return false;
    for (std::size_t i = 0; i < cell_animations.size();) {
        tcell_animation& a = cell_animations[i];
        const int f = a.followed_being;
        if (present(f) && beings[f].present && on_the_map(beings[f].x, beings[f].y) &&
            (beings[f].x != a.x || beings[f].y != a.y)) {
            if (on_the_map(a.x, a.y)) view_memory(a.x, a.y).animation = 0;
            a.x = beings[f].x;
            a.y = beings[f].y;
        }
        if (--a.countdown < 1) {
            ++a.current_frame;
            a.countdown = a.ticks_per_frame;
        }
        if (a.current_frame > a.frame_count) {
            if (on_the_map(a.x, a.y) && is_in_view(a.x, a.y)) view_memory(a.x, a.y).animation = 0;
            set_animation_shown(a.flagged_being, false);
            cell_animations.erase(cell_animations.begin() + std::ptrdiff_t(i));
            continue;
        }
        const int sprite = a.current_frame >= 1 ? a.frames[std::size_t(a.current_frame)] : 0;
        if (sprite != 0 && on_the_map(a.x, a.y)) {
            const int on_cell = map_cells(a.x, a.y).being;
            if (is_in_view(a.x, a.y)) {
                view_memory(a.x, a.y).animation = uint16_t(sprite);
                if (a.flagged_being != 0 && a.flagged_being == on_cell)
                    set_animation_shown(a.flagged_being, true);
            }
            if (a.flagged_being >= 1 && a.flagged_being != on_cell)
                set_animation_shown(a.flagged_being, false);
        }
        ++i;
    }
    return true;
}

bool update_indicators() {
    if (indicators.empty()) return false;
    indicator_grid.fill(0);
    const int t = settings.tile_size;
    const int step = t / 14, limit = int(std::trunc(t * 2.2)), gap = settings.floating_font_height + 2;
    for (std::size_t i = 0; i < indicators.size();) {
        tindicator& n = indicators[i];
        if (present(n.being) && beings[n.being].present && on_the_map(beings[n.being].x, beings[n.being].y)) {
            n.x = beings[n.being].x;
            n.y = beings[n.being].y;
        }
        if (!on_the_map(n.x, n.y)) {
            char text[200];
            std::snprintf(text, sizeof text,
                          "Odd xy-values (%d,%d, \"%s\") in indicator-list index %d of %d!", n.x, n.y,
                          n.text.c_str(), int(i), int(indicators.size()) - 1);
            error_log(1, text, false);
            indicators.erase(indicators.begin() + std::ptrdiff_t(i));
            continue;
        }
        const int16_t below = grid(n.x, n.y);
        // A text waits until the one before it on the cell has risen a line and a little more.
        if (below != 0 && below < gap) {
            ++i;
            continue;
        }
        n.rise += step;
        if (n.rise > limit) {
            indicators.erase(indicators.begin() + std::ptrdiff_t(i));
            continue;
        }
        grid(n.x, n.y) = int16_t(n.rise);
        ++i;
    }
    return true;
}

bool update_indicator_lines() {
    if (indicator_lines.empty()) return false;
    for (std::size_t i = 0; i < indicator_lines.size();) {
        tindicator_line& l = indicator_lines[i];
        if (--l.remaining < 1) {
            indicator_lines.erase(indicator_lines.begin() + std::ptrdiff_t(i));
            continue;
        }
        if (present(l.from_being) && on_the_map(beings[l.from_being].x, beings[l.from_being].y))
            l.from_x = beings[l.from_being].x, l.from_y = beings[l.from_being].y;
        if (present(l.to_being) && on_the_map(beings[l.to_being].x, beings[l.to_being].y))
            l.to_x = beings[l.to_being].x, l.to_y = beings[l.to_being].y;
        ++i;
    }
    return true;
}

bool update_bubbles() {
    // not built yet: speech bubbles over the map
    return false;
}

void draw_indicators() {
    if (indicators.empty()) return;
    Bitmap& b = effects_layer;
    const FontSpec old = b.font();
    b.set_brush_clear();
    b.set_font_height(settings.floating_font_height);
    b.set_font_bold(false);
    const int t = settings.tile_size, fh = settings.floating_font_height;
    for (const tindicator& n : indicators) {
        if (n.rise == 0) continue;
        int x = n.x, y = n.y;
        if (present(n.being) && beings[n.being].present) x = beings[n.being].x, y = beings[n.being].y;
        if (!on_the_map(x, y) || !is_in_view(x, y)) continue;
        if (n.only_if_seen && !player_sees_cell(x, y)) continue;
        const int left = cell_centre(x, y).x - b.text_width(n.text) / 2;
        const int top = (y - settings.view_top) * t - n.rise - fh / 2;
        b.set_font_colour(colours::black);
        b.text_out(left + 1, top + 1, n.text);
        b.set_font_colour(n.colour);
        b.text_out(left, top, n.text);
    }
    b.set_font(old);
}

void draw_indicator_lines() {
    for (const tindicator_line& l : indicator_lines) {
        int fx = l.from_x, fy = l.from_y, tx = l.to_x, ty = l.to_y;
        if (present(l.from_being) && beings[l.from_being].present)
            fx = beings[l.from_being].x, fy = beings[l.from_being].y;
        if (present(l.to_being) && beings[l.to_being].present)
            tx = beings[l.to_being].x, ty = beings[l.to_being].y;
        if (!on_the_map(fx, fy) || !on_the_map(tx, ty)) continue;
        const Point a = cell_centre(fx, fy), z = cell_centre(tx, ty);
        if (l.kind > jagged_kinds) {
            effects_layer.set_pen(Colour(l.kind), 1);
            effects_layer.line(a.x, a.y - 3, z.x, z.y);
        } else if (l.kind >= 1) {
            draw_jagged_line(a, tx, ty, fx, fy, l.kind);
        }
    }
}

void draw_speech_bubbles() {
    // not built yet: speech bubbles over the map
}
void clear_speech_bubbles() {}

void clear_all_indicators() {
    clear_indicator_lists();
    clear_speech_bubbles();
}

} // namespace dravok
