// The settings record: the player's preferences (stored in "Settings.txt" by the settings file
// unit) and the screen-layout values the interface derives from them. One global `settings`,
// declared here; read by drawing, the message log and the rules.
#pragma once
#include <cstdint>
#include <string>

namespace dravok {

struct tsettings {
    std::string default_name; // offered for a new character
    std::string tileset_name = "Dravok";
    std::string game_font = "Verdana";
    std::string title_font = "Georgia";
    double zoom = 1.0;        // interface zoom, 0.8..1.5
    int32_t tile_size = 32;   // 32 or 64
    int32_t tile_size_2 = 32; // the second tile size value
    // Layout of the window beside the map.
    int32_t icon_size = 32;
    int32_t icon_text_offset = 0;
    int32_t panel_columns = 2; // panel column count
    int32_t panel_width = 0;
    int32_t minimap_place = 1; // 0 not shown, 1 left of the map, 2 right of it
    int32_t side_panel_place = 2;
    int32_t panel_font_height = 0; // status and side panel
    // The map view in cells.
    int32_t view_width = 23; // in use: the pair stored for the current tile size
    int32_t view_height = 17;
    int32_t view_width_32 = 23;
    int32_t view_height_32 = 17;
    int32_t view_width_64 = 11;
    int32_t view_height_64 = 9;
    int32_t max_view_width_32 = 0; // from the screen size
    int32_t max_view_height_32 = 0;
    int32_t max_view_width_64 = 0;
    int32_t max_view_height_64 = 0;
    int32_t view_left = 0; // the part of the map shown, inclusive
    int32_t view_top = 0;
    int32_t view_right = 0;
    int32_t view_bottom = 0;
    int32_t view_centre_x = 0; // push scrolling
    int32_t view_centre_y = 0;
    int32_t minimap_height = 0;
    int32_t minimap_x = 0; // the map cell at the minimap's top-left, less one
    int32_t minimap_y = 0;
    // Font heights and screen rows.
    int32_t floating_font_height = 0;
    int32_t second_font_height = 0;
    int32_t map_mark_font_height = 0;
    int32_t sleep_mark_font_height = 0;
    int32_t name_font_height = 0;
    int32_t title_height = 0;
    int32_t menu_rows = 0;
    int32_t menu_rows_shown = 0;
    int32_t dialog_width = 0;
    int32_t bubble_font_height = 0;
    int32_t book_width = 0;
    int32_t book_row_height = 0;
    int32_t book_height = 0;
    int32_t book_lines = 0;
    // Switches.
    uint8_t check_updates = 0;
    uint8_t fullscreen = 0;
    uint8_t unused_flag = 0;
    uint8_t push_scroll = 0;
    uint8_t offscreen_warning = 1;
    uint8_t auto_map_points = 1;
    uint8_t auto_quickslots = 1;
    uint8_t auto_use_key = 1;
    int32_t game_font_height = 13;
    // The message log's layout; the first shown line, blank-line counter and separator time
    // live only in memory.
    int32_t log_line_height = 0;
    int32_t log_margin = 0;
    int32_t log_lines = 7;       // visible log lines
    int32_t log_top_line = 0;    // the first shown line
    int32_t log_blank_lines = 0; // blank lines added since the last message
    int32_t scrollbar_width = 0;
    uint8_t scrollbar = 0;
    uint8_t newest_first = 1;
    uint8_t fading = 1;              // old log lines fade
    uint32_t separator_time = 0;     // a separator is added when the player acts at or after it
    std::string fade_line;           // the first shown line when the player last gave a command
    int32_t log_scroll = 0;          // lines from the newest
    uint8_t side_panel_switch = 0;   // the side-panel switch request
    uint32_t side_panel_content = 0; // 0 quickslots, 1 items on the ground
    // The menu and row to go back to from the settings and key-binding menus.
    int32_t return_menu = 0;
    int32_t return_row = 0;
    int32_t coin_plan = 0; // the item plan "it_coin"
    int32_t coin_icon = 0;
    uint8_t create_obituary = 0;
};

// The preferences' defaults and the view in use from the pair of the tile size; leaves
// check_updates, create_obituary and the default name alone.
void default_settings();

// The message log's layout at start-up: 7 lines, newest first, fading on, the minimap left and
// the side panel right, every other log value 0.
void default_log_layout();

// The one settings record of the program.
extern tsettings settings;

} // namespace dravok
