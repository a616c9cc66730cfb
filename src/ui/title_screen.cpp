#include "ui/title_screen.h"

#include "platform/bitmap.h"
#include <cstdio>

#include "platform/files.h"
#include "platform/image_files.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "world/globals.h"

namespace dravok {

std::array<Bitmap, 11> title_pictures;
int title_picture_count = 0;

void load_title_pictures() {
    title_picture_count = 0;
    for (int k = 1; k <= 10; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "Dravok.p%02d", k);
        if (!read_png(program_folder() + "Data/" + name, title_pictures[k])) break;
        title_picture_count = k;
    }
}

int pick_title_picture() {
    // not built yet: a random pick among the pictures and their frame
    return title_picture_count > 0 ? 1 : 0;
}

void draw_framed_picture(Bitmap& target, int picture, int side) {
    target.set_size(side, side);
    target.stretch_draw(Rect{0, 0, side, side}, title_pictures[picture]);
}

std::string spaced_title(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (!out.empty()) out += ' ';
        out += c;
    }
    return out;
}

void draw_title_text(const std::string& text, int size) {
    screen_bitmap.clear(colours::black);
    FontSpec f;
    f.family = settings.title_font;
    f.height = scaled(size);
    f.colour = 0xC8A040;
    screen_bitmap.set_font(f);
    screen_bitmap.set_brush_clear();
    const Size s = screen_bitmap.text_extent(text);
    screen_bitmap.text_out((screen_bitmap.width() - s.width) / 2, (screen_bitmap.height() - s.height) / 2,
                           text);
}

} // namespace dravok
