// The map view; see map_view.h.
#include "ui/map_view.h"
#include "records/layout_being.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "rules/targeting.h"
#include "ui/graphics.h"
#include "ui/offscreen_beings.h"
#include "ui/text_boxes.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/game_modes.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/lasting_effects.h"
#include "world/light_map.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/rounding.h"
#include "world/settings_record.h"
#include "world/sight_records.h"
#include "world/state.h"
#include "world/view_memory.h"

namespace dravok {

namespace {

// The sprite of the map effect on a cell (its graphic frame), 0 for none.
int map_effect_sprite(int x, int y) {
    return map_effect_grid(x, y).graphic_frame;
}

bool spectator_exists() {
    return state.spectator_serial != 0;
}

} // namespace
namespace {

constexpr int passive_flag = 154;
constexpr int max_unlooted_frames = 100;
const std::array<Point, 9> view_direction_offsets = {Point{0, 0}, {0, -1}, {1, -1}, {1, 0},  {1, 1},
                                                     {0, 1},      {-1, 1}, {-1, 0}, {-1, -1}};

bool on_map_cell(int x, int y) {
    return x >= 1 && y >= 1 && x <= map_size && y <= map_size;
}
bool in_view_window(int x, int y) {
    return x >= settings.view_left && x <= settings.view_right && y >= settings.view_top &&
           y <= settings.view_bottom;
}
int tile() {
    return settings.tile_size;
}
int corner_arm() {
    return tile() == 64 ? 16 : 8;
}
int corner_thickness() {
    return tile() == 64 ? 3 : 2;
}
Point cell_pixel(int x, int y) {
    return {(x - settings.view_left) * tile(), (y - settings.view_top) * tile()};
}

Colour by_light(int x, int y, Colour dim, Colour mid, Colour bright) {
    const int l = on_map_cell(x, y) ? light_map.light(x, y) : 0;
    return l <= 1 ? dim : l == 2 ? mid : bright;
}

void centred_mark(Bitmap& b, int sx, int sy, const char* text, Colour colour) {
    b.set_font_colour(colour);
    Point at;
    draw_text_in_box(b, text, sx, at, true, BrushStyle::clear, box_align::centre, 0, sy + tile(), sx + tile(),
                     sy);
}

// Terrain images are opaque tiles; a number the list does not hold shows black.
void draw_terrain(Bitmap& b, int sx, int sy, int image) {
    if (image >= 1 && image < terrain_sprites.count())
        terrain_sprites.draw(b, sx, sy, image);
    else
        b.fill_rect(Rect::from_size(sx, sy, tile(), tile()), colours::black);
}

bool being_ok(int i) {
    return i >= 1 && i < int(beings.size()) && beings[i].serial > 0;
}
bool sees(int viewer, int i) {
    return viewer >= 0 && viewer < int(sight_matrix.size()) && i < int(sight_matrix[viewer].size()) &&
           sight_matrix[viewer][i] != 0;
}

} // namespace

int push_scroll_centre(int position, int centre, int half_size) {
    if (position - 3 <= centre - half_size) return position;
    if (position + 3 < centre + half_size) return centre;
    return position;
}

void draw_map(int viewer, int centre_x, int centre_y) {
    const int hw = settings.view_width / 2, hh = settings.view_height / 2;
    int cx = centre_x, cy = centre_y;
    if (settings.push_scroll) {
        cx = push_scroll_centre(centre_x, settings.view_centre_x, hw);
        cy = push_scroll_centre(centre_y, settings.view_centre_y, hh);
        settings.view_centre_x = cx;
        settings.view_centre_y = cy;
    }
    settings.view_left = cx - hw;
    settings.view_right = cx + hw;
    settings.view_top = cy - hh;
    settings.view_bottom = cy + hh;

    Bitmap& b = map_layer;
    // Every cell is either covered by its opaque terrain image or filled black below, so the
    // layer needs no clearing pass of its own.
    b.set_font_height(settings.map_mark_font_height);
    b.set_font_bold(true);
    const int t = tile();
    std::array<Point, max_unlooted_frames> unlooted;
    int unlooted_count = 0;
    for (int x = settings.view_left; x <= settings.view_right; ++x) {
        const int sx = (x - settings.view_left) * t;
        for (int y = settings.view_top; y <= settings.view_bottom; ++y) {
            const int sy = (y - settings.view_top) * t;
            if (!on_map_cell(x, y)) {
                b.fill_rect(Rect::from_size(sx, sy, t, t), colours::black);
                continue;
            }
            const tview_cell& m = view_memory(x, y);
            tcell& c = map_cells(x, y);
            if (m.terrain != 0) {
                draw_terrain(b, sx, sy, m.terrain + (is_wall_front_shown(x, y) ? 1 : 0));
                if (m.overlay) object_sprites.draw(b, sx, sy, m.overlay);
                if (m.furniture) {
                    object_sprites.draw(b, sx, sy, m.furniture);
                    if (m.unlooted && unlooted_count < max_unlooted_frames)
                        unlooted[unlooted_count++] = {sx, sy};
                } else if (c.remembered_furniture()) {
                    object_sprites.draw(b, sx, sy, c.remembered_furniture());
                }
                if (m.splash) object_sprites.draw(b, sx, sy, m.splash);
                if (m.item) {
                    object_sprites.draw(b, sx, sy, m.item);
                    if (c.loose_items > 1) {
                        b.set_font_colour(by_light(x, y, 0x333333, 0x888888, 0xCCCCCC));
                        Point at;
                        draw_text_in_box(b, "+", sx, at, true, BrushStyle::clear, box_align::right, 0,
                                         sy + std::abs(settings.map_mark_font_height), sx + t, sy);
                    }
                }
                if (const int e = map_effect_sprite(x, y)) object_sprites.draw(b, sx, sy, e);
                if (c.trap != 0 && c.trap_difficulty < 0)
                    centred_mark(b, sx, sy, "T", by_light(x, y, 0x330000, 0x990000, 0xEE0000));
                if (c.warning()) centred_mark(b, sx, sy, "!", 0xFF0000);
            } else if (c.explored && c.remembered_terrain()) {
                // Explored but out of view: only what the player remembers.
                draw_terrain(b, sx, sy, c.remembered_terrain() + (is_wall_front_shown(x, y) ? 1 : 0));
                if (c.remembered_furniture()) object_sprites.draw(b, sx, sy, c.remembered_furniture());
            } else {
                b.fill_rect(Rect::from_size(sx, sy, t, t), colours::black);
            }
        }
    }
    b.set_pen(0x33EE33);
    for (int i = 0; i < unlooted_count; ++i)
        draw_corner_frame(b, unlooted[i].x, unlooted[i].y, corner_all, corner_arm(), corner_thickness(), t,
                          t);
    b.set_font_bold(false);
    (void)viewer;
}

void draw_threat_markers() {
    const int t = tile();
    const int hw = settings.view_width / 2, hh = settings.view_height / 2;
    for (int d = 1; d <= 8; ++d) {
        if (offscreen_beings[d].distance <= 0) continue;
        const Point o = view_direction_offsets[d];
        map_layer.draw(hw * t + o.x * hw * t, hh * t + o.y * hh * t, threat_marker_bitmaps[d]);
    }
}

double health_ratio(int being) {
    const tbeing& b = beings[being];
    if (b.health_max == 0) return 0;
    return std::clamp(double(b.health) / b.health_max, 0.0, 1.0);
}

Colour health_bar_colour(int viewer, int being, int x, int y) {
    static const Colour shades[19] = {0xAA2222, 0xAA3322, 0xAA4422, 0x994422, 0x995522, 0x995522, 0x886622,
                                      0x886622, 0x887722, 0x777722, 0x778822, 0x668822, 0x668822, 0x559922,
                                      0x559922, 0x449922, 0x44AA22, 0x33AA22, 0x22AA22};
    const tbeing& b = beings[being];
    const int a = b.attitude_to_player;
    Colour base;
    if (a >= -19 && a <= -1)
        base = shades[a + 19];
    else
        base = (b.friendly || being == viewer) ? 0x22AA22 : 0xAA2222;
    const int l = on_map_cell(x, y) ? light_map.light(x, y) : 0;
    static const double factor[4] = {0.25, 0.5, 0.75, 1.0};
    return scale_colour(base, factor[std::clamp(l, 0, 3)]);
}

void draw_corner_frame(Bitmap& bitmap, int left, int top, unsigned corners, int arm, int thickness,
                       int height, int width) {
    const int right = left + width - 1, bottom = top + height - 1;
    for (int k = 0; k < thickness; ++k) {
        if (corners & corner_top_left) {
            bitmap.line(left - k, top - k, left + arm, top - k);
            bitmap.line(left - k, top - k, left - k, top + arm);
        }
        if (corners & corner_top_right) {
            bitmap.line(right + k, top - k, right - arm, top - k);
            bitmap.line(right + k, top - k, right + k, top + arm);
        }
        if (corners & corner_bottom_left) {
            bitmap.line(left - k, bottom + k, left + arm, bottom + k);
            bitmap.line(left - k, bottom + k, left - k, bottom - arm);
        }
        if (corners & corner_bottom_right) {
            bitmap.line(right + k, bottom + k, right - arm, bottom + k);
            bitmap.line(right + k, bottom + k, right + k, bottom - arm);
        }
    }
}

void draw_attack_target_frame(int viewer, int target, int left, int top, int width, int height) {
    const taction_memory& order = beings[viewer].attack_memory;
    if (!order.action) return;
    Colour colour;
    if (order.attack_kind[0] && get_being_distance(viewer, target) < 3)
        colour = 0xAA0000;
    else if (order.attack_kind[1])
        colour = 0xAA0000;
    else if (order.attack_kind[2])
        colour = 0x00AAAA;
    else
        return;
    const bool also_marked = order.has_target && order.target == target;
    creature_layer.set_pen(colour);
    draw_corner_frame(creature_layer, left, top,
                      also_marked ? (corner_top_left | corner_bottom_right) : corner_all, corner_arm(),
                      corner_thickness(), height, width);
}

void draw_marked_target_frame(int viewer, int target, int left, int top, int width, int height) {
    const taction_memory& order = beings[viewer].attack_memory;
    if (!order.has_target) return;
    const bool also_attacked = order.action && order.target == target;
    creature_layer.set_pen(0xCCCC00);
    draw_corner_frame(creature_layer, left, top,
                      also_attacked ? (corner_top_right | corner_bottom_left) : corner_all, corner_arm(),
                      corner_thickness(), height, width);
}

void draw_creatures(int viewer) {
    Bitmap& b = creature_layer;
    b.draw(0, 0, map_layer);
    b.set_font_colour(colours::white);
    const int t = tile();
    const int inset = t == 64 ? 2 : 1, bar_top = t == 64 ? 3 : 2, bar_bottom = t == 64 ? 7 : 5;
    const int lunge_step = t / 16 + 1;
    const bool spectator = spectator_exists();
    const int count = int(beings.size());
    for (int i = 1; i < count; ++i) {
        if (!being_ok(i) || !sees(viewer, i)) continue;
        const tbeing& being = beings[i];
        if (!in_view_window(being.x, being.y) &&
            !in_view_window(being.x + being.width - 1, being.y + being.height - 1))
            continue;
        if (being_animation_shown(i)) continue;
        const int pw = being.width * t, ph = being.height * t;
        const Point lunge = view_direction_offsets[being.lunge_direction <= 8 ? being.lunge_direction : 0];
        const int lx = lunge.x * lunge_step, ly = lunge.y * lunge_step;
        for (int cx = being.x; cx < being.x + being.width; ++cx)
            for (int cy = being.y; cy < being.y + being.height; ++cy) {
                if (!in_view_window(cx, cy) || !on_map_cell(cx, cy)) continue;
                const int sprite = view_memory(cx, cy).being;
                if (!sprite) continue;
                const Point p = cell_pixel(cx, cy);
                object_sprites.draw(b, p.x + lx, p.y + ly, sprite);
            }
        const Point top_left = cell_pixel(being.x, being.y);
        const int px = top_left.x + lx, py = top_left.y + ly;
        const taction_memory& order = beings[viewer].attack_memory;
        if ((order.attack_kind[0] || order.attack_kind[1] || order.attack_kind[2]) && order.target == i)
            draw_attack_target_frame(viewer, i, px, py, pw, ph);
        if (order.has_target && order.target == i) draw_marked_target_frame(viewer, i, px, py, pw, ph);
        if (being.health > 0 && !being.type_flags[passive_flag] && !spectator && being.health_max != 0) {
            b.fill_rect(Rect{px + inset, py + ph + bar_top, px + pw - inset, py + ph + bar_bottom}, 0x111111);
            const int right = px + round_half_even(health_ratio(i) * pw) - inset;
            b.fill_rect(Rect{px + inset, py + ph + bar_top, right, py + ph + bar_bottom},
                        health_bar_colour(viewer, i, being.x, being.y));
        }
    }

    if (spectator) return;
    const bool names = game_mode == mode_target;
    const int label_offset = static_cast<int>(settings.name_font_height * 1.2);
    std::string kept_name;
    int kept_x = 0, kept_y = 0, kept_w = 0;
    // Names of creatures standing close together would run into each other: a label that meets
    // one already drawn is lifted a line higher until it is clear of them.
    std::vector<Rect> labels;
    b.set_font_height(settings.name_font_height);
    const int label_line = std::max(1, b.text_height("Aj") + 2);
    auto lift_clear = [&labels, label_line](Rect box) {
        for (bool met = true; met;) {
            met = false;
            for (const Rect& r : labels)
                if (box.left < r.right && r.left < box.right && box.top < r.bottom && r.top < box.bottom) {
                    box.top -= label_line;
                    box.bottom -= label_line;
                    met = true;
                }
        }
        labels.push_back(box);
        return box.bottom;
    };
    for (int i = 1; i < count; ++i) {
        if (!being_ok(i) || !sees(viewer, i)) continue;
        const tbeing& being = beings[i];
        if (being.type_flags[passive_flag]) continue;
        const bool awake = being.asleep_counter == 0;
        if (!names && awake && sees(i, viewer)) continue;
        if (being_animation_shown(i)) continue;
        if (!in_view_window(being.x, being.y) ||
            !in_view_window(being.x + being.width - 1, being.y + being.height - 1))
            continue;
        const Point lunge = view_direction_offsets[being.lunge_direction <= 8 ? being.lunge_direction : 0];
        const Point top_left = cell_pixel(being.x, being.y);
        const int px = top_left.x + lunge.x * lunge_step, py = top_left.y + lunge.y * lunge_step;
        const int pw = being.width * t, ph = being.height * t;
        Point at;
        if (!awake || !sees(i, viewer)) {
            b.set_font_colour(0xFFFF00);
            b.set_font_bold(true);
            b.set_font_height(settings.sleep_mark_font_height);
            draw_text_in_box(b, awake ? "?" : "Z", px, at, true, BrushStyle::clear, box_align::centre, 0,
                             py + ph, px + pw, py);
        }
        const std::string name = names ? being_name(i, 1) : std::string();
        if (!name.empty()) {
            b.set_brush(colours::black);
            b.set_font_height(settings.name_font_height);
            b.set_font_bold(false);
            b.set_font_colour(0xCCCCCC);
            const int w = b.text_width(name);
            const int left = px + (pw - w) / 2;
            const int bottom = lift_clear(Rect{left - 2, py - 2 - label_line, left + w + 2, py - 2});
            const int lift = py - 2 - bottom;
            draw_text_in_box(b, name, px, at, true, BrushStyle::clear, box_align::centre, 0, py - 2 - lift,
                             px + pw, py - label_offset - lift);
            const int tx = target_cursor_x, ty = target_cursor_y;
            if (tx >= being.x && tx < being.x + being.width && ty >= being.y && ty < being.y + being.height) {
                kept_name = name;
                kept_x = px;
                kept_y = py - lift;
                kept_w = pw;
            }
        }
    }
    if (!kept_name.empty()) {
        b.set_font_height(round_half_even(settings.name_font_height * 1.1));
        b.set_font_colour(colours::white);
        Point at;
        draw_label_box(b, kept_name, kept_x, at, box_align::centre, 0, kept_y - 2, kept_x + kept_w,
                       kept_y - static_cast<int>(settings.name_font_height * 1.8));
    }
    b.set_font_bold(false);
}

void draw_cell_animations() {
    const int x0 = std::max(settings.view_left, 1), x1 = std::min(settings.view_right, map_size);
    const int y0 = std::max(settings.view_top, 1), y1 = std::min(settings.view_bottom, map_size);
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            const tview_cell& m = view_memory(x, y);
            if (m.terrain && m.animation) {
                const Point p = cell_pixel(x, y);
                object_sprites.draw(effects_layer, p.x, p.y, m.animation);
            }
        }
}

} // namespace dravok
