#include "world/pictures.h"
#include "records/layout_game.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/bitmap.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/geometry.h"
#include "platform/image_files.h"
#include "records/layout_base.h"
#include "records/layout_map.h"
#include "records/layout_parts.h"

#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/map_colours.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/services.h"

namespace dravok {

void record_key_history(int key, int modifier, int command) {
    for (int n = key_history_count; n > 1; --n)
        game.key_history_of(n) = game.key_history_of(n - 1);
    game.key_history_of(1) = {uint8_t(key),
                              uint8_t(modifier),
                              uint8_t(command & 0xFF),
                              uint8_t(game_mode),
                              0,
                              uint8_t(game.current_level)};
}

namespace {

constexpr int map_image_side = 1152;

// "Screenshot/" and the local date and time: the name of a new picture file.
std::string picture_path() {
    return program_folder() + "Screenshot/" + format_file_stamp(local_now()) + ".png";
}

void write_picture(const Bitmap& picture, const char* done) {
    const std::string path = picture_path();
    create_folder(program_folder() + "Screenshot");
    const bool written = write_png(path, picture);
    char text[1024];
    std::snprintf(text, sizeof text, written ? done : "Could not write file \"%s\"!", path.c_str());
    add_message(text);
}

} // namespace

void take_screenshot() {
    const Bitmap* screen = services.screen_picture();
    if (screen == nullptr || screen->width() == 0) return;
    write_picture(*screen, "Screenshot saved to \"%s\".");
}

void save_map_image() {
    const int n = map_size;
    if (n < 1 || n > max_map_size) return;
    // One pixel per explored cell of an area, then stretched and ruled into a grid.
    Bitmap cells(n, n);
    for (int x = 1; x <= n; ++x)
        for (int y = 1; y <= n; ++y) {
            const tcell& c = map_cells(x, y);
            if (c.area == 0 || c.explored == 0) continue;
            Colour colour = furniture_map_colour(c.furniture);
            if (colour == 0) colour = block_map_colour(c.block);
            if (colour != 0) cells.set_pixel(x - 1, y - 1, colour);
        }
    Bitmap picture(map_image_side, map_image_side);
    picture.stretch_draw(Rect{0, 0, map_image_side, map_image_side}, cells);
    picture.set_pen(colours::black);
    const int step = map_image_side / n;
    for (int k = 1; k <= n + 1; ++k) {
        picture.line(k * step, 0, k * step, map_image_side - 1);
        picture.line(0, k * step, map_image_side - 1, k * step);
    }
    write_picture(picture, "Map saved to \"%s\".");
}

} // namespace dravok
