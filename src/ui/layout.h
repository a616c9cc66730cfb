// The screen layout as key entry sees it: the display keys, the tile-size switch and applying
// the layout. Called by key entry and the settings menu.
#pragma once

namespace dravok {

struct tshift_state;

// The display keys and settings rows (row 0: a key outside the settings menu); true when the
// key was taken.
bool handle_display_command(int command, int key, const tshift_state& shift, double zoom_step, int size_step,
                            int row_id);
void apply_layout();
void toggle_tile_size();

} // namespace dravok
