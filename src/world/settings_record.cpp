#include "world/settings_record.h"

namespace dravok {

void default_settings() {
    const tsettings defaults{};
    settings.tileset_name = defaults.tileset_name;
    settings.zoom = defaults.zoom;
    settings.tile_size = defaults.tile_size;
    settings.tile_size_2 = defaults.tile_size_2;
    settings.view_width_32 = defaults.view_width_32;
    settings.view_height_32 = defaults.view_height_32;
    settings.view_width_64 = defaults.view_width_64;
    settings.view_height_64 = defaults.view_height_64;
    settings.game_font = defaults.game_font;
    settings.title_font = defaults.title_font;
    settings.game_font_height = defaults.game_font_height;
    settings.fullscreen = 0;
    settings.push_scroll = 0;
    settings.offscreen_warning = 1;
    settings.auto_map_points = 1;
    settings.auto_quickslots = 1;
    settings.auto_use_key = 1;
    const bool big_tiles = settings.tile_size == 64;
    settings.view_width = big_tiles ? settings.view_width_64 : settings.view_width_32;
    settings.view_height = big_tiles ? settings.view_height_64 : settings.view_height_32;
}

void default_log_layout() {
    settings.log_line_height = 0;
    settings.log_margin = 0;
    settings.log_lines = 7;
    settings.log_top_line = 0;
    settings.log_blank_lines = 0;
    settings.scrollbar_width = 0;
    settings.scrollbar = 0;
    settings.newest_first = 1;
    settings.fading = 1;
    settings.separator_time = 0;
    settings.fade_line.clear();
    settings.log_scroll = 0;
    settings.minimap_place = 1;
    settings.side_panel_place = 2;
}

} // namespace dravok
