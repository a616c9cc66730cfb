#include "ui/ui_services.h"

#include "platform/timers.h"
#include "rules/game_services.h"
#include "ui/animations.h"
#include "ui/book_screens.h"
#include "ui/dialogs.h"
#include "ui/draw.h"
#include "ui/end_of_game_view.h"
#include "ui/game_timers.h"
#include "ui/game_window.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/lister.h"
#include "ui/lister_model.h"
#include "ui/menus.h"
#include "ui/minimap.h"
#include "ui/offscreen_beings.h"
#include "ui/release_check.h"
#include "world/indicators.h"
#include "world/presentation.h"
#include "world/world_hooks.h"

namespace dravok {

void install_presentation() {
    presentation.redraw = draw_screen;
    presentation.wrap_book_text = wrap_book_text;
    presentation.screen_picture = [] { return static_cast<const Bitmap*>(&screen_bitmap); };
    presentation.close_window = close_game_window;
    presentation.clear_end_of_game_panels = clear_end_of_game_panels;
    presentation.spectator_timer = [] { return &spectator_timer(); };
    presentation.setup_ground_trap_dialog = setup_ground_trap_dialog;
    presentation.setup_activate_golem_dialog = setup_activate_golem_dialog;
    presentation.setup_property_confirmation_dialog = setup_property_confirmation_dialog;
    presentation.setup_locked_furniture_dialog = setup_locked_furniture_dialog;
    presentation.setup_furniture_trap_dialog = setup_furniture_trap_dialog;
    presentation.setup_switch_dialog = setup_switch_dialog;
    presentation.setup_use_portal = setup_use_portal;
    presentation.draw_level_minimap = draw_level_minimap;
    presentation.minimap_cell_explored = draw_minimap_cell;
    presentation.minimap_cell_changed = draw_minimap_cell;
    presentation.add_line = add_line;
    presentation.choose_bubble_slot = choose_bubble_slot;
    presentation.add_speech_bubble = [](int being, int listener, int trigger, const std::string& text) {
        add_speech_bubble(being, listener, trigger, text);
    };
    presentation.setup_menu = setup_menu;
    presentation.setup_bump_friendly_dialog = setup_bump_friendly_dialog;
    presentation.open_loot_screen = [](int being, int x, int y, int) {
        reset_lister();
        lister.ground_x = x;
        lister.ground_y = y;
        initialize_inventory(being, 0, list_backpack, list_ground, 2, false);
    };
    presentation.command_key_text = [](int command) { return binding_text(0, 0, command, true, false, 0); };
}

void install_ui_services() {
    install_game_services();
    install_presentation();
    world_hooks.init_interface_templates = init_interface_templates;
    world_hooks.delete_update_files = delete_update_files;
    world_hooks.clear_indicators = clear_all_indicators;
    world_hooks.reset_offscreen_beings = reset_offscreen_beings;
    world_hooks.free_interface_records = free_interface_records;
    world_hooks.free_graphics = free_graphics;
    world_hooks.end_application = end_application;
}

} // namespace dravok
