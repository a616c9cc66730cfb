// Dialog drawing: the open dialog in the log panel's place and its partner in the side panel.
// Called by the frame drawing of the dialog mode.
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "ui/dialogs.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/panels.h"
#include "ui/text_boxes.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/text_database.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int heading_box = 32; // the heading's sprite frame, not scaled
constexpr int description_name_limit = 52;
constexpr Colour frame_grey = 0x444444, selected_fill = 0x002E3F, selected_frame = 0x999999;

// A sprite in a grey frame with a caption beside it.
void sprite_row(Bitmap& b, int x, int y, int side, int sprite, const std::string& caption) {
    const Rect box = Rect::from_size(x, y, side, side);
    b.frame_rect(box, frame_grey);
    if (sprite >= 1) object_sprites.draw_stretched(b, Rect{x + 1, y + 1, x + side - 1, y + side - 1}, sprite);
    b.set_font_colour(colours::white);
    Point out;
    draw_text_in_box(b, strip_colour_codes(caption), x + side, out, false, BrushStyle::clear, box_align::left,
                     screen_layout.panel_margin, y + side, b.width(), y);
}

void button(Bitmap& b, const std::string& text, int left, int right, int top, int bottom, bool selected) {
    draw_framed_text_box(b, text, left, box_align::centre, 0, colours::white,
                         selected ? selected_frame : frame_grey, selected ? selected_fill : colours::black,
                         bottom, right, top);
}

// The partner last described and its text, kept while the same being is talked to so redraws do
// not pick another text. The serial tells a new being in a reused slot from the last one; a new
// game forgets them, since the pick draws random numbers.
int partner_described = 0;
int32_t partner_serial = 0;
std::string partner_text;

std::string partner_description(int partner) {
    const tbeing& p = beings[partner];
    if (partner_described == partner && partner != 0 && partner_serial == p.serial) return partner_text;
    partner_described = partner;
    partner_serial = p.serial;
    if (has_type_flag(p, tf_former_player) || has_type_flag(p, tf_former_companion)) {
        partner_text =
            "There's something eerily familiar in this %source_race%-like creature. %SOURCE_HE% clearly "
            "is much "
            "more than a mere mortal %source_race% but you still feel that you know %source_him% somehow.";
    } else {
        partner_text = section_text(p.identifier.str().substr(0, description_name_limit) + "_description");
    }
    return partner_text;
}

} // namespace

void forget_partner_description() {
    partner_described = 0;
    partner_serial = 0;
    partner_text.clear();
}

void draw_dialog() {
    Bitmap& b = log_panel;
    clear_bitmap(b);
    if (dialog.button_count == 0) return;
    const int M = screen_layout.panel_margin, gap = screen_layout.text_line_gap;
    const int W = b.width(), H = b.height();
    const bool has_lines = dialog.lines_total > 0;
    const int shown = std::clamp(dialog.lines_shown, 1, dialog_max_lines);
    const bool partner = dialog.partner >= 1 && dialog.partner < int(beings.size());
    if (has_lines) {
        std::string expanded;
        expand_text(dialog.lines[shown], dialog.partner, player, expanded);
        dialog.lines[shown] = expanded;
    }
    const int sprite = partner                           ? beings[dialog.partner].image
                       : dialog.kind != dialog_game_over ? dialog.picture
                                                         : 0;
    if (partner || dialog.kind != dialog_game_over) sprite_row(b, M, M, heading_box, sprite, dialog.title);

    const int bh = scaled(20);
    const int top = H - M - bh;
    const bool last_shown = dialog.lines_shown >= dialog.lines_total;
    if (last_shown) {
        const int n = dialog.button_count;
        const int bw = (W - 2 * M - (n - 1) * M) / n;
        for (int i = 1; i <= n; ++i) {
            const int left = M + (i - 1) * (bw + M);
            button(b, dialog_buttons[i].text, left, left + bw, top, top + bh, i == dialog.selected);
        }
    } else {
        button(b, "More", M, W - M, top, top + bh, true);
    }

    b.set_font_colour(0xEEEEEE);
    if (has_lines) {
        const std::string& line = dialog.lines[shown];
        draw_wrapped_text(b, "$D" + line, M, false, gap, W - 2 * M, 2 * M + heading_box);
        if (partner && line != "..." && !dialog_lines_logged[shown]) {
            add_speech_message(dialog.partner, player, 0, line, "");
            dialog_lines_logged[shown] = 1;
        }
    }
    if (!dialog.question.empty() && (!has_lines || last_shown))
        draw_wrapped_text(b, "$B" + dialog.question, M, false, gap, W - 2 * M, H - M - bh - M - gap);
}

void draw_dialog_partner(Bitmap& panel) {
    clear_bitmap(panel);
    if (dialog.partner < 1 || dialog.partner >= int(beings.size())) return;
    const int M = screen_layout.panel_margin, tile = settings.tile_size;
    const tbeing& p = beings[dialog.partner];
    std::string name;
    being_name(dialog.partner, name_capitalised, "", name);
    sprite_row(panel, M, M, tile, p.image, "$w" + name);
    const std::string text = partner_description(dialog.partner);
    if (text.empty()) return;
    std::string expanded;
    expand_text(text, dialog.partner, 0, expanded);
    panel.set_font_colour(0xEEEEEE);
    draw_wrapped_text(panel, "$B" + expanded, M, false, screen_layout.text_line_gap, panel.width() - 2 * M,
                      M + tile + M);
}

} // namespace dravok
