// The minimap; see minimap.h.
#include "ui/minimap.h"
#include "records/layout_being.h"
#include "records/layout_level.h"

#include <algorithm>
#include <string>

#include "ai/paths.h"
#include "ai/player_view.h"
#include "rules/targeting.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/text_boxes.h"
#include "world/beings.h"
#include "world/directions.h"
#include "world/game_modes.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_colours.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/rounding.h"
#include "world/settings_record.h"

namespace dravok {
namespace {

constexpr Colour item_dot = 0x00FFFF, friend_dot = 0x33FF33, foe_dot = 0xFF3333;
constexpr Colour path_goal = 0x008000, path_step = 0xFFFF00, cursor_dot = 0xFF0000;
constexpr Colour view_frame = 0xAAAAAA, map_point_colour = 0xFFFF00;
constexpr int small_cut = 64, middle_cut = 96, large_cut = 128;
constexpr int map_point_count_shown = 9;

// The cut-out's side in pixels: it grows with the explored part of the level.
int cut_out_side() {
    const int w = level.explored_x2 - level.explored_x1 + 1, h = level.explored_y2 - level.explored_y1 + 1;
    const int e = std::max(w, h) - 1;
    return e < small_cut ? small_cut : e < middle_cut ? middle_cut : large_cut;
}

void dot(int x, int y, Colour c) {
    minimap_work_bitmap.set_pixel(x + minimap_margin, y + minimap_margin, c);
}

void seen_dots(const tseen_list& list, bool beings_list) {
    for (int i = 1; i < seen_list_length && list[i].index >= 1; ++i) {
        Colour c = item_dot;
        if (beings_list) {
            const int b = list[i].index;
            c = b < int(beings.size()) && beings[b].friendly ? friend_dot : foe_dot;
        }
        dot(list[i].x, list[i].y, c);
    }
}

Point mapped(int cx, int cy, double f, int x0, int y0) {
    return {round_half_even((cx - settings.minimap_x - 1) * f) + x0,
            round_half_even((cy - settings.minimap_y - 1) * f) + y0};
}

} // namespace

void draw_minimap_cell(int x, int y) {
    if (x < 1 || y < 1 || x > map_size || y > map_size) return;
    tcell& c = map_cells(x, y);
    Colour colour = block_map_colour(c.block);
    const Colour f = furniture_map_colour(c.furniture);
    if (c.remembered_furniture() != 0 && f > 0) colour = f;
    level_minimap.set_pixel(x + minimap_margin, y + minimap_margin, colour);
}

void draw_level_minimap() {
    clear_bitmap(level_minimap);
    if (player_character == 0) return;
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y)
            if (map_cells(x, y).explored) draw_minimap_cell(x, y);
}

void draw_minimap(int being, int x, int y) {
    Bitmap& work = minimap_work_bitmap;
    work.copy_rect(work.bounds(), level_minimap, level_minimap.bounds());
    seen_dots(seen_item_list, false);
    seen_dots(seen_being_list, true);
    dot(x, y, colours::white);
    if (game_mode == mode_autopilot && being >= 1 && being < int(beings.size())) {
        const tbeing& b = beings[being];
        dot(b.x, b.y, colours::white);
        if (b.path.purpose == autopilot_purpose) {
            dot(target_cursor_x, target_cursor_y, path_goal);
            int px = b.x, py = b.y;
            for (int i = 1; i < b.path.length && i < path_step_count; ++i) {
                const int d = b.path.steps[i];
                if (d < 1 || d > 8) continue;
                px += compass_dx[d];
                py += compass_dy[d];
                dot(px, py, path_step);
            }
        } else {
            dot(target_cursor_x, target_cursor_y, cursor_dot);
        }
    }
    const int side = cut_out_side();
    if (minimap_bitmap.width() != side) minimap_bitmap.set_size(side, side);
    const int w = level.explored_x2 - level.explored_x1 + 1, h = level.explored_y2 - level.explored_y1 + 1;
    const int left = (w / 2 + level.explored_x1 + 32 - side / 2) - 1;
    const int top = (h / 2 + level.explored_y1 + 32 - side / 2) - 1;
    settings.minimap_x = left - 32;
    settings.minimap_y = top - 32;
    minimap_bitmap.copy_rect(minimap_bitmap.bounds(), work, Rect{left, top, left + side, top + side});
}

void draw_minimap_view_frame(int x0, int y0) {
    Bitmap& s = screen_bitmap;
    const double f = double(settings.minimap_height) / minimap_bitmap.width();
    const Point a = mapped(settings.view_left, settings.view_top, f, x0, y0);
    const Point b =
        mapped(settings.view_left + settings.view_width, settings.view_top + settings.view_height, f, x0, y0);
    s.frame_rect(Rect{a.x, a.y, b.x, b.y}, view_frame);
    if (game_mode == mode_autopilot) {
        const FontSpec old = s.font();
        s.set_font_height(screen_layout.status_font_height);
        s.set_pen(map_point_colour);
        s.set_brush_clear();
        for (int k = 1; k <= map_point_count_shown; ++k) {
            const tmap_point& m = level.map_point(k);
            if (m.x < 1 || m.y < 1 || m.x > map_size || m.y > map_size) continue;
            const Point p = mapped(m.x, m.y, f, x0, y0);
            const std::string n = std::to_string(k);
            const int tw = s.text_width(n), th = s.text_height(n);
            s.set_font_colour(colours::black);
            s.text_out(p.x - tw / 2 + 1, p.y - th / 2 + 1, n);
            s.set_font_colour(map_point_colour);
            s.text_out(p.x - tw / 2, p.y - th / 2, n);
            s.ellipse(Rect{p.x - scaled(15), p.y - scaled(15), p.x + scaled(16), p.y + scaled(16)});
        }
        s.set_font(old);
    }
    s.set_brush(0x444444);
}

} // namespace dravok
