// Minimal bodies of the services in frame_links.h whose owners have not landed: each draws
// nothing it does not know how to draw, and the frame composition places the map view, the
// panels and the log where the layout puts them.
#include "ui/frame_links.h"

#include "ui/graphics.h"
#include "ui/layout.h"
#include "world/globals.h"

namespace dravok {

bool log_changed = true;
void draw_log_panel() {
    clear_bitmap(log_panel);
    log_changed = false;
}

namespace {

void column(int x, bool minimap) {
    const int h = screen_bitmap.height(), mh = settings.minimap_height;
    // Each part of the frame is drawn whole or filled black, so the frame needs no clearing:
    // the panels cover their column, which is black while a spectator looks on.
    if (state.spectator_serial)
        screen_bitmap.fill_rect(Rect{x, 0, x + settings.panel_width, h}, colours::black);
    if (minimap) {
        if (!state.spectator_serial) {
            screen_bitmap.stretch_draw(Rect{x, h - mh, x + mh, h}, minimap_bitmap);
            screen_bitmap.draw(x, 0, status_panel);
        }
        screen_bitmap.frame_rect(Rect{x, h - mh, x + mh + 1, h}, 0x444444);
        screen_bitmap.frame_rect(Rect{x, 0, x + settings.panel_width, status_panel.height() + 1}, 0x444444);
    } else {
        if (!state.spectator_serial) screen_bitmap.draw(x, 0, side_panel);
        screen_bitmap.frame_rect(Rect{x, 0, x + settings.panel_width, h}, 0x444444);
    }
}

} // namespace

void compose_frame() {
    const int h = screen_bitmap.height();
    const int map_w = screen_layout.map_width, map_h = screen_layout.map_height;
    int map_x = 0;
    if (settings.minimap_place == 1) {
        column(0, true);
        map_x = settings.panel_width;
    } else if (settings.side_panel_place == 1) {
        column(0, false);
        map_x = settings.panel_width;
    }
    screen_bitmap.draw(map_x, 0, effects_layer);
    const int l = (map_w - log_panel.width()) / 2 + map_x;
    if (l != map_x) {
        screen_bitmap.fill_rect(Rect{map_x, map_h, l, h}, colours::black);
        screen_bitmap.fill_rect(Rect{l + log_panel.width(), map_h, map_x + map_w, h}, colours::black);
    }
    screen_bitmap.draw(l, map_h, log_panel);
    screen_bitmap.frame_rect(Rect{l, map_h - 1, l + log_panel.width(), h}, 0x444444);
    screen_bitmap.frame_rect(Rect{map_x, 0, map_x + map_w, h}, 0x444444);
    const int right = map_x + map_w;
    if (settings.minimap_place == 2)
        column(right, true);
    else if (settings.side_panel_place == 2)
        column(right, false);
}

void draw_minimap(int, int, int) {}
void draw_status_panel(int) {
    clear_bitmap(status_panel);
}
void draw_look_panel(Bitmap& panel) {
    clear_bitmap(panel);
}
void draw_target_hints(int) {
    clear_bitmap(log_panel);
}
void draw_dialog_partner(Bitmap& panel) {
    clear_bitmap(panel);
}

int item_count_on_cell(int x, int y) {
    if (x < 1 || y < 1 || x > map_size || y > map_size) return 0;
    return map_cells(x, y).loose_items;
}
void show_items_on_ground(int, int, int) {
    clear_bitmap(side_panel);
}
void show_quickslots(int) {
    clear_bitmap(side_panel);
}

bool update_lunges() {
    return false;
}
bool update_cell_animations() {
    return false;
}
bool update_indicators() {
    return false;
}
bool update_indicator_lines() {
    return false;
}
bool update_bubbles() {
    return false;
}
void draw_indicators() {}
void draw_indicator_lines() {}
void draw_speech_bubbles() {}
void clear_speech_bubbles() {}

void draw_dialog() {}
int current_dialog_kind() {
    return 0;
}
void draw_inventory_screen() {
    clear_bitmap(screen_bitmap);
}
void draw_talent_screen() {
    clear_bitmap(screen_bitmap);
}
void draw_string_dialog() {}
void draw_book() {
    clear_bitmap(screen_bitmap);
}
void draw_help_screen() {
    clear_bitmap(screen_bitmap);
}

void get_ranged_target(int) {}
void get_talent_target(int) {}

int target_cursor_x = 0, target_cursor_y = 0;
int target_action_kind = 0;
bool target_blocked = false;
bool autopilot_path(int, int, int) {
    return false;
}

} // namespace dravok
