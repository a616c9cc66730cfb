// The frame as the rules see it. Until the renderer lands a redraw only counts the frame, and
// the display keys take nothing.
#include "ui/screen.h"

namespace dravok {

long frames_drawn = 0;
bool window_close_requested = false;
bool log_changed = false;

void draw_screen() { ++frames_drawn; }
bool handle_display_command(int, int, const tshift_state&) { return false; }
void setup_window() {}
void draw_title_text(std::string_view, int) {}
void toggle_tile_size() {}
void load_tileset() {}
void apply_layout() {}
void clear_end_of_game_panels() {}
void close_game_window() { window_close_requested = true; }
void initialize_module() {}

} // namespace dravok
