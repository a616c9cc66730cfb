// Frame drawing by game mode; see draw.h.
#include "ui/draw.h"
#include "records/layout_being.h"

#include "ai/light.h"
#include "ai/paths.h"
#include "platform/window.h"
#include "rules/effect_areas.h"
#include "rules/effects.h"
#include "rules/targeting.h"
#include "ui/animations.h"
#include "ui/book_screens.h"
#include "ui/character_sheet.h"
#include "ui/dialogs.h"
#include "ui/frame_composition.h"
#include "ui/game_window.h"
#include "ui/graphics.h"
#include "ui/lister.h"
#include "ui/lister_drawing.h"
#include "ui/map_view.h"
#include "ui/menus.h"
#include "ui/minimap.h"
#include "ui/offscreen_beings.h"
#include "ui/panels.h"
#include "ui/side_panel.h"
#include "ui/talent_screen.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/world_lifecycle.h"

namespace dravok {

long frames_painted = 0;

namespace {

bool painted_last_tick = false;

// The frame of a map mode ends here: animation layers over the creature layer, then compose;
// draw_screen shows it.
void frame_finish() {
    animate(false);
    compose_frame();
}

void stop_program() {
    shutdown(true);
}

// The view centred on the target cursor, shared by the target and autopilot modes.
void draw_cursor_view(int player, bool threat_markers) {
    draw_map(player, target_cursor_x, target_cursor_y);
    if (threat_markers) {
        collect_offscreen_beings();
        draw_threat_markers();
    }
    draw_creatures(player);
    draw_target_overlay(player);
    draw_look_panel(side_panel);
    draw_target_hints(player);
    draw_status_panel(player);
    draw_minimap(player, target_cursor_x, target_cursor_y);
    frame_finish();
}

// effects_layer := a copy of creature_layer, in place when the sizes agree.
void copy_creature_layer() {
    if (effects_layer.width() == creature_layer.width() && effects_layer.height() == creature_layer.height())
        effects_layer.copy_rect(effects_layer.bounds(), creature_layer, creature_layer.bounds());
    else
        effects_layer = creature_layer;
}

void side_panel_of_main_mode(int x, int y) {
    const int n = item_count_on_cell(x, y);
    bool show_items;
    if (settings.side_panel_switch) {
        show_items = settings.side_panel_content == 0 && n > 0;
        settings.side_panel_switch = 0;
    } else {
        show_items = n > 0;
    }
    if (show_items) {
        show_items_on_ground(player, x, y);
        settings.side_panel_content = 1;
    } else {
        show_quickslots(player);
        settings.side_panel_content = 0;
    }
}

} // namespace

void screen_box_paint() {
    ++frames_painted;
    if (Window* w = main_window()) w->present(screen_bitmap, screen_box.left, screen_box.top);
}

void draw_screen() {
    if (quit_requested()) return;
    trace_start(trace_draw_screen);
    const int mode = game_mode;
    if (player == 0 && mode != mode_menu && mode != mode_string && mode != mode_keybind &&
        mode != mode_help) {
        // No being to look through: nothing else can be drawn.
        request_quit();
        return;
    }
    int x = 0, y = 0;
    if (player >= 1 && player < int(beings.size())) {
        x = beings[player].x;
        y = beings[player].y;
    }
    switch (mode) {
    case mode_menu:
        draw_menu();
        break;
    case mode_spectator:
        update_lights();
        if (log_changed) draw_log_panel();
        draw_map(player, x, y);
        draw_creatures(player);
        frame_finish();
        break;
    case mode_main:
        if (rest_screen_active()) return;
        update_lights();
        get_ranged_target(player, 0);
        get_talent_target(player);
        if (log_changed) draw_log_panel();
        draw_map(player, x, y);
        if (settings.offscreen_warning) {
            collect_offscreen_beings();
            draw_threat_markers();
        }
        draw_creatures(player);
        draw_status_panel(player);
        draw_minimap(player, x, y);
        if (quit_requested()) return stop_program();
        side_panel_of_main_mode(x, y);
        if (quit_requested()) return stop_program();
        frame_finish();
        break;
    case mode_target:
        if (target_cursor_x == 0 || target_cursor_y == 0) target_init(player);
        refresh_target_aim(player);
        draw_cursor_view(player, false);
        break;
    case mode_autopilot:
        // Finds the path to the cursor that the overlay shows.
        autopilot_path(player, target_cursor_x, target_cursor_y);
        draw_cursor_view(player, settings.offscreen_warning != 0);
        break;
    case mode_dialog: {
        clear_speech_bubbles();
        const int kind = current_dialog_kind();
        if (kind == 7) {
            draw_map(player, target_cursor_x, target_cursor_y);
            draw_creatures(player);
            draw_target_overlay(player);
        } else {
            draw_map(player, x, y);
            draw_creatures(player);
        }
        if (kind != 9) {
            draw_minimap(player, x, y);
            draw_dialog_partner(side_panel);
        }
        copy_creature_layer();
        draw_dialog();
        compose_frame();
        break;
    }
    case mode_inventory:
        update_lights();
        draw_inventory_screen();
        break;
    case mode_talent:
        draw_talent_screen();
        break;
    case mode_string:
        draw_string_dialog();
        break;
    case mode_keybind:
        draw_menu();
        break;
    case mode_character:
        build_character_sheet();
        draw_character_sheet();
        break;
    case mode_book:
        draw_book();
        break;
    case mode_help:
        draw_help_screen();
        break;
    default:
        break; // observer and test: the animation tick keeps them moving
    }
    screen_box_paint();
}

bool animate(bool update) {
    if (quit_requested() || state.restart || state.busy) return false;
    bool changed = false;
    if (update) {
        // All five advance every tick, whatever the others report.
        const bool a = update_lunges();
        const bool b = update_cell_animations();
        const bool c = update_indicators();
        const bool d = update_indicator_lines();
        const bool e = update_bubbles();
        changed = a || b || c || d || e;
    }
    if (changed) {
        draw_creatures(player);
        if (game_mode == mode_target || game_mode == mode_autopilot) draw_target_overlay(player);
    }
    copy_creature_layer();
    draw_indicators();
    draw_indicator_lines();
    draw_cell_animations();
    draw_speech_bubbles();
    // A tick paints while things move and once more after; a drawn frame (no update) is shown
    // by draw_screen, so it is not shown twice.
    if (update && (changed || painted_last_tick)) {
        compose_frame();
        screen_box_paint();
    }
    painted_last_tick = changed;
    return changed;
}

} // namespace dravok
