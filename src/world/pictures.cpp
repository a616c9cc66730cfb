#include "world/pictures.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/bitmap.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/image_files.h"

#include "world/globals.h"
#include "world/message_log.h"
#include "world/presentation.h"

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
    const Bitmap* screen = presentation.screen_picture();
    if (screen == nullptr || screen->width() == 0) return;
    write_picture(*screen, "Screenshot saved to \"%s\".");
}

// not built yet: the image of the map; the map colours of blocks and furniture are missing
void save_map_image() {}

} // namespace dravok
