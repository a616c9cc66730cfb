// The game window, start-up, timers and shutdown; see game_window.h.
#include "ui/game_window.h"
#include "records/layout_game.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "platform/bitmap.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "platform/termination.h"
#include "platform/timers.h"
#include "platform/window.h"
#include "records/layout_plans.h"
#include "rules/game_setup.h"
#include "rules/level_up.h"
#include "rules/pantheon.h"
#include "rules/save_game.h"
#include "rules/scheduler.h"
#include "ui/animations.h"
#include "ui/dialogs.h"
#include "ui/draw.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/key_entry.h"
#include "ui/layout.h"
#include "ui/menus.h"
#include "ui/panels.h"
#include "ui/release_check.h"
#include "ui/tileset.h"
#include "ui/title_screen.h"
#include "ui/ui_services.h"
#include "world/beings.h"
#include "world/database.h"
#include "world/error_log.h"
#include "world/game_folders.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/history_file.h"
#include "world/menu_model.h"
#include "world/message_log.h"
#include "world/pictures.h"
#include "world/player.h"
#include "world/rounding.h"
#include "world/settings_file.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/statistics.h"
#include "world/tables.h"
#include "world/text_utilities.h"
#include "world/world_lifecycle.h"

namespace dravok {

Window game_window;
Rect screen_box;

namespace {

constexpr int spectator_death_ticks = 32, spectator_victory_ticks = 50;
constexpr int level_up_pause_ticks = 60;
constexpr int idle_seconds_before_pause = 30;

// Start-up timing only (not for play): the program ends at its first main-menu frame.
bool exit_at_first_menu() {
    const char* v = std::getenv("DRAVOK_EXIT_AT_MENU");
    return v != nullptr && std::string_view(v) == "1";
}

// Timers by name: they live as long as the window's event loop, so nothing keeps a pointer.

void enable_timer(const char* name, bool on) {
    if (Timer* t = find_timer(name)) t->set_enabled(on);
}

// A signal that ends the game in play keeps it as the save command would: from the map or from
// the game menu, with the character alive and no cycle of play being set up.
void save_before_termination() {
    const bool in_play = game_mode == mode_main || game_mode == mode_target || game_mode == mode_autopilot ||
                         (game_mode == mode_menu && menu.id == menu_game);
    if (!in_play || state.busy || state.died || state.won || player_character == 0) return;
    save_game();
}

bool map_mode(int mode) {
    return mode == mode_spectator || mode == mode_main || mode == mode_target || mode == mode_autopilot ||
           mode == mode_observer;
}

} // namespace

void end_application() {
    destroy_all_timers();
    end_event_loop();
}

bool create_game_window() {
    if (!game_window.create("Dravok", 1121, 627)) return false;
    create_timer("effects_timer", 25, false, effects_timer_tick);
    create_timer("spectator_timer", 1000, false, spectator_timer_tick);
    create_timer("play_timer", 1000, true, play_timer_tick);
    create_timer("startup_timer", 20, false, startup_timer_tick);
    create_timer("update_timer", 1, false, update_timer_tick);
    set_paint_handler(screen_box_paint);
    set_key_handler(handle_key_event);
    set_close_handler(close_game_window);
    set_termination_handler(save_before_termination);
    return true;
}

bool form_create() {
    install_ui_services();
    init_globals();
    create_graphics();
    load_title_pictures();
    compute_max_view();
    load_settings();
    load_view_size();
    if (settings.check_updates) enable_timer("update_timer", true);
    state.go_to_main_menu = 1;
    apply_layout();
    setup_window();
    if (!create_game_folders()) {
        shutdown(true);
        return false;
    }
    load_keybindings(program_folder() + "Data/Keybindings.txt");
    load_statistics();
    return true;
}

void form_show() {
    if (state.initialised) return;
    const int picture = pick_title_picture();
    if (picture > 0) {
        const int side =
            std::min(600, round_half_even(0.7 * std::min(screen_bitmap.width(), screen_bitmap.height())));
        Bitmap framed;
        draw_framed_picture(framed, picture, side);
        screen_bitmap.clear(colours::black);
        screen_bitmap.draw((screen_bitmap.width() - framed.width()) / 2,
                           (screen_bitmap.height() - framed.height()) / 2, framed);
    } else {
        draw_title_text(spaced_title("DRAVOK"), 100);
    }
    screen_box_paint();
    enable_timer("startup_timer", true);
}

void startup_timer_tick(Timer& timer) {
    timer.set_enabled(false);
    initialize_module();
}

void initialize_module() {
    const int depth = trace_start(trace_initialize_module);
    state.restart = 0;
    state.died = 0;
    state.won = 0;
    // The end of the last game muted the log; a new game speaks again.
    state.log_muted = 0;
    state.speech_passes = 0;
    state.level_up_pending = 0;
    state.spectator_serial = 0;
    state.spectator_ticks = 0;
    state.rest_screen = 0;
    state.obituary_file.clear();
    state.obituary_title.clear();
    state.obituary_saved = 0;
    state.busy = 1;
    enable_timer("effects_timer", false);
    enable_timer("spectator_timer", false);
    player = 0;
    clear_temporary_folder();
    // The main menu does not use the world's arrays (tens of megabytes, slow to make): on the
    // first start they are made once the menu is on the screen, before any key is read.
    const bool allocate_after_menu = !state.initialised && state.go_to_main_menu;
    if (!state.initialised) {
        free_world();
        if (!load_database()) return shutdown(true);
        if (!load_tileset()) return shutdown(true);
        state.initialised = 1;
        state.read_pantheon = 1;
        if (!allocate_after_menu) allocate_world();
    }
    reset_world();
    forget_described_being();
    forget_partner_description();
    if (state.read_pantheon) {
        if (!load_avatars()) setup_avatars(depth);
        state.read_pantheon = 0;
    }
    clear_message_log();
    if (state.go_to_main_menu) {
        if (settings.check_updates) check_release_file();
        setup_menu(settings.check_updates && state.update_available ? 11 : 1);
    } else {
        setup_game();
    }
    if (quit_requested()) return shutdown(true);
    state.busy = 0;
    draw_screen();
    // For timing the start from outside: DRAVOK_EXIT_AT_MENU=1 ends the program once the first
    // main-menu frame is on the screen (before the world is made behind it).
    if (state.go_to_main_menu && exit_at_first_menu()) {
        end_event_loop();
        return;
    }
    if (allocate_after_menu) allocate_world();
    enable_timer("effects_timer", true);
}

bool load_tileset() {
    ttileset_expectation expect;
    expect.being_plans = being_plans.empty() ? 0 : int(being_plans.size()) - 1;
    expect.item_plans = item_plans.empty() ? 0 : int(item_plans.size()) - 1;
    expect.talents = talents.empty() ? 0 : int(talents.size()) - 1;
    expect.coin_plan = settings.coin_plan;
    expect.database_path = database_file_path();
    const std::string base = program_folder() + "Data/" + settings.tileset_name;
    int coin = 0;
    if (!load_tileset_files(base + ".dti", base + ".dts", expect, settings.tile_size, settings.icon_size,
                            coin))
        return false;
    settings.coin_icon = coin;
    return true;
}

bool rest_screen_active() {
    if (!state.rest_screen || player < 1 || player >= int(beings.size())) return false;
    return beings[player].resting || beings[player].rest_rounds > 0;
}

void effects_timer_tick(Timer& timer) {
    if (quit_requested()) {
        timer.set_enabled(false);
        return;
    }
    if (rest_screen_active()) return;
    if (state.level_up_pending) {
        timer.set_tag(timer.tag() + 1);
        if (timer.tag() >= level_up_pause_ticks) {
            timer.set_tag(0);
            state.level_up_pending = 0;
            clear_all_indicators();
            setup_level_up(player);
            draw_screen();
        }
        return;
    }
    if (!state.restart && !state.busy && map_mode(game_mode)) animate(true);
}

void play_timer_tick(Timer& timer) {
    ++game.seconds_played;
    timer.set_tag(timer.tag() + 1);
    if (timer.tag() >= idle_seconds_before_pause) timer.set_enabled(false);
}

void spectator_timer_tick(Timer& timer) {
    if (quit_requested() || state.restart || state.busy || state.level_up_pending) {
        timer.set_enabled(false);
        return;
    }
    ++state.spectator_ticks;
    if ((!state.died || state.spectator_ticks < spectator_death_ticks) &&
        (!state.won || state.spectator_ticks < spectator_victory_ticks)) {
        timer.set_tag(game.game_clock);
        handle_rounds();
        draw_screen();
        return;
    }
    timer.set_enabled(false);
    write_history_file(program_folder() + "Obituary/Last character.txt");
    if (state.won || settings.create_obituary) {
        if (state.won) take_screenshot();
        write_history_file(program_folder() + "Obituary/" + state.obituary_file);
        state.obituary_saved = 1;
    }
    count_game_end(state.won, game.seconds_played);
    save_statistics();
    if (game_character_created()) {
        trace_start(trace_spectator_timer);
        setup_game_over_dialog();
        draw_screen();
    } else {
        initialize_module();
    }
}

void update_timer_tick(Timer& timer) {
    timer.set_enabled(false);
    check_release_file();
    if (!state.update_available) fetch_release_file();
}

void form_close() {
    enable_timer("spectator_timer", false);
    enable_timer("effects_timer", false);
    shutdown(false);
    if (state.update_chosen) write_update_script();
}

void close_game_window() {
    form_close();
    end_event_loop();
}

void setup_window() {
    if (!game_window.is_open()) {
        screen_box = Rect::from_size(0, 0, screen_bitmap.width(), screen_bitmap.height());
        state.relayout = 0;
        return;
    }
    if (settings.fullscreen) {
        game_window.make_borderless_fullscreen();
        const Rect m = monitor_bounds(game_window.display_index());
        screen_box = Rect::from_size((m.width() - screen_bitmap.width()) / 2,
                                     (m.height() - screen_bitmap.height()) / 2, screen_bitmap.width(),
                                     screen_bitmap.height());
    } else {
        game_window.make_windowed_centred(screen_bitmap.width() + 4, screen_bitmap.height() + 4);
        screen_box = Rect::from_size(2, 2, screen_bitmap.width(), screen_bitmap.height());
    }
    state.relayout = 0;
}

int run_game(int argc, char** argv) {
    if (is_message_box_request(argc, argv)) return run_message_box_request(argc, argv);
    install_termination_handlers();
    if (!init_platform_video() || !create_game_window()) return 1;
    if (!form_create()) {
        shutdown_platform();
        return 1;
    }
    game_window.show();
    form_show();
    if (!event_loop_ended()) run_event_loop();
    if (!quit_requested() && state.initialised) {
        // The loop ended without the close handler (a quit request already shut down).
    }
    game_window.close();
    shutdown_platform();
    // A quit the player chose ends in success; one forced by a fatal error does not.
    return quit_after_fatal_error() ? 1 : 0;
}

} // namespace dravok
