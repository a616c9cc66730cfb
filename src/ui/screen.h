// The frame and the window around it, as the rules see them: redraw, the display keys, the
// layout, the end-of-game panels and closing the window. Called by the rules and key entry.
#pragma once
#include <string_view>

namespace dravok {

struct tshift_state;

// Set when the message log must be drawn again.
extern bool log_changed;
// Redraws the frame for the current game mode.
void draw_screen();
// Counts frames drawn (tests and the driver read it).
extern long frames_drawn;
// The full-screen and window-size keys; true when the key was taken.
bool handle_display_command(int command, int key, const tshift_state& shift);
void setup_window();
void draw_title_text(std::string_view text, int size);
void toggle_tile_size();
void load_tileset();
void apply_layout();
// Blanks the minimap, status and side panels when a game ends.
void clear_end_of_game_panels();
// Asks the game window to close (the event loop ends after the current event).
void close_game_window();
extern bool window_close_requested;
// Runs the module initialisation again (a restart).
void initialize_module();

} // namespace dravok
