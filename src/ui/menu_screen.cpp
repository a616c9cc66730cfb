// The menu screen; see menu_screen.h.
#include "ui/menu_screen.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "rules/character_creation.h"
#include "rules/level_up.h"
#include "ui/creation_summaries.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/layout.h"
#include "ui/menus.h"
#include "ui/release_check.h"
#include "ui/text_boxes.h"
#include "ui/title_screen.h"
#include "world/being.h"
#include "world/history_file.h"
#include "world/menu_model.h"
#include "world/settings_record.h"
#include "world/sprite_lookup.h"
#include "world/state.h"
#include "world/statistics.h"
#include "world/tables.h"
#include "world/text_database.h"
#include "world/text_utilities.h"

namespace dravok {

Bitmap menu_layer, menu_info_panel;

namespace {

constexpr int interface_icons = 11;
constexpr int info_action = 33, mind_row = 3;
constexpr int arrow_up_icon = 43, arrow_down_icon = 44, arrow_both_icon = 45;
constexpr int binding_column_width = 220;
constexpr int footer_points = 8;
constexpr Colour row_colour = 0xEEEEEE, disabled_colour = 0x555555, inactive_colour = 0xFF3030,
                 changed_colour = 0x44FF44, waiting_colour = 0x9999FF, frame_grey = 0x444444,
                 menu_frame_colour = 0x999999, separator_colour = 0x2A2A2A, value_box = 0x151515,
                 number_fill = 0x101010, footer_colour = 0x777777;

// The sizes every part of the screen is measured in.
struct metrics {
    int I, S, H, L, B;
};

metrics current_metrics() {
    return metrics{settings.icon_size, settings.log_margin, settings.title_height, settings.log_line_height,
                   side_panel.font().height};
}

std::string capitals(std::string text) {
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

FontSpec title_font() {
    FontSpec f;
    f.family = settings.title_font.empty() ? "Georgia" : settings.title_font;
    f.height = scaled(80);
    f.colour = colours::white;
    return f;
}

void centred(Bitmap& b, const std::string& text, int left, int top, int right, int bottom) {
    Point out;
    draw_text_in_box(b, text, left, out, false, BrushStyle::clear, box_align::centre, 0, bottom, right, top);
}

// A number in a filled box, centred.
void number_box(Bitmap& b, int left, int width, int y, int I, Colour fill, const std::string& text,
                Colour colour, int height) {
    b.fill_rect(Rect{left, y + scaled(1), left + width, y + I - scaled(1)}, fill);
    const FontSpec old = b.font();
    b.set_font_colour(colour);
    if (height > 0) b.set_font_height(height);
    centred(b, text, left, y, left + width, y + I);
    b.set_font(old);
}

int arrow_icon(value_arrows arrows) {
    switch (arrows) {
    case value_arrows::up:
        return arrow_up_icon;
    case value_arrows::down:
        return arrow_down_icon;
    case value_arrows::both:
        return arrow_both_icon;
    default:
        return 0;
    }
}

// One row of the menu bitmap at y.
void draw_row(int r, int y, const metrics& m, int R, int V, int mw, int origin_x, int origin_y) {
    tmenu_item& item = menu_items[r];
    Bitmap& b = menu_layer;
    const int I = m.I, S = m.S;
    int x = 2 * S;
    const Colour colour = item.disabled ? disabled_colour : item.inactive ? inactive_colour : row_colour;
    b.set_font_colour(colour);
    if (item.separator) b.fill_rect(Rect{x - S, y + I / 2, S + R + 1, y + I / 2 + 1}, separator_colour);
    if (item.icon >= 1) icon_sprites.draw(b, x, y, item.icon);
    if (item.sprite >= 1) object_sprites.draw_stretched(b, Rect::from_size(x, y, I, I), item.sprite);
    if (item.icon >= 1 || item.sprite >= 1 || menu.icon_column) x += I + 2 * S;
    const box_align align = box_align(std::clamp(item.alignment, -1, 1));
    Point out;
    if (!item.heading.empty()) {
        const std::string text = item.separator ? "   " + item.heading + "   " : item.heading;
        b.set_brush(colours::black);
        draw_text_in_box(b, text, 2 * S, out, false, BrushStyle::solid, align, I + 2 * S, y + I, R, y);
    } else if (!item.text.empty()) {
        draw_text_in_box(b, item.text, x, out, false, BrushStyle::clear, align, 0, y + I, R, y);
        item.text_x = out.x + origin_x;
        item.text_y = out.y + origin_y;
    }
    const bool highlighted = r == menu.top + menu.cursor - 1;
    const int col_w = scaled(binding_column_width);
    if (item.binding_columns > 0) {
        const int start = mw - V - col_w * menu.binding_columns;
        for (int c = 1; c <= item.binding_columns && c <= 2; ++c) {
            const int left = start + (c - 1) * col_w;
            const bool waiting = item.waiting_column == c;
            const std::string& text = waiting ? "(enter keybinding)" : item.binding_texts[c - 1];
            b.set_font_colour(waiting                  ? waiting_colour
                              : text == "(unassigned)" ? disabled_colour
                                                       : row_colour);
            draw_text_in_box(b, text, left, out, false, BrushStyle::clear, box_align::left, 0, y + I,
                             left + col_w, y);
            if (highlighted && menu.binding_column == c)
                b.frame_rect(Rect{left - S, y - scaled(5), left + col_w - S, y + I + scaled(5)},
                             colours::white);
        }
        b.set_font_colour(colour);
    }
    const int w1 = scaled(I + 4), w2 = scaled(I);
    const int p0 = R - 2 * w1 - 2 * w2 - 3 * scaled(S);
    const int pA = p0 + scaled(std::trunc(1.4 * S) + I);
    const int pB = pA + scaled(I + S);
    const int pC = pB + scaled(std::trunc(1.4 * S) + I);
    const int big = int(std::trunc(1.4 * m.B));
    if (item.value != no_value && !item.value_hidden) {
        const bool abilities = menu.id == menu_abilities;
        const Colour value_colour = abilities                          ? row_colour
                                    : item.value != item.default_value ? changed_colour
                                                                       : colour;
        const int left = abilities ? p0 : R - scaled(std::trunc(1.4 * S) + I);
        const int right = abilities ? p0 + w1 : R;
        number_box(b, left, right - left, y, I, value_box, std::to_string(item.value), value_colour, big);
        if (highlighted && !(abilities && edited_character.abilities_rolled)) {
            const int icon = arrow_icon(menu_value_arrows(r));
            if (icon > 0)
                icon_sprites.draw(b, left - I - S, y, sprite_info(interface_icons, icon).first_image);
        }
    } else if (item.toggle) {
        draw_checkbox(b, R, y, item.disabled, item.inactive, item.state, 1);
    }
    if (item.creation_a != no_value) {
        const int a = item.creation_a;
        const Colour c = a < 0 ? 0xFF5555 : a == 0 ? disabled_colour : 0x33FF33;
        number_box(b, pA, w2, y, I, number_fill, a == 0 ? "-" : std::to_string(a), c, 0);
    }
    if (item.creation_b != no_value)
        number_box(b, pB, w1, y, I, value_box, std::to_string(item.creation_b), row_colour, big);
    if (item.creation_c != no_value) {
        const int c = item.creation_c;
        number_box(b, pC, w2, y, I, number_fill, std::to_string(c), c < 0 ? 0xFF5555 : 0x33FF33, 0);
    }
    if (highlighted && item.binding_columns == 0)
        b.frame_rect(Rect{S, y - scaled(5), mw - V - S, y + I + scaled(5)}, colours::white);
}

// The levels at which the edited character's Mind gives talent points.
std::string talent_levels() {
    constexpr int mind = 3, levels = 30;
    std::string text;
    list_talent_point_levels(ability_modifier(edited_character.ability[mind - 1]), levels, text);
    return text;
}

void draw_description(int r, const metrics& m) {
    Bitmap& p = menu_info_panel;
    const tmenu_item& item = menu_items[r];
    if (item.creation_tables) {
        draw_creation_tables(p, r);
        return;
    }
    if (item.level_up_tables) {
        draw_level_up_tables(p);
        return;
    }
    const int I = m.I, S = m.S, L = m.L;
    p.set_font_colour(row_colour);
    // The description is written on the panel's black, whatever brush the last drawing left.
    p.set_brush_clear();
    int x = 2 * S, y = 2 * S;
    const int width = p.width() - 4 * S;
    if (!item.no_description_header) {
        const Rect box = Rect::from_size(x, y, 2 * I, 2 * I);
        p.frame_rect(box, frame_grey);
        if (item.icon >= 1)
            icon_sprites.draw_stretched(p, box, item.icon);
        else if (item.sprite >= 1)
            object_sprites.draw_stretched(p, box, item.sprite);
        Point out;
        draw_text_in_box(p, "  " + capitals(item.text), x + 2 * I, out, false, BrushStyle::clear,
                         box_align::left, 0, y + 2 * I, p.width() - S, y);
        y += 2 * (I + S);
    }
    if (!item.text_key.empty()) {
        const std::string name = item.text_key + "_info";
        std::string info;
        if (const int section = find_text_section(name); section > 0) get_section_block(section, name, info);
        if (!info.empty()) y = draw_wrapped_text(p, "$B" + info, x, false, L, width, y);
    }
    const bool info_row = item.action == info_action;
    const bool levelling_up = edited_character.created == 0;
    const std::string sheet_key = binding_text(0, 0, CHARACTER_SHEET, true, false, 0) + " Character sheet";
    const std::string mind_text = "$BWith your current Mind-score, you get talents at levels:\n";
    if (menu.id == menu_abilities && r == mind_row) {
        y = draw_wrapped_text(p, mind_text + talent_levels(), x, false, L, width, y);
    } else if (menu.id == menu_skills && info_row && levelling_up) {
        y = draw_wrapped_text(p, sheet_key, x, false, L, width, y);
    } else if (menu.id == menu_talents && info_row) {
        y = draw_wrapped_text(p, mind_text + talent_levels(), x, false, L, width, y);
        if (levelling_up) y = draw_wrapped_text(p, sheet_key, x, false, L, width, y + L);
        y = draw_wrapped_text(p,
                              edited_character.hide_unavailable
                                  ? "$BUncheck checkbox to show unavailable talents."
                                  : "$BCheck checkbox to hide unavailable talents.",
                              x, false, L, width, y + L);
    }
    if (!item.description.empty())
        draw_wrapped_text(p, "$B" + item.description + "\n", x, false, L, width, y);
}

// The menu's width: the binding columns, or the usual width widened by rows longer than it (a
// save's date and a long name), never wider than the screen.
int menu_width(int I, int S, int W) {
    if (menu.binding_columns > 0) return scaled(binding_column_width) * menu.binding_columns + scaled(280);
    int mw = scaled(350);
    const int text_left = 2 * S + (menu.icon_column ? I + 2 * S : 0);
    const int V = menu.scrollable ? settings.scrollbar_width : 0;
    for (int r = 1; r <= menu.count; ++r)
        if (menu_items[r].heading.empty())
            mw = std::max(mw, text_left + side_panel.text_width(menu_items[r].text) + 4 * S + V);
    return std::min(mw, std::max(scaled(350), W - 2 * S));
}

// The line under the menu: the player's record under the main menu, the update's warning.
void draw_footer(Bitmap& screen, bool main_menu, int y, int W, int L) {
    FontSpec footer = side_panel.font();
    footer.height = FontSpec::points_to_pixels(footer_points);
    screen.set_font(footer);
    std::string footer_text;
    if (main_menu) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "RELEASE %d        PLAYED FOR %s HOURS        %d DEATHS        %d WINS", game_release,
                      hours_text(statistics.seconds_played).c_str(), int(statistics.deaths),
                      int(statistics.wins));
        footer_text = text;
        screen.set_font_colour(footer_colour);
    } else if (menu.id == menu_update && state.saves_exist) {
        footer_text = "Warning! You will lose your save games if you update!";
        screen.set_font_colour(inactive_colour);
    }
    if (!footer_text.empty()) centred(screen, footer_text, 0, y, W, y + L);
}

} // namespace

std::string ability_cost_text(int v) {
    std::string text = v < least_ability_score + 1 ? "X" : signed_number_text(ability_point_cost(v));
    text += "  |  ";
    text += v >= greatest_ability_score ? "X" : signed_number_text(-ability_point_cost(v + 1));
    return text;
}

void draw_points_box(Bitmap& bitmap, int x, int y, int value, const std::string& text,
                     const std::string& label, int width) {
    const metrics m = current_metrics();
    const FontSpec old = bitmap.font();
    bitmap.set_font(side_panel.font());
    bitmap.set_font_colour(row_colour);
    centred(bitmap, label, x, y, x + width, y + m.L);
    bitmap.set_font_height(int(std::trunc(1.4 * m.B)));
    centred(bitmap, text.empty() ? std::to_string(value) : text, x, y + m.L, x + width, y + m.L + m.I);
    bitmap.set_font(old);
}

void draw_checkbox(Bitmap& bitmap, int x, int y, bool disabled, bool inactive, bool checked, int placement) {
    constexpr int box_width = 20, inset = 6;
    const int I = settings.icon_size;
    const int left = placement == -1 ? x : x - box_width;
    const Rect box{left, y + inset, left + box_width, y + I - inset};
    const bool grey = disabled || inactive;
    bitmap.frame_rect(box, grey ? 0x333333 : 0xBBBBBB);
    if (!checked) return;
    bitmap.set_pen(grey ? 0x333333 : 0xEEEEEE, 2);
    bitmap.line(box.left + 3, box.top + 3, box.right - 4, box.bottom - 4);
    bitmap.line(box.left + 3, box.bottom - 4, box.right - 4, box.top + 3);
    bitmap.set_pen(colours::black, 1);
}

void draw_menu() {
    Bitmap& screen = screen_bitmap;
    const metrics m = current_metrics();
    const int I = m.I, S = m.S, H = m.H, L = m.L;
    screen.clear(colours::black);
    screen.set_font(title_font());

    const int W = screen.width(), SH = screen.height();
    // A long title is made smaller until it fits the screen.
    for (FontSpec f = screen.font(); screen.text_width(menu.title) > W - 2 * S && f.height > 8;) {
        f.height = f.height * 9 / 10;
        screen.set_font(f);
    }
    const int mw = menu_width(I, S, W);
    const int mh = (I + S) * menu.visible_rows + 3 * S;
    menu_layer.set_size(mw, mh);
    menu_layer.set_font(side_panel.font());
    const int pw = int(std::trunc(1.5 * mw));
    const int ph = (I + S) * (menu.description_rows > 0 ? menu.description_rows : settings.menu_rows) + 3 * S;
    menu_info_panel.set_size(pw, ph);
    menu_info_panel.set_font(side_panel.font());

    int x0 = (W - mw - (menu.description_panel ? pw + I : 0)) / 2;
    int y0 = (SH - (menu.description_panel ? std::max(ph, mh) : mh) - H - scaled(20)) / 2 - scaled(H / 9);
    const bool main_menu = menu.id == menu_main;
    if (!menu.title.empty() && !main_menu) {
        centred(screen, menu.title, 0, y0, W, y0 + H);
        y0 += H + scaled(20);
    }

    // Where the menu bitmap goes, so the rows can record where their text shows on the screen.
    int menu_x = x0, menu_y = y0, block_top = 0;
    if (main_menu) {
        const int block_w = mw + scaled(2 * I) + mh;
        const int block_h = H + scaled(20) + mh + I + 2 * L;
        menu_x = (W - block_w) / 2;
        block_top = (SH - block_h) / 2;
        menu_y = block_top + H + scaled(20);
    } else if (menu.title.empty()) {
        menu_x = (W - mw) / 2;
        menu_y = (SH - mh) / 2;
    }

    const int V = menu.scrollable ? settings.scrollbar_width : 0;
    const int R = mw - 2 * S - V;
    int drawn = 0, y = 2 * S;
    int highlighted = 0;
    for (int r = menu.top; r >= 1 && r <= menu.count && drawn < menu.visible_rows; ++r, ++drawn, y += I + S) {
        draw_row(r, y, m, R, V, mw, menu_x, menu_y);
        if (r == menu.top + menu.cursor - 1) highlighted = r;
    }
    menu.rows_drawn = drawn;
    menu.last_shown = menu.top + drawn - 1;
    if (menu.framed) {
        if (menu.scrollable)
            draw_scrollbar(menu_layer, menu.top, menu.last_shown, mh - 1, 0, mw - 1, menu.count);
        menu_layer.frame_rect(menu_layer.bounds(), menu_frame_colour);
    }

    if (main_menu) {
        centred(screen, menu.title, 0, block_top, W, block_top + H);
        screen.draw(menu_x, menu_y, menu_layer);
        const int px = menu_x + mw + scaled(2 * I);
        if (menu.title_picture && current_title_picture > 0) {
            Bitmap framed;
            draw_framed_picture(framed, current_title_picture, mh);
            screen.draw(px, menu_y, framed);
        } else {
            screen.frame_rect(Rect::from_size(px, menu_y, mh, mh), frame_grey);
        }
        y0 = menu_y + mh + I;
    } else {
        screen.draw(menu_x, menu_y, menu_layer);
        y0 = menu_y + mh + I;
    }

    const int cx = menu_x - 3 * I, cw = 2 * I;
    if (menu.id == menu_abilities || menu.id == menu_skills || menu.id == menu_talents) {
        const int points = menu.id == menu_abilities ? edited_character.ability_points
                           : menu.id == menu_skills  ? edited_character.skill_points
                                                     : edited_character.talent_points;
        draw_points_box(screen, cx, menu_y, points, "", "POINTS", cw);
        if (menu.id == menu_abilities) {
            int total = 0;
            for (int a = 0; a < ability_count; ++a)
                total += edited_character.ability[a];
            draw_points_box(screen, cx, menu_y + 3 * I, total, "", "TOTAL", cw);
            if (highlighted >= 1 && highlighted <= ability_count && !edited_character.abilities_rolled)
                draw_points_box(screen, cx, menu_y + 6 * I, 0,
                                ability_cost_text(menu_items[highlighted].value), "COST", cw);
        } else if (edited_character.created == 0) {
            draw_points_box(screen, cx, menu_y + 3 * I, edited_character.level, "", "LEVEL", cw);
        }
    }

    if (menu.description_panel && highlighted > 0) {
        draw_description(highlighted, m);
        menu_info_panel.frame_rect(menu_info_panel.bounds(), frame_grey);
        screen.draw(menu_x + mw + I, menu_y, menu_info_panel);
    }
    if (menu.id == menu_settings && settings.fullscreen) screen.frame_rect(screen.bounds(), frame_grey);

    draw_footer(screen, main_menu, y0, W, L);
    screen.set_font(side_panel.font());
}

} // namespace dravok
