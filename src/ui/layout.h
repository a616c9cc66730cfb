// The screen layout: the pixel sizes of the map view, panels, fonts and screen rows derived
// from the settings (tile size, view size, zoom, fonts, panel places), the sizes of the
// renderer's bitmaps, the largest view that fits the monitor, the view-size, zoom and tile-
// size steps, and the display keys. Called at start-up, by the settings menu and key entry.
#pragma once

namespace dravok {

struct tshift_state;

// Layout values the settings record does not keep.
struct tscreen_layout {
    int map_width = 0, map_height = 0; // the map view in pixels
    int log_height = 0;
    int status_font_height = 0; // status and side panels
    int list_rows = 0, list_pane_height = 0, list_top = 0;
    int panel_margin = 0, text_line_gap = 0, separator = 1;
    int bubble_width_limit = 0, bubble_margin = 0;
    int book_font_height = 0; // the book's rows are taller than its font to fit key caps
};
extern tscreen_layout screen_layout;

// trunc(x * zoom): every pixel measure of the interface.
int scaled(double x);
// x + round(zoom * 10 - 10): one font pixel more per 10 % of zoom.
int zoomed_font_size(int x);
// trunc(zoom * f * x), f = 1.4 for 64-pixel tiles, else 1.0.
int scaled_font_size(double x);

void compute_max_view();
// The view size of the current tile size from its saved pair, odd and within its bounds.
void load_view_size();
void store_view_size();
void apply_layout();
void toggle_tile_size();
// The settings-menu steps; true when the new value was accepted (the layout is not redone).
bool step_view_width(int delta);
bool step_view_height(int delta);
bool step_zoom(double delta);
// Alt+Backspace: the largest view that fits the monitor, or back to the default size.
void maximise_view();

// The display keys and settings rows (row 0: a key outside the settings menu); true when the
// key was taken. The caller redoes the window when the relayout flag is set.
bool handle_display_command(int command, int key, const tshift_state& shift, double zoom_step, int size_step,
                            int row_id);

} // namespace dravok
