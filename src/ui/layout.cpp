// The screen layout; see layout.h.
#include "ui/layout.h"

#include <algorithm>
#include <cmath>

#include "platform/bitmap.h"
#include "platform/memory.h"
#include "platform/window.h"
#include "ui/graphics.h"
#include "ui/marked_text.h"
#include "world/message_log.h"
#include "world/rounding.h"
#include "world/settings_record.h"

namespace dravok {

tscreen_layout screen_layout;

namespace {

constexpr int min_width_32 = 23, min_height_32 = 17, min_width_64 = 11, min_height_64 = 9;
constexpr int list_pane_base_width = 380;
constexpr int book_cap_gap = 3; // between the key caps of neighbouring book rows

int make_odd(int v) {
    return v % 2 == 0 ? v - 1 : v;
}

FontSpec game_font(int height, bool bold = false) {
    FontSpec f;
    f.family = settings.game_font.empty() ? "Verdana" : settings.game_font;
    f.height = height;
    f.bold = bold;
    f.colour = colours::white;
    return f;
}

int log_height() {
    return settings.log_lines * settings.log_line_height + 2 * settings.log_margin;
}

// The largest view of one tile size, limited below by its minimum.
void clamp_view(int& w, int& h, int min_w, int min_h, int max_w, int max_h) {
    if (max_w >= min_w)
        w = std::clamp(w, min_w, max_w);
    else
        w = std::max(w, min_w);
    if (max_h >= min_h)
        h = std::clamp(h, min_h, max_h);
    else
        h = std::max(h, min_h);
    // The view is centred on a cell: both sizes odd.
    if (w % 2 == 0) w = w - 1 >= min_w ? w - 1 : w + 1;
    if (h % 2 == 0) h = h - 1 >= min_h ? h - 1 : h + 1;
}

} // namespace

int scaled(double x) {
    return static_cast<int>(std::trunc(x * settings.zoom));
}

int zoomed_font_size(int x) {
    return x + round_half_even(settings.zoom * 10 - 10);
}

int scaled_font_size(double x) {
    const double f = settings.tile_size == 64 ? 1.4 : 1.0;
    return static_cast<int>(std::trunc(settings.zoom * f * x));
}

void compute_max_view() {
    Window* w = main_window();
    const Rect m = monitor_bounds(w ? w->display_index() : 0);
    const int p = settings.panel_columns * settings.panel_width;
    const int lh = log_height();
    settings.max_view_width_32 = make_odd((m.width() - p) / 32);
    settings.max_view_height_32 = make_odd((m.height() - lh) / 32);
    settings.max_view_width_64 = make_odd((m.width() - p) / 64);
    settings.max_view_height_64 = make_odd((m.height() - lh) / 64);
}

void load_view_size() {
    // Saved sizes come from a file: keep them odd and inside what the screen can show.
    clamp_view(settings.view_width_32, settings.view_height_32, min_width_32, min_height_32,
               settings.max_view_width_32, settings.max_view_height_32);
    clamp_view(settings.view_width_64, settings.view_height_64, min_width_64, min_height_64,
               settings.max_view_width_64, settings.max_view_height_64);
    if (settings.tile_size == 64) {
        settings.view_width = settings.view_width_64;
        settings.view_height = settings.view_height_64;
    } else {
        settings.view_width = settings.view_width_32;
        settings.view_height = settings.view_height_32;
    }
}

void store_view_size() {
    if (settings.tile_size == 64) {
        settings.view_width_64 = settings.view_width;
        settings.view_height_64 = settings.view_height;
    } else {
        settings.view_width_32 = settings.view_width;
        settings.view_height_32 = settings.view_height;
    }
}

void apply_layout() {
    tscreen_layout& L = screen_layout;
    const int h = settings.game_font_height;
    // 1..2: fonts, view size, log and panel measures.
    settings.log_line_height = static_cast<int>(std::trunc(zoomed_font_size(h) * 1.3));
    settings.log_margin = scaled(10);
    settings.panel_columns = (settings.minimap_place > 0 ? 1 : 0) + (settings.side_panel_place > 0 ? 1 : 0);
    settings.panel_width = scaled(256);
    compute_max_view();
    load_view_size();
    L.status_font_height = zoomed_font_size(h);
    settings.panel_font_height = L.status_font_height;
    settings.minimap_height = scaled(256);
    clear_bitmap(minimap_bitmap);
    for (Bitmap* b : {&map_layer, &creature_layer, &effects_layer, &log_panel, &status_panel, &side_panel})
        b->set_font(game_font(h));

    // 3: the five font heights.
    const bool big = settings.tile_size == 64;
    const double m =
        big ? (settings.zoom == 1.0 ? 1.0 : settings.zoom / 10 + 1) : (settings.zoom - 1) * 0.5 + 1;
    const double k[5] = {big ? 1.5 : 1.0, big ? 1.7 : 1.1, big ? 2.5 : 1.5, big ? 2.5 : 1.75,
                         big ? 1.5 : 1.0};
    settings.floating_font_height = round_half_even(k[0] * m * h);
    settings.second_font_height = round_half_even(k[1] * m * h);
    settings.map_mark_font_height = round_half_even(k[2] * m * h);
    settings.sleep_mark_font_height = round_half_even(k[3] * m * h);
    settings.name_font_height = round_half_even(k[4] * m * h);

    // 4: the map layers.
    L.map_width = settings.view_width * settings.tile_size;
    L.map_height = settings.view_height * settings.tile_size;
    // A bitmap is black after set_size: the layers are not written until a level is drawn.
    for (Bitmap* b : {&map_layer, &creature_layer, &effects_layer})
        b->set_size(L.map_width, L.map_height);
    // 5: the log panel.
    log_panel.set_font(game_font(zoomed_font_size(h)));
    L.log_height = log_height();
    log_panel.set_size(std::min(L.map_width, 1024), L.log_height);
    // 6: the frame.
    screen_bitmap.set_size(L.map_width + settings.panel_columns * settings.panel_width,
                           L.map_height + L.log_height);
    // Every frame is drawn whole into it, from the title picture on.
    if (!screen_bitmap.empty())
        prepare_to_fill(screen_bitmap.row(0),
                        std::size_t(screen_bitmap.width()) * std::size_t(screen_bitmap.height()) * 4);
    screen_bitmap.set_font(game_font(L.status_font_height));
    // 7: the panels.
    status_panel.set_size(settings.panel_width, screen_bitmap.height() - settings.minimap_height);
    side_panel.set_size(settings.panel_width, screen_bitmap.height());
    status_panel.set_font(game_font(L.status_font_height));
    side_panel.set_font(game_font(L.status_font_height));
    // 8.
    compute_max_view();
    settings.scrollbar_width = scaled(12);
    // 9: list panes.
    const int icon = settings.icon_size;
    L.list_rows = std::min(30, (screen_bitmap.height() - icon - 2 * settings.log_margin) / icon);
    L.list_pane_height = icon * (L.list_rows + 1) + 2 * settings.log_margin;
    for (Bitmap& b : list_pane_bitmaps) {
        b.set_size(scaled(list_pane_base_width), L.list_pane_height);
        b.set_font(game_font(L.status_font_height));
    }
    L.list_top = (screen_bitmap.height() - L.list_pane_height) / 2;
    // 10: the title and menu rows.
    FontSpec title;
    title.family = settings.title_font.empty() ? "Georgia" : settings.title_font;
    title.height = scaled(80);
    screen_bitmap.set_font(title);
    settings.title_height = screen_bitmap.text_height("TITLE");
    // Every frame is drawn whole into it, from the title picture on.
    if (!screen_bitmap.empty())
        prepare_to_fill(screen_bitmap.row(0),
                        std::size_t(screen_bitmap.width()) * std::size_t(screen_bitmap.height()) * 4);
    screen_bitmap.set_font(game_font(L.status_font_height));
    settings.menu_rows =
        std::min(20, (screen_bitmap.height() - settings.title_height - scaled(20) - 2 * scaled(32)) /
                         (icon + settings.log_margin));
    settings.menu_rows_shown = settings.menu_rows;
    // 11: dialog and bubbles, and the panel values the other renderers use.
    settings.dialog_width = std::min(static_cast<int>(std::trunc(L.map_width * 0.7)), scaled(700));
    settings.bubble_font_height = std::abs(round_half_even(settings.floating_font_height * 1.5));
    // Every frame is drawn whole into it, from the title picture on.
    if (!screen_bitmap.empty())
        prepare_to_fill(screen_bitmap.row(0),
                        std::size_t(screen_bitmap.width()) * std::size_t(screen_bitmap.height()) * 4);
    screen_bitmap.set_font(game_font(L.status_font_height));
    settings.icon_text_offset = (icon - screen_bitmap.text_height("Aj")) / 2;
    L.panel_margin = settings.log_margin;
    L.text_line_gap = settings.log_line_height;
    L.separator = 1;
    L.bubble_width_limit = static_cast<int>(std::trunc(L.map_width * 0.6));
    L.bubble_margin = scaled(8);
    // 12: the book.
    L.book_font_height = std::max(1, std::abs(round_half_even(L.status_font_height * 1.25)));
    // A row holds a key cap, which reaches above and below its text, with a gap to the next
    // row's cap, so that caps on neighbouring lines never touch.
    screen_bitmap.set_font(game_font(L.book_font_height));
    const int cap_row = screen_bitmap.text_height("Aj") + key_cap_overhang() + scaled(book_cap_gap);
    // Every frame is drawn whole into it, from the title picture on.
    if (!screen_bitmap.empty())
        prepare_to_fill(screen_bitmap.row(0),
                        std::size_t(screen_bitmap.width()) * std::size_t(screen_bitmap.height()) * 4);
    screen_bitmap.set_font(game_font(L.status_font_height));
    const int row = std::max(L.book_font_height, cap_row);
    settings.book_row_height = row;
    settings.book_width = scaled(800);
    const int body = round_half_even(screen_bitmap.height() * 0.8) - icon - 2 * settings.log_margin;
    settings.book_height = (body / row) * row + icon + 2 * settings.log_margin;
    settings.book_lines = (settings.book_height - icon - 2 * settings.log_margin) / row;
    // 13.
    log_changed = true;
}

void toggle_tile_size() {
    store_view_size();
    settings.tile_size = settings.tile_size == 64 ? 32 : 64;
    load_view_size();
}

bool step_view_width(int delta) {
    const int v = settings.view_width + delta;
    const bool ok = settings.tile_size == 64 ? (v >= min_width_64 && v <= settings.max_view_width_64)
                                             : (v >= min_width_32 && v <= settings.max_view_width_32);
    if (ok) {
        settings.view_width = v;
        store_view_size();
    }
    return ok;
}

bool step_view_height(int delta) {
    const int v = settings.view_height + delta;
    const bool ok = settings.tile_size == 64 ? (v >= min_height_64 && v <= settings.max_view_height_64)
                                             : (v >= min_height_32 && v <= settings.max_view_height_32);
    if (ok) {
        settings.view_height = v;
        store_view_size();
    }
    return ok;
}

bool step_zoom(double delta) {
    const double z = settings.zoom + delta;
    if (!(z > 0.79 && z <= 1.51)) return false;
    settings.zoom = z;
    return true;
}

void maximise_view() {
    Window* w = main_window();
    const bool windowed = !settings.fullscreen;
    const FrameMetrics fm = w ? w->frame_metrics() : FrameMetrics{};
    const int p = settings.panel_columns * settings.panel_width + (windowed ? 2 * fm.edge_width + 48 : 0);
    const int v = log_height() + (windowed ? fm.caption_height + 2 * fm.edge_height + 64 : 0);
    const Rect m = monitor_bounds(w ? w->display_index() : 0);
    const int mw = make_odd((m.width() - p) / settings.tile_size);
    const int mh = make_odd((m.height() - v) / settings.tile_size);
    if (mw > settings.view_width && mh > settings.view_height) {
        settings.view_width = mw;
        settings.view_height = mh;
    } else if (settings.tile_size == 64) {
        settings.view_width = min_width_64;
        settings.view_height = min_height_64;
    } else {
        settings.view_width = min_width_32;
        settings.view_height = min_height_32;
    }
    store_view_size();
}

} // namespace dravok
