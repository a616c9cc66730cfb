// The aiming overlay of the target and autopilot modes on the creature layer: the effect's
// cells, the cursor cell in the colour of what it holds, a cross when the aim is blocked or the
// cell unexplored, and the line from the aiming being to the cursor.
#include <algorithm>

#include "platform/bitmap.h"
#include "records/layout.h"
#include "rules/effects.h"
#include "rules/targeting.h"
#include "ui/dialogs.h"
#include "ui/graphics.h"
#include "ui/map_view.h"
#include "world/globals.h"
#include "world/view_memory.h"

namespace dravok {
namespace {

constexpr int shape_bolt = 4, shape_ray = 5, shape_ball = 7, shape_cloud = 10, shape_wall = 11,
              shape_spot = 12;
bool target_unexplored = false;

bool listed_shape(int s) {
    return s == shape_bolt || s == shape_ray || s == shape_ball || s == shape_cloud || s == shape_wall ||
           s == shape_spot;
}
bool on_map_cell(int x, int y) {
    return x >= 1 && y >= 1 && x <= map_size && y <= map_size;
}
Rect tile_rect(int x, int y) {
    const int t = settings.tile_size;
    const int sx = (x - settings.view_left) * t, sy = (y - settings.view_top) * t;
    return Rect::from_size(sx, sy, t, t);
}
bool in_effect(const teffect& e, int x, int y) {
    for (const tcell_xy& c : e.cells) {
        if (c.x == 0 && c.y == 0) break;
        if (c.x == x && c.y == y) return true;
    }
    return false;
}
bool seen_now(int x, int y) {
    return on_map_cell(x, y) && view_memory(x, y).terrain != 0;
}

} // namespace

bool target_cell_colour(Bitmap& bitmap, int x, int y, Colour bad, Colour good) {
    target_unexplored = false;
    bitmap.set_brush(good);
    if (game_mode == mode_autopilot) {
        bitmap.set_brush(player >= 1 && beings[player].path.steps[0] != 0 ? 0x00FF00 : bad);
        return false;
    }
    if (!on_map_cell(x, y) || !map_cells(x, y).explored) target_unexplored = true;
    if (target_action_kind != 0) {
        const bool usable =
            !target_unexplored && on_map_cell(x, y) && map_cells(x, y).block > 40 && !target_blocked;
        if (!usable) {
            bitmap.set_brush(bad);
            return false;
        }
    } else if (target_unexplored) {
        bitmap.set_brush(bad);
        return false;
    }
    const int b = on_map_cell(x, y) ? map_cells(x, y).being : 0;
    if (b < 1 || b >= int(beings.size())) return false;
    const int shape = target_effect.shape;
    if (shape != shape_bolt && listed_shape(shape) && !in_effect(target_effect, x, y)) return false;
    if (player >= 0 && player < int(sight_matrix.size()) && b < int(sight_matrix[player].size()) &&
        sight_matrix[player][b]) {
        bitmap.set_brush(beings[b].friendly ? 0x00FF00 : 0xFF0000);
        return true;
    }
    return false;
}

void draw_target_overlay(int being) {
    Bitmap& b = creature_layer;
    const int t = settings.tile_size;
    const int cx = target_cursor_x, cy = target_cursor_y;
    if (listed_shape(target_effect.shape)) {
        for (const tcell_xy& c : target_effect.cells) {
            if (c.x == 0 && c.y == 0) break;
            if (c.x == cx && c.y == cy) continue;
            if (!seen_now(c.x, c.y)) continue;
            target_cell_colour(b, c.x, c.y, 0x888888, 0x888888);
            b.frame_rect(tile_rect(c.x, c.y), b.brush_colour());
        }
    }
    target_cell_colour(b, cx, cy, 0x888888, 0xCCCCCC);
    const Colour c = b.brush_colour();
    Rect r = tile_rect(cx, cy);
    b.frame_rect(r, c);
    b.frame_rect(Rect{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}, c);
    if (t == 64) b.frame_rect(Rect{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2}, c);
    if (target_blocked || target_unexplored) {
        b.set_pen(c, 2);
        b.line(r.left + 1, r.top + 1, r.left + t - 2, r.top + t - 2);
        b.line(r.left + t - 2, r.top + 1, r.left + 1, r.top + t - 2);
        b.set_pen(c, 1);
    }
    if ((game_mode == mode_target || (game_mode == mode_dialog && current_dialog_kind() == 7)) &&
        target_action_kind != 0 && being >= 1 && being < int(beings.size())) {
        const Rect from = tile_rect(beings[being].x, beings[being].y);
        b.set_pen(0x888888);
        b.line(from.left + t / 2, from.top + t / 2, r.left + t / 2, r.top + t / 2);
    }
}

} // namespace dravok
