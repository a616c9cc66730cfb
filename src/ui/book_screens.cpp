// The book screen: the text of the book being read in a framed box with its own scroll bar;
// see book_screens.h.
#include "ui/book_screens.h"

#include <string_view>

#include "rules/books.h"
#include "rules/item_use.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/marked_text.h"
#include "ui/text_boxes.h"
#include "world/message_log.h"
#include "world/settings_record.h"

namespace dravok {

namespace {
constexpr Colour book_frame = 0x999999, book_title_bar = 0x002E3F;
constexpr std::string_view line_end = "\r\n";

// The text after its first n lines.
std::string_view drop_lines(std::string_view text, int n) {
    for (; n > 0 && !text.empty(); --n) {
        const std::size_t end = text.find(line_end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + line_end.size());
    }
    return text;
}
} // namespace

std::string wrap_book_text(const std::string& text) {
    Bitmap& canvas = side_panel;
    const FontSpec panel_font = canvas.font();
    FontSpec font = panel_font;
    font.height = screen_layout.book_font_height;
    canvas.set_font(font);
    const int width = settings.book_width - 2 * settings.log_margin - settings.scrollbar_width;
    std::string out;
    wrap_log_text(canvas, text, width, out, false);
    canvas.set_font(panel_font);
    return out;
}

void draw_book() {
    Bitmap& screen = screen_bitmap;
    const int I = settings.icon_size, S = settings.log_margin;
    const FontSpec panel_font = side_panel.font();
    screen.clear(colours::black);
    FontSpec font = panel_font;
    font.height = screen_layout.book_font_height;
    screen.set_font(font);
    screen.set_brush_clear();
    const int left = (screen.width() - settings.book_width) / 2;
    const int top = (screen.height() - settings.book_height) / 2;
    std::string_view text = drop_lines(book_text, book_top_line - 1);
    book_at_end = 0;
    const int x = left + S;
    int y = top + I + S, drawn = 0;
    while (!text.empty() && book_top_line + drawn <= book_line_count && drawn < settings.book_lines) {
        const std::size_t end = text.find(line_end);
        draw_marked_line(screen, text.substr(0, end), x, false, y);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + line_end.size());
        if (book_top_line + drawn == book_line_count) book_at_end = 1;
        ++drawn;
        y += settings.book_row_height;
    }
    if (book_line_count > settings.book_lines)
        draw_scrollbar(screen, book_top_line, book_top_line + drawn - 1, screen.height() - top - 1, top + I,
                       screen.width() - left - 1, book_line_count);
    draw_panel_frame(screen, book_name, left, box_align::centre, 0, colours::white, book_frame,
                     book_title_bar, settings.book_height, settings.book_width, top);
    screen.set_font(panel_font);
}

} // namespace dravok
