// Key entry and command dispatch.
#include "ui/key_entry.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "ui/title_screen.h"

#include "ai/paths.h"
#include "ai/places.h"
#include "platform/desktop.h"
#include "platform/events.h"
#include "platform/timers.h"
#include "records/being_flags.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/followers.h"
#include "rules/scheduler.h"
#include "rules/targeting.h"
#include "ui/dialogs.h"
#include "ui/draw.h"
#include "ui/game_timers.h"
#include "ui/game_window.h"
#include "ui/key_bindings.h"
#include "ui/layout.h"
#include "ui/lister.h"
#include "ui/main_commands.h"
#include "ui/menus.h"
#include "ui/mode_keys.h"
#include "ui/target_keys.h"
#include "ui/text_entry.h"
#include "ui/tileset.h"
#include "ui/title_screen.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/pictures.h"
#include "world/player.h"
#include "world/regeneration.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/world_lifecycle.h"

namespace dravok {

bool command_acted = false;

namespace {

constexpr int please_wait_size = 60;

bool key_gate_open() {
    return state.initialised && !quit_requested() && !state.restart && !state.busy &&
           !state.level_up_pending && !state.update_chosen;
}

} // namespace

int reported_modifier(const tshift_state& shift) {
    if (shift.shift) return key_shift;
    if (shift.ctrl) return key_ctrl;
    if (shift.alt) return key_alt;
    return 0;
}

void handle_commands(int being, int command, int key, int modifier) {
    trace_enter(command_dispatch_depth - 1, trace_handle_commands);
    switch (game_mode) {
    case mode_menu:
        handle_menu_commands(being, command, key, modifier);
        break;
    case mode_main:
        handle_main_commands(being, command, key, modifier);
        break;
    case mode_target:
        handle_target_commands(being, command, key, modifier);
        break;
    case mode_autopilot:
        handle_autopilot_commands(being, command, key, modifier);
        break;
    case mode_dialog:
        handle_dialog_commands(command, key, modifier);
        break;
    case mode_inventory:
    case mode_talent:
        handle_lister_commands(being, command, key, modifier);
        break;
    case mode_string:
        handle_string_commands(being, command, key, modifier);
        break;
    case mode_keybind:
        handle_keybind_commands(being, command, key, modifier);
        break;
    case mode_character:
        handle_character_commands(being, command, key, modifier);
        break;
    case mode_book:
        handle_book_commands(being, command, key, modifier);
        break;
    case mode_help:
        handle_help_commands(being, command, key, modifier);
        break;
    default:
        break; // 0, spectator, observer and test modes take no commands
    }
}

void handle_key_event(const KeyEvent& event) {
    int key = event.key;
    form_key_down(key, tshift_state{event.shift, event.ctrl, event.alt});
}

void form_key_down(int& key, const tshift_state& shift) {
    if (!key_gate_open()) {
        key = 0;
        return;
    }
    trace_start(trace_form_key_down);
    Timer& play = play_timer();
    if (!play.enabled()) play.set_enabled(true);
    play.set_tag(0);

    const int modifier = reported_modifier(shift);
    if (key == modifier) {
        // Shift, Ctrl or Alt alone: only the help screen marks modifiers.
        if (game_mode == mode_help) {
            handle_help_commands(0, 0, key, modifier);
            draw_screen();
        }
        key = 0;
        return;
    }
    ++game.key_presses;
    const int command = command_for_key(key, modifier);
    record_key_history(key, modifier, command);

    if (game_mode == mode_spectator) {
        if (key == key_escape && !state.won) {
            state.spectator_ticks = 100;
            spectator_timer_tick(spectator_timer());
        }
        return;
    }
    if (game_mode == mode_main && player > 0 &&
        (state.run_counter >= 1 || beings[player].path.purpose == autopilot_purpose)) {
        stop_on_hostiles(player, false);
        draw_screen();
        return;
    }
    if (player > 0 && (beings[player].resting || beings[player].rest_rounds > 0)) {
        add_message("$FStopped resting.");
        stop_resting(player);
        draw_screen();
        return;
    }
    if (command == 0 && handle_display_command(0, key, shift, 0.0, 0, 0)) {
        if (state.relayout) setup_window();
        if (settings_menu_open()) refresh_menu();
        draw_screen();
        return;
    }
    if (quit_requested()) {
        shutdown(true);
        return;
    }
    if (command == SCREENSHOT || command == MAPSHOT) {
        if (command == SCREENSHOT)
            take_screenshot();
        else
            save_map_image();
        draw_screen();
        return;
    }
    // Lines written from here on keep their colours when the action's old lines fade.
    note_log_fade_line();
    if (player > 0) {
        tbeing& being = beings[player];
        state.player_action_time = being.next_action_time;
        being.made_sound.loudness = 0;
        being.last_action_kind = 0;
    }

    handle_commands(player, command, key, modifier);

    if (player > 0) {
        tbeing& being = beings[player];
        game.key_history_of(1).action_kind = being.last_action_kind;
        if (being.present && being.stats_dirty) update_being(player, 1);
    }
    if (quit_requested()) {
        shutdown(true);
        return;
    }
    if (state.restart) {
        initialize_module();
        key = 0;
        return;
    }
    if (state.update_chosen) {
        close_game_window();
        return;
    }
    if (game_mode == mode_menu && settings_menu_open()) {
        if (state.tileset_reload) {
            state.tileset_reload = 0;
            draw_title_text("PLEASE WAIT", please_wait_size);
            toggle_tile_size();
            load_tileset();
            apply_layout();
        }
        if (state.relayout) setup_window();
        refresh_menu();
        draw_screen();
        return;
    }
    if (player > 0 && (beings[player].next_action_time != state.player_action_time || command_acted)) {
        if (settings.fading) fade_old_log_lines();
        command_acted = false;
    }
    if (player > 0) regenerate_being(player, 1);

    if (game_mode == mode_main && !state.level_up_pending)
        handle_rounds();
    else if (game_mode == mode_inventory && state.lister_time_passing)
        handle_rounds();
    else
        draw_screen();

    if (key == key_f10 && !shift.alt) key = 0;
}

} // namespace dravok
