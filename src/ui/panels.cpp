// The status and look panels; see panels.h.
#include "ui/panels.h"

#include <array>
#include <string>

#include "records/being_flags.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/marked_text.h"
#include "ui/panel_drawing.h"
#include "ui/text_boxes.h"
#include "world/being.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/item_record.h"
#include "world/vocab.h"

namespace dravok {
namespace {

constexpr std::array<Colour, 5> health_colours = {0x660000, 0x662200, 0x666600, 0x226600, 0x006600};
constexpr std::array<Colour, 5> experience_colours = {0x885500, 0x996600, 0xAA7700, 0xBB8800, 0xDDAA00};
constexpr std::array<Colour, 5> exploration_colours = {0x555555, 0x555555, 0x555555, 0x555555, 0x008800};
constexpr Colour frame_grey = 0x444444, order_red = 0xAA0000, order_cyan = 0x00AAAA;
constexpr Colour marked_talent_frame = 0xCCCC00, unaffordable_red = 0xFF3030;
constexpr int close_attack_distance = 3;

// The frame of an item row: coloured while an attack order stands and the item serves it.
Colour item_row_frame(int being, const titem* item) {
    const tbeing& b = beings[being];
    const taction_memory& order = b.attack_memory;
    const bool ordered = order.attack_kind[0] || order.attack_kind[1] || order.attack_kind[2];
    if (!ordered || order.target == 0 || item == nullptr) return frame_grey;
    const bool serves = (has_item_flag(*item, if_ranged) || has_item_flag(*item, if_throw) ||
                         has_item_flag(*item, if_reach) || has_item_flag(*item, if_ammunition)) &&
                        !has_item_flag(*item, if_shield);
    if (!serves) return frame_grey;
    const taction_memory& mine = is_being_ok(player) ? beings[player].attack_memory : order;
    if ((mine.attack_kind[2] && get_being_distance(being, order.target) < close_attack_distance) ||
        mine.attack_kind[0])
        return order_red;
    if (mine.attack_kind[1]) return order_cyan;
    return frame_grey;
}

const titem* carried_item(int being, int index) {
    if (index < 1 || !is_item_ok(index, being, 0)) return nullptr;
    return &item_at(being, index);
}

// The readied ranged weapon: the hand item that shoots, throws or reaches, else the main hand's.
const titem* readied_weapon(int being) {
    const tweapon_set& set = beings[being].weapon_set;
    for (int h = 0; h < hand_count; ++h)
        if (set.launcher[h] || set.throws[h] || set.reach[h])
            if (const titem* item = carried_item(being, set.hand_item[h])) return item;
    return carried_item(being, set.hand_item[0]);
}

const titem* thrown_item(int being) {
    const tweapon_set& set = beings[being].weapon_set;
    for (int h = 0; h < hand_count; ++h)
        if (set.throws[h])
            if (const titem* item = carried_item(being, set.hand_item[h])) return item;
    return nullptr;
}

void item_row(int being, const titem* item, std::string_view empty_text, int x, int y) {
    Bitmap& p = status_panel;
    const int icon = settings.icon_size;
    if (item) {
        const std::string name = item_name(item->name.str(), item->amount, item->stackable, being, 1);
        draw_icon_with_text(p, x, y, item_row_frame(being, item), "$w" + name, 0, item->icon, icon_kind::icon,
                            icon, icon);
    } else {
        draw_icon_with_text(p, x, y, frame_grey, empty_text, 0, blank_item.icon, icon_kind::icon, icon, icon);
    }
}

void separator_line(int y) {
    if (screen_layout.separator > 0)
        status_panel.fill_rect(Rect{0, y, status_panel.width(), y + 1}, frame_grey);
}

} // namespace

void draw_status_panel(int being) {
    if (!is_being_ok(being)) return;
    Bitmap& p = status_panel;
    clear_bitmap(p);
    p.set_font_colour(colours::white);
    const tbeing& b = beings[being];
    const int margin = screen_layout.panel_margin, icon = settings.icon_size;
    const int x = margin, width = settings.panel_width - 2 * margin, bar = scaled(24);
    int y = margin;
    draw_bar(p, x, y, false, health_colours, b.health, b.health_max, bar, width);
    y += margin + bar;
    draw_bar(p, x, y, false, health_colours, b.stamina, b.stamina_max, bar, width);
    y += margin + bar;
    draw_bar(p, x, y, true, experience_colours, int(b.experience - b.experience_previous),
             int(b.experience_next - b.experience_previous), bar / 4, width);
    if (b.status_of(st_stonesense) && !level.hide_exploration) {
        y += bar / 4 + margin;
        draw_bar(p, x, y, true, exploration_colours, level.explored_cells, level.floor_cells, bar / 4, width);
    }
    y += bar / 4 + 2 * margin;
    separator_line(y - margin);

    item_row(being, readied_weapon(being), "", x, y);
    y += icon + margin;
    const titem* second = carried_item(being, b.weapon_set.quiver);
    if (!second) second = thrown_item(being);
    item_row(being, second, b.weapon_set.launcher_without_ammo ? "$FOut of ammunition!" : "", x, y);
    y += icon + margin;
    separator_line(y);
    y += margin;

    const taction_memory& last = b.talent_memory;
    if (last.talent < 1 || last.talent >= int(talents.size())) {
        p.fill_rect(Rect{x, y, x + icon, y + icon}, frame_grey);
    } else {
        const ttalent& t = talents[last.talent];
        p.set_font_colour(b.stamina >= t.stamina ? colours::white : unaffordable_red);
        draw_icon_with_text(p, x, y, last.has_target ? marked_talent_frame : frame_grey, t.name.str(), 0,
                            last.talent_icon, icon_kind::icon, icon, icon);
        p.set_font_colour(colours::white);
    }
    y += icon + margin;
    separator_line(y);
    y += margin;

    std::string lines;
    for (int s = 1; s <= status_count; ++s) {
        if (!b.status_of(s) || status_display_name(s) == "-") continue;
        if (!lines.empty()) lines += "\r\n";
        lines += (status_harmful(s) ? "$F" : "$S") + std::string(status_display_name(s));
    }
    if (!lines.empty()) draw_marked_lines(p, lines, x, false, screen_layout.text_line_gap, y);
}

void draw_look_panel(Bitmap& panel) {
    // not built yet: the description of what the cursor is on
    clear_bitmap(panel);
}
void draw_target_hints(int) {
    // not built yet: the hint texts of target and autopilot mode
    clear_bitmap(log_panel);
}

} // namespace dravok
