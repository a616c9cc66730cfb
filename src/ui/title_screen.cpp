// The title screens; see title_screen.h.
#include "ui/title_screen.h"

#include <cstdio>
#include <span>

#include "platform/bitmap.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "world/error_log.h"
#include "world/random.h"
#include "world/settings_record.h"

namespace dravok {

std::array<Bitmap, max_title_pictures + 1> title_pictures;
int title_picture_count = 0;
std::array<uint8_t, max_title_pictures + 1> title_picture_bag{};
int current_title_picture = 0;

namespace {
constexpr Colour picture_frame = 0x444444;
}

void load_title_pictures() {
    title_picture_count = 0;
    for (int k = 1; k <= max_title_pictures; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "Dravok.p%02d", k);
        const std::string path = program_folder() + "Data/" + name;
        if (!file_exists(path)) break;
        // A picture that is there but cannot be used ends the list as a missing one does.
        if (!read_png(path, title_pictures[k])) {
            error_log(trace_start(trace_load_title_pictures),
                      "Title picture \"" + path + "\" is damaged or too large and is not shown.", false);
            break;
        }
        title_picture_count = k;
    }
}

int pick_title_picture() {
    if (title_picture_count <= 0) return 0;
    const std::span<const uint8_t> bag(title_picture_bag.data() + 1, max_title_pictures);
    int picture = random_set_index(bag);
    if (picture == 0) {
        title_picture_bag.fill(0);
        for (int k = 1; k <= title_picture_count; ++k)
            title_picture_bag[k] = 1;
        picture = random_set_index(bag);
    }
    title_picture_bag[picture] = 0;
    current_title_picture = picture;
    return picture;
}

void draw_framed_picture(Bitmap& target, int picture, int side) {
    target.set_size(side, side);
    target.clear(colours::black);
    if (picture >= 1 && picture <= title_picture_count)
        target.stretch_draw(Rect{1, 1, side - 1, side - 1}, title_pictures[picture]);
    target.frame_rect(target.bounds(), picture_frame);
}

void draw_title_text(const std::string& text, int size) {
    Bitmap& screen = screen_bitmap;
    const FontSpec old = screen.font();
    FontSpec f;
    f.family = settings.title_font.empty() ? "Georgia" : settings.title_font;
    f.height = scaled(size);
    f.colour = colours::white;
    screen.set_font(f);
    screen.clear(colours::black);
    const Size s = screen.text_extent(text);
    screen.set_brush(colours::black);
    screen.text_out((screen.width() - s.width) / 2, (screen.height() - s.height) / 2, text);
    FontSpec restored = old;
    restored.bold = false;
    screen.set_font(restored);
}

} // namespace dravok
