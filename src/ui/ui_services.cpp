#include "ui/ui_services.h"

#include "platform/timers.h"
#include "ui/animations.h"
#include "ui/book_screens.h"
#include "ui/dialogs.h"
#include "ui/draw.h"
#include "ui/end_of_game_view.h"
#include "ui/game_services.h"
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
#include "world/services.h"

namespace dravok {

void install_presentation() {
    services.redraw = draw_screen;
    services.wrap_book_text = wrap_book_text;
    services.screen_picture = [] { return static_cast<const Bitmap*>(&screen_bitmap); };
    services.close_window = close_game_window;
    services.clear_end_of_game_panels = clear_end_of_game_panels;
    services.spectator_timer = [] { return &spectator_timer(); };
    services.setup_ground_trap_dialog = setup_ground_trap_dialog;
    services.setup_activate_golem_dialog = setup_activate_golem_dialog;
    services.setup_property_confirmation_dialog = setup_property_confirmation_dialog;
    services.setup_locked_furniture_dialog = setup_locked_furniture_dialog;
    services.setup_furniture_trap_dialog = setup_furniture_trap_dialog;
    services.setup_switch_dialog = setup_switch_dialog;
    services.setup_use_portal = setup_use_portal;
    services.draw_level_minimap = draw_level_minimap;
    services.minimap_cell_explored = draw_minimap_cell;
    services.minimap_cell_changed = draw_minimap_cell;
    services.add_line = add_line;
    services.choose_bubble_slot = choose_bubble_slot;
    services.add_speech_bubble = [](int being, int listener, int trigger, const std::string& text) {
        add_speech_bubble(being, listener, trigger, text);
    };
    services.setup_menu = setup_menu;
    services.setup_bump_friendly_dialog = setup_bump_friendly_dialog;
    services.open_loot_screen = [](int being, int x, int y, int) {
        reset_lister();
        lister.ground_x = x;
        lister.ground_y = y;
        initialize_inventory(being, 0, list_backpack, list_ground, 2, false);
    };
    services.command_key_text = [](int command) { return binding_text(0, 0, command, true, false, 0); };
}

void install_ui_services() {
    install_game_services();
    install_presentation();
    services.init_interface_templates = init_interface_templates;
    services.delete_update_files = delete_update_files;
    services.clear_indicators = clear_all_indicators;
    services.reset_offscreen_beings = reset_offscreen_beings;
    services.free_interface_records = free_interface_records;
    services.free_graphics = free_graphics;
    services.end_application = end_application;
}

} // namespace dravok
