#include "ui/frame_composition.h"

#include <algorithm>
#include <string>

#include "records/layout_being.h"
#include "ui/banners.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/marked_text.h"
#include "ui/minimap.h"
#include "world/beings.h"
#include "world/game_modes.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/state.h"

namespace dravok {

void draw_log_panel() {
    clear_bitmap(log_panel);
    if (message_log.empty()) return; // log_changed stays set until there is something to show
    constexpr std::size_t stamp_length = 10, indent_length = 3;
    constexpr Colour plain_log_colour = 0x666666;
    const int line_height = settings.log_line_height, margin = settings.log_margin;
    log_panel.set_brush_clear();
    int y = margin;
    const std::size_t first = std::size_t(std::max(0, settings.log_top_line));
    for (std::size_t i = first; i < message_log.size() && i < first + std::size_t(settings.log_lines); ++i) {
        std::string_view line = message_log[i];
        line.remove_prefix(std::min(line.size(), stamp_length));
        int indent = 0;
        const std::string_view digits = line.substr(0, std::min(line.size(), indent_length));
        if (digits.size() == indent_length &&
            std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            indent = std::stoi(std::string(digits));
        line.remove_prefix(digits.size());
        log_panel.set_font_colour(plain_log_colour);
        draw_marked_line(log_panel, line, margin + indent, false, y);
        y += line_height;
    }
    log_changed = false;
}

namespace {

constexpr Colour frame_colour = 0x444444;
constexpr uint32_t fade_start_tick = 6, death_banner_tick = 6, victory_banner_tick = 4;
constexpr int fade_step_percent = 4;

void column(int x, bool minimap) {
    const int h = screen_bitmap.height(), mh = settings.minimap_height;
    // Each part of the frame is drawn whole or filled black, so the frame needs no clearing:
    // the panels cover their column, which is black while a spectator looks on.
    if (state.spectator_serial)
        screen_bitmap.fill_rect(Rect{x, 0, x + settings.panel_width, h}, colours::black);
    if (minimap) {
        if (!state.spectator_serial) {
            screen_bitmap.stretch_draw(Rect{x, h - mh, x + mh, h}, minimap_bitmap);
            draw_minimap_view_frame(x, h - mh);
            screen_bitmap.draw(x, 0, status_panel);
        }
        screen_bitmap.frame_rect(Rect{x, h - mh, x + mh + 1, h}, frame_colour);
        screen_bitmap.frame_rect(Rect{x, 0, x + settings.panel_width, status_panel.height() + 1},
                                 frame_colour);
    } else {
        if (!state.spectator_serial) screen_bitmap.draw(x, 0, side_panel);
        screen_bitmap.frame_rect(Rect{x, 0, x + settings.panel_width, h}, frame_colour);
    }
}

// After the player's death the view turns grey and fades to black over 25 ticks.
void death_fade() {
    if (!state.died || state.spectator_ticks <= fade_start_tick) return;
    const double factor =
        std::clamp((100.0 - fade_step_percent * (double(state.spectator_ticks) - 7)) / 100.0, 0.0, 1.0);
    effects_layer.greyscale(factor);
}

void banner() {
    const tbeing* controlled = player >= 1 && player < int(beings.size()) ? &beings[player] : nullptr;
    if (state.died && state.spectator_ticks >= death_banner_tick)
        draw_death_banner();
    else if (state.won && state.spectator_ticks >= victory_banner_tick)
        draw_victory_banner();
    else if (state.level_up_pending)
        draw_level_up_banner();
    else if (controlled && (controlled->resting || controlled->rest_rounds > 0))
        draw_resting_banner();
}

// Without panel columns the status panel, the minimap and the side panel lie over the map.
void panels_over_map(int map_w, int map_h) {
    const int mh = settings.minimap_height, m = settings.log_margin;
    screen_bitmap.draw(0, 0, status_panel);
    screen_bitmap.stretch_draw(Rect{map_w - mh - m, map_h - mh - m, map_w - m, map_h - m}, minimap_bitmap);
    draw_minimap_view_frame(map_w - mh - m, map_h - mh - m);
    if (game_mode == mode_main || game_mode == mode_target)
        screen_bitmap.draw(screen_bitmap.width() - side_panel.width(), 0, side_panel);
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
    death_fade();
    banner();
    screen_bitmap.draw(map_x, 0, effects_layer);
    const int l = (map_w - log_panel.width()) / 2 + map_x;
    if (l != map_x) {
        screen_bitmap.fill_rect(Rect{map_x, map_h, l, h}, colours::black);
        screen_bitmap.fill_rect(Rect{l + log_panel.width(), map_h, map_x + map_w, h}, colours::black);
    }
    screen_bitmap.draw(l, map_h, log_panel);
    screen_bitmap.frame_rect(Rect{l, map_h - 1, l + log_panel.width(), h}, frame_colour);
    screen_bitmap.frame_rect(Rect{map_x, 0, map_x + map_w, h}, frame_colour);
    const int right = map_x + map_w;
    if (settings.minimap_place == 2)
        column(right, true);
    else if (settings.side_panel_place == 2)
        column(right, false);
    if (settings.minimap_place == 0 && settings.side_panel_place == 0 && !state.spectator_serial)
        panels_over_map(map_w, map_h);
}

} // namespace dravok
