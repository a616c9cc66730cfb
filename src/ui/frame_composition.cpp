#include "ui/frame_composition.h"

#include "ui/graphics.h"
#include "ui/layout.h"
#include "world/globals.h"
#include "world/message_log.h"

namespace dravok {

void draw_log_panel() {
    // not built yet: the log lines with their colours, separators and scrolling
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

} // namespace dravok
