// The display keys and the display rows of the settings menu: full screen, maximised view,
// tile size, view size and zoom steps. Called by key entry and the settings menu.
#include "ui/key_entry.h"
#include "ui/layout.h"
#include "world/settings_record.h"
#include "world/state.h"

namespace dravok {

namespace {
constexpr int key_enter = 13, key_backspace = 8;
constexpr int row_tile_size = 10, row_width = 11, row_height = 12, row_zoom = 13, row_fullscreen = 14,
              row_push_scroll = 15;
} // namespace

bool handle_display_command(int command, int key, const tshift_state& shift, double zoom_step, int size_step,
                            int row_id) {
    (void)command;
    if (row_id == 0) {
        if (shift.alt && key == key_enter)
            row_id = row_fullscreen;
        else if (shift.alt && key == key_backspace) {
            maximise_view();
            apply_layout();
            state.relayout = 1;
            return true;
        } else {
            return false;
        }
    }
    switch (row_id) {
    case row_tile_size:
        state.tileset_reload = 1;
        state.relayout = 1;
        return true;
    case row_width:
    case row_height:
    case row_zoom: {
        const bool ok = row_id == row_width    ? step_view_width(size_step)
                        : row_id == row_height ? step_view_height(size_step)
                                               : step_zoom(zoom_step);
        if (!ok) return false;
        apply_layout();
        state.relayout = 1;
        return true;
    }
    case row_fullscreen:
    case row_push_scroll:
        if (row_id == row_fullscreen)
            settings.fullscreen = !settings.fullscreen;
        else
            settings.push_scroll = !settings.push_scroll;
        apply_layout();
        state.relayout = 1;
        return true;
    default:
        return false;
    }
}

} // namespace dravok
