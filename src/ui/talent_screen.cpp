#include "ui/talent_screen.h"
#include "records/layout_plans.h"

#include <string>

#include "rules/talents.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/lister.h"
#include "ui/lister_drawing.h"
#include "ui/lister_model.h"
#include "ui/text_boxes.h"
#include "world/settings_record.h"
#include "world/tables.h"

namespace dravok {

namespace {
constexpr Colour frame_grey = 0x444444;
} // namespace

void draw_talent_info(Bitmap& b, int y) {
    const int pane = lister.current;
    const int row = lister_cursor_row(pane);
    if (row == 0) return;
    const tlister_item& item = lister.panes[pane].rows[row];
    const int t = item.item;
    if (t < 1 || t >= int(talents.size())) return;
    const int margin = screen_layout.panel_margin, icon = settings.icon_size;
    b.set_font(side_panel.font());
    b.set_font_colour(colours::white);
    b.set_brush_clear(); // the text goes on the panel's black, whatever brush was left
    const Rect box = Rect::from_size(margin, y, 2 * icon, 2 * icon);
    b.frame_rect(box, frame_grey);
    if (item.image >= 1) icon_sprites.draw_stretched(b, box, item.image);
    Point out;
    draw_text_in_box(b, "  " + talents[t].name.str(), margin + 2 * icon, out, false, BrushStyle::clear,
                     box_align::left, 0, y + 2 * icon, b.width() - margin, y);
    y += 2 * icon + screen_layout.text_line_gap;
    std::string text;
    talent_info_to_text(lister.panes[pane].owner, t, text);
    if (!text.empty())
        draw_wrapped_text(b, "$B" + text, margin, false, b.text_height("Aj"), b.width() - 2 * margin, y);
}

void draw_talent_screen() {
    Bitmap& list = list_pane_bitmaps[0];
    Bitmap& info = list_pane_bitmaps[1];
    const int gap = settings.icon_size;
    const int left = (screen_bitmap.width() - (2 * list.width() + gap)) / 2;
    const int top = (screen_bitmap.height() - list.height()) / 2;
    draw_lister(list, 1);
    info.clear(colours::black);
    draw_talent_info(info, settings.icon_size + screen_layout.panel_margin);
    draw_panel_frame(info, "", 0, box_align::left, 0, colours::white, frame_grey, 0,
                     info.height() - settings.icon_size - 1, info.width() - 1, settings.icon_size);
    screen_bitmap.clear(colours::black);
    screen_bitmap.draw(left, top, list);
    screen_bitmap.draw(left + list.width() + gap, top, info);
}

} // namespace dravok
