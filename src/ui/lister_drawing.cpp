// The list screens on screen; see lister_drawing.h.
#include "ui/lister_drawing.h"
#include "records/being_flags.h"
#include "records/layout_being.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "rules/chatter.h"
#include "rules/equipment.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/layout.h"
#include "ui/lister_model.h"
#include "ui/marked_text.h"
#include "ui/panel_drawing.h"
#include "ui/talent_screen.h"
#include "ui/text_boxes.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/encumbrance.h"
#include "world/item_description.h"
#include "world/item_record.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/text_database.h"
#include "world/text_expand.h"

namespace dravok {
namespace {

constexpr std::string_view hotkey_letters = "1234567890abcdefghijklmnopqrstuvwxyz";
constexpr Colour row_colour = 0xEEEEEE, green_row = 0x22DD22, grey_row = 0x555555, red_row = 0xFF3030;
constexpr Colour header_fill = 0x222222, key_hint = 0x666666, note_colour = 0x777777;
constexpr Colour current_frame = 0x999999, current_fill = 0x002E3F, other_frame = 0x444444;
constexpr Colour selected_mark = 0xFFFF00, compared_caption = 0xBBBBBB;
constexpr int smallest_row_font = 7;

constexpr std::array<Colour, 6> load_colours = {0x225522, 0x556622, 0x776622, 0x885522, 0x883322, 0x770000};
constexpr std::array<std::string_view, 6> load_labels = {
    "Unencumbered",       "Lightly encumbered",    "Encumbered",
    "Heavily encumbered", "Very heavily burdened", "Overloaded"};

int margin() {
    return screen_layout.panel_margin;
}
int row_height() {
    return settings.icon_size;
}

// A key's name without the cap marks round it: "[[ 1 ]]" is "1".
std::string key_cap_name(std::string text) {
    for (const std::string_view mark : {"[[ ", " ]]", "[[", "]]"})
        for (std::size_t p; (p = text.find(mark)) != std::string::npos;)
            text.erase(p, mark.size());
    return text;
}

std::string first_capital(std::string s) {
    if (!s.empty()) s[0] = char(std::toupper(static_cast<unsigned char>(s[0])));
    return s;
}

constexpr int off_hand_1 = 14, off_hand_2 = 16; // the off-hands of weapon sets 1 and 2

std::string pane_title(int p) {
    const tlister_pane& pane = lister.panes[p];
    if (p != 1 && lister.panes[1].kind == list_equipment && pane.kind == list_backpack) {
        const int r = lister_cursor_row(1);
        if (r >= 1) {
            const std::string slot = lister.panes[1].rows[r].slot_name;
            // Without dual wielding an off-hand takes a shield only: said, so that a missing
            // one-handed weapon is not a riddle.
            const int s = lister.panes[1].rows[r].slot;
            const bool shields_only = (s == off_hand_1 || s == off_hand_2) && player >= 1 &&
                                      player < int(beings.size()) && !beings[player].status_of(st_dualwield);
            return (pane.picking ? "Select item for equipment slot: "
                                 : "Suitable items for equipment slot: ") +
                   slot + (shields_only ? " (shields only)" : "");
        }
    }
    if (p != 1 && lister.panes[1].kind == list_quickslots && pane.kind == list_quickslotable &&
        pane.picking) {
        const int r = lister_cursor_row(1);
        if (r >= 1) return "Select item for quickslot " + std::to_string(lister.panes[1].rows[r].quickslot);
    }
    return pane.title;
}

void hint_lines(Bitmap& b, int& y, std::initializer_list<std::string_view> lines) {
    const int w = b.width() - 2 * margin();
    for (std::string_view line : lines)
        y = draw_wrapped_text(b, line, margin(), false, screen_layout.text_line_gap, w, y);
}

// The key hints of the item under the cursor.
std::string item_hint(const titem& item, const tlister_item& row) {
    const int c = lister.current;
    const tlister_pane& p = lister.panes[c];
    const bool trade = lister.partner != 0 && lister.partner != p.owner ? true : lister.partner != 0;
    if (c == 1 && p.kind == list_equipment)
        return row.red ? "$FHostiles seen! Can not unequip this item right now."
                       : "$d[[ ENTER ]] unequip item";
    if (c == 1 && p.kind == list_backpack && !trade) return "$d[[ ENTER ]] drop item     [[ DEL ]] drop item";
    if (c == 2 && p.kind == list_backpack && !trade) {
        if (row.locked) return "$FHostiles seen! Can not equip this item right now.\r\n$d[[ DEL ]] drop item";
        if (row.slot >= 1) return "$d[[ ENTER ]] equip item     [[ DEL ]] drop item";
        if (row.marked) return "$FHostiles seen! Can not use this device right now.\r\n$d[[ DEL ]] drop item";
        if (has_item_flag(item, if_usable_only_from_dialog))
            return "$FThis item can only be used from dialogs.\r\n$d[[ DEL ]] drop item";
        if (has_item_flag(item, if_device)) {
            if (has_item_flag(item, if_book)) return "$d[[ ENTER ]] read book     [[ DEL ]] drop item";
            std::string cls(item.item_class < item_flag_names.size() ? item_flag_names[item.item_class] : "");
            std::replace(cls.begin(), cls.end(), '_', ' ');
            return "$d[[ ENTER ]] use " + cls + "     [[ DEL ]] drop item";
        }
        return "$d[[ DEL ]] drop item";
    }
    if (c == 1 && p.kind == list_backpack && trade)
        return row.unaffordable ? "$FThe shopkeeper can not afford this item." : "$d[[ ENTER ]] sell item";
    // A book on the ground is read where it lies while no hostile is in sight.
    const bool readable =
        has_item_flag(item, if_book) && is_being_ok(player) && beings[player].seen_hostiles == 0;
    const std::string read = readable ? "     [[ CTRL ]] + [[ ENTER ]] read book" : "";
    if (c == 2 && trade)
        return row.unaffordable ? "$FYou can not afford this item." : "$d[[ ENTER ]] buy item";
    if (c == 2 && p.kind == list_ground) return "$d[[ ENTER ]] get item" + read;
    if (p.kind == list_level_items) {
        if (row.distance > 0 || item.holder != 0)
            return "$d[[ ENTER ]] autopilot to item and pick it up (distance " +
                   std::to_string(row.distance) + ")";
        return "$d[[ ENTER ]] get item" + read;
    }
    return "";
}

// The player's own item in a hand of a weapon set: its details add the hand's figures.
bool worn_in_weapon_set(const titem& item) {
    if (item.slot < 13 || item.slot > 16 || !is_being_ok(player) || player >= int(being_items.size()))
        return false;
    const int held = beings[player].equipment_of(item.slot);
    return held >= 1 && held < int(being_items[player].size()) &&
           being_items[player][held].serial == item.serial;
}

} // namespace

std::string item_details_text(const titem& item) {
    std::string text, set_text;
    describe_item(player, item, text);
    if (worn_in_weapon_set(item)) describe_weapon_set(player, item.slot, set_text);
    if (!set_text.empty()) text += (text.empty() ? "" : "\r\n") + set_text;
    return text;
}

namespace {

int draw_item_details(Bitmap& b, const titem& item, const tlister_item& row, int y, bool hints) {
    const int m = margin(), icon = settings.icon_size, w = b.width() - 2 * m;
    b.set_font_colour(colours::white);
    draw_icon_with_text(b, m, y, other_frame,
                        "$w" + item_name(item.name.str(), item.amount, item.stackable, player, 1), 0,
                        item.icon, icon_kind::icon, icon, icon);
    y += icon + m;
    const std::string text = item_details_text(item);
    if (!text.empty()) y = draw_wrapped_text(b, "$B" + text, m, false, screen_layout.text_line_gap, w, y);
    y += screen_layout.text_line_gap;
    if (!hints) return y;
    std::string lore;
    get_section_block(0, std::string(item.identifier.view().substr(0, 42)) + "_description", lore);
    if (!lore.empty()) y = draw_wrapped_text(b, "$B" + lore, m, false, screen_layout.text_line_gap, w, y);
    const std::string hint = item_hint(item, row);
    if (!hint.empty()) y = draw_wrapped_text(b, hint, m, false, screen_layout.text_line_gap, w, y + m);
    return y;
}

// The shopkeeper's line of the pending shop event, picked once per event, and the line on the
// item under the cursor, picked again only when the cursor comes to another item.
std::string shop_line, has_line, has_line_key;
int shop_line_keeper = 0; // whose lines they are: another keeper's are not shown

std::string keeper_line(int keeper, const std::string& section) {
    std::string line, said;
    if (!pick_chatter_line(keeper, 0, {}, line, false, section)) return "";
    expand_text(line, keeper, player, said);
    return said;
}

// The keeper's word on the cursor's item: the customer's own or one of the shop's wares.
void update_has_line(int keeper) {
    const int c = lister.current, row = lister_cursor_row(c);
    titem item;
    std::string key;
    if (lister.details && row && lister_row_item(c, row, item))
        key = std::string(c == 1 ? "_shop_customer_has_" : "_shop_shopkeeper_has_") + item.identifier.str();
    if (key == has_line_key) return;
    has_line_key = key;
    has_line = key.empty() ? "" : keeper_line(keeper, beings[keeper].identifier.str() + key);
}

void draw_shop_panel(Bitmap& b, int top) {
    const int keeper = lister.partner, m = margin(), icon = settings.icon_size;
    if (keeper < 1 || keeper >= int(beings.size())) return;
    int y = top;
    b.set_font_colour(colours::white);
    draw_icon_with_text(b, 0, y, other_frame, "$B" + being_name(keeper, 0), 0, keeper, icon_kind::being, icon,
                        icon);
    const int coins = lister.panes[2].coins - lister.panes[1].selected_total;
    draw_icon_with_text(b, b.width(), y, 0, "$w" + std::to_string(coins), 1, settings.coin_icon,
                        icon_kind::icon, icon, icon);
    y += icon + m;
    draw_panel_frame(b, "", 0, box_align::centre, 0, colours::white, other_frame, colours::black,
                     b.height() - y, b.width(), y);
    static constexpr const char* events[] = {"", "%s_shop_start", "%s_shop_end", "%s_shop_customer_bought",
                                             "%s_shop_shopkeeper_bought"};
    if (keeper != shop_line_keeper) {
        shop_line.clear();
        has_line.clear();
        has_line_key.clear();
        shop_line_keeper = keeper;
    }
    if (lister.shop_event >= shop_event_start && lister.shop_event <= shop_event_shopkeeper_bought) {
        std::string section = events[lister.shop_event];
        section.replace(section.find("%s"), 2, beings[keeper].identifier.view());
        shop_line = keeper_line(keeper, section);
        lister.shop_event = 0;
    }
    update_has_line(keeper);
    std::string text = shop_line;
    if (!has_line.empty()) text += (text.empty() ? "" : "\r\n\r\n") + has_line;
    if (!text.empty())
        draw_wrapped_text(b, "$D" + text, m, false, screen_layout.text_line_gap, b.width() - 2 * m, y + m);
}

} // namespace

bool draw_pane_title(Bitmap& b, int p) {
    const std::string title = pane_title(p);
    if (title.empty()) return false;
    const tlister_pane& pane = lister.panes[p];
    if (p == lister.current)
        draw_panel_frame(b, title, 0, box_align::centre, 0, colours::white, current_frame, current_fill,
                         b.height(), b.width(), 0);
    else if (pane.side_panel) {
        Point out;
        b.set_font_colour(row_colour);
        draw_text_in_box(b, title, 0, out, false, BrushStyle::clear, box_align::centre, 0, row_height(),
                         b.width(), 0);
        b.fill_rect(Rect{0, row_height() - 1, b.width(), row_height()}, other_frame);
    } else {
        draw_panel_frame(b, title, 0, box_align::centre, 0, colours::white, other_frame, colours::black,
                         b.height(), b.width(), 0);
    }
    return true;
}

namespace {

// What every row of a pane being drawn shares.
struct tpane_view {
    tlister_pane& pane;
    int p = 0, m = 0, rh = 0, sb = 0, letter = 0, base_font = 0, other = 0;
    bool current = false, slot_chosen = false;
};

// A group's header bar, with the function key that jumps to it or changes the sorting.
void draw_header_row(Bitmap& b, const tpane_view& v, const tlister_item& row, int y) {
    const tlister_pane& pane = v.pane;
    const int m = v.m, rh = v.rh;
    const int right = b.width() - m - v.sb;
    draw_framed_text_box(b, row.header, m, box_align::left, m, row_colour, header_fill, header_fill,
                         y + rh - scaled(3), right, y + scaled(3));
    const bool item_kind =
        pane.kind == list_backpack || pane.kind == list_ground || pane.kind == list_level_items;
    std::string key;
    if (v.current && row.group >= 1 && row.group <= 9 && item_kind && !pane.side_panel &&
        !(v.p != 1 && v.slot_chosen))
        key = "F" + std::to_string(row.group);
    if (v.current && (pane.sort_by_time || pane.sort_by_distance)) key = "F10";
    if (!key.empty()) {
        b.set_font_colour(key_hint);
        Point out;
        draw_text_in_box(b, key, m, out, false, BrushStyle::clear, box_align::right, m, y + rh - scaled(3),
                         right, y + scaled(3));
    }
}

// The row's key column: its quickslot key, its hotkey letter and selection mark, or the arrow
// at the slot the other pane's item would go to. True when the last letter was handed out.
bool draw_row_key(Bitmap& b, const tpane_view& v, tlister_item& row, int r, int x, int y,
                  std::size_t& next_letter) {
    const tlister_pane& pane = v.pane;
    const int m = v.m, rh = v.rh, other = v.other;
    const bool quickslots = pane.kind == list_quickslots;
    bool last_letter = false;
    if (quickslots && (v.current || pane.side_panel) && row.row_kind != 0) {
        // The quickslot's own key, as the key bindings name it.
        const std::string k = key_cap_name(binding_text(0, 0, QUICKSLOT + row.quickslot, true, true, 0));
        b.set_font_colour(key_hint);
        b.text_out(x - b.text_width(k) / 2, y + settings.icon_text_offset, k);
    } else if (v.current && !quickslots) {
        // Quickslot rows answer to the quickslots' own keys, not to letters.
        if (!row.red && next_letter < hotkey_letters.size()) {
            row.hotkey = hotkey_letters[next_letter++];
            last_letter = next_letter == hotkey_letters.size();
            b.set_font_colour(key_hint);
            const std::string k(1, row.hotkey);
            b.text_out(x - b.text_width(k) / 2, y + settings.icon_text_offset, k);
        }
        if ((pane.kind == list_backpack || pane.kind == list_ground) && row.selected > 0)
            b.fill_rect(Rect{x - m, y + scaled(4), x + m, y + rh - scaled(4)}, selected_mark);
    } else if (other <= lister.pane_count && lister.current == other &&
               (pane.kind == list_equipment || pane.kind == list_quickslots)) {
        // The slot the item under the other pane's cursor would go to; while picking for a
        // quickslot, the slot being filled.
        const int oc = lister_cursor_row(other);
        const bool target = pane.kind == list_equipment
                                ? oc >= 1 && lister.panes[other].rows[oc].slot == row.slot && row.slot >= 1
                                : lister.panes[other].picking && r == lister_cursor_row(v.p);
        if (target) {
            const int arrow = sprite_categories[11].size() > 29 ? sprite_categories[11][29].first_image : 0;
            if (arrow) icon_sprites.draw(b, x - 2 * m, y, arrow);
        }
    }
    return last_letter;
}

// The row's icon, its text (with the amount, shrunk to fit) and its note where there is room.
void draw_row_label(Bitmap& b, const tpane_view& v, const tlister_item& row, int x, int y) {
    const tlister_pane& pane = v.pane;
    const int m = v.m;
    const bool quickslots = pane.kind == list_quickslots;
    const Colour colour = row.green ? green_row : row.grey ? grey_row : row.red ? red_row : row_colour;
    if (!pane.side_panel || quickslots) x += m + v.letter;
    if (row.image >= 1) {
        icon_sprites.draw_stretched(b, Rect{x, y, x + settings.icon_size, y + settings.icon_size}, row.image);
        x += settings.icon_size + m;
    }
    std::string text = first_capital(row.text);
    if (row.amount > 1)
        text = (row.selected > 0 ? std::to_string(row.selected) + " / " + std::to_string(row.amount) + " x "
                                 : std::to_string(row.amount) + " x ") +
               text;
    const int price_room = row.price > 0 ? b.text_width("000000") : 0;
    while (b.text_width(text) > b.width() - x - 8 - price_room && b.font().height >= smallest_row_font)
        b.set_font_height(b.font().height - 1);
    b.set_font_colour(colour);
    b.text_out(x, y + settings.icon_text_offset, text);
    if (!row.note.empty()) {
        b.set_font_colour(note_colour);
        const int nx = x + b.text_width(text) + (text.empty() ? 0 : b.text_width("  "));
        const std::string note = "(" + row.note + ")";
        if (nx + b.text_width(note) <= b.width() - v.sb - m)
            b.text_out(nx, y + settings.icon_text_offset, note);
    }
    b.set_font_height(v.base_font);
}

// The row's price at the right, red when the buyer's coins would not cover it.
void draw_row_price(Bitmap& b, const tpane_view& v, tlister_item& row, int y) {
    if (row.price <= 0) return;
    const int value = row.selected > 0 ? row.price * row.selected : row.price;
    const int coins = v.other <= lister.pane_count ? lister.panes[v.other].coins : 0;
    row.unaffordable = row.selected == 0 && coins - v.pane.selected_total - value < 0;
    b.set_font_colour(row.unaffordable ? red_row : row_colour);
    Point out;
    draw_text_in_box(b, std::to_string(value), 0, out, false, BrushStyle::clear, box_align::right, 0,
                     y + v.rh, b.width() - 2 * v.m - v.sb, y);
}

} // namespace

void draw_lister(Bitmap& b, int p) {
    clear_bitmap(b);
    tlister_pane& pane = lister.panes[p];
    const int m = margin(), rh = row_height();
    b.set_font_colour(row_colour);
    const int base_font = b.font().height;
    const int letter = b.text_width("w");
    int y = m;
    if (draw_pane_title(b, p)) y += rh;
    for (tlister_item& r : pane.rows)
        r.hotkey = 0;
    const int sb = pane.side_panel ? 0 : settings.scrollbar_width;
    if (pane.row_count() < 1) {
        if (!pane.side_panel) draw_scrollbar(b, 0, 0, b.height() - 1, y, b.width() - 1, 0);
        return;
    }
    const bool side_quickslots = pane.side_panel && pane.kind == list_quickslots;
    const int page = side_quickslots ? std::min(quickslot_count, (b.height() - 2 * m) / rh)
                                     : std::min(max_page_rows, (b.height() - rh - 2 * m) / rh);
    const tpane_view v{.pane = pane,
                       .p = p,
                       .m = m,
                       .rh = rh,
                       .sb = sb,
                       .letter = letter,
                       .base_font = base_font,
                       .other = p == 1 ? 2 : 1,
                       .current = p == lister.current,
                       .slot_chosen = lister.panes[1].kind == list_equipment && lister_cursor_row(1) >= 1};
    std::size_t next_letter = 0;
    int drawn = 0;
    pane.last_row_shown = false;
    b.set_brush_clear();
    for (int r = std::max(1, pane.top); r <= pane.row_count() && drawn < page; ++r, ++drawn) {
        if (r == pane.row_count()) pane.last_row_shown = true;
        tlister_item& row = pane.rows[r];
        if (row.is_header()) {
            draw_header_row(b, v, row, y);
            y += rh;
            continue;
        }
        const int x = pane.side_panel ? 2 * m + (pane.kind == list_quickslots ? m : 0) : 3 * m;
        const bool last_letter = draw_row_key(b, v, row, r, x, y, next_letter);
        draw_row_label(b, v, row, x, y);
        draw_row_price(b, v, row, y);
        if (v.current && r == pane.top + pane.cursor - 1)
            b.frame_rect(Rect{m, y, b.width() - sb - m, y + rh}, colours::white);
        y += rh;
        if (last_letter) {
            ++drawn;
            break;
        }
    }
    pane.rows_shown = drawn;
    pane.first_shown = pane.top;
    pane.last_shown = pane.top + drawn - 1;
    if (sb > 0)
        draw_scrollbar(b, pane.first_shown, pane.last_shown, b.height() - 1, rh + m, b.width() - 1,
                       pane.row_count());
    b.set_font_colour(row_colour);
}

void draw_info_panel(Bitmap& b) {
    clear_bitmap(b);
    const int m = margin(), icon = settings.icon_size;
    const bool trading = lister.partner != 0 && lister.pane_count >= 2 &&
                         lister.panes[2].owner == lister.partner && lister.partner != lister.panes[1].owner;
    const int owner = lister.panes[1].owner;
    if (owner < 1 || owner >= int(beings.size())) return;
    int h = b.height() - icon - m;
    if (trading && !lister.compare) h = int(h * 0.7);
    // Coins, top right; carried weight as a banded bar, top left.
    const int coins = lister.panes[1].coins - (trading ? lister.panes[2].selected_total : 0);
    draw_icon_with_text(b, b.width(), 0, 0, "$B" + std::to_string(coins), 1, settings.coin_icon,
                        icon_kind::icon, icon, icon);
    const tbeing& being = beings[owner];
    const int bar_w = int(b.width() * 0.7);
    if (being.carried_weight > encumbrance_thresholds[5] && encumbrance_thresholds[5] > 0) {
        const std::array<int, 1> t = {1};
        const std::array<Colour, 1> c = {0x770000};
        const std::array<std::string_view, 1> l = {"Burdened (can not move)"};
        draw_threshold_bar(b, 0, m / 2, t, c, l, 1, icon - m, bar_w);
    } else {
        std::array<int, 6> t;
        for (int i = 0; i < 6; ++i)
            t[i] = int(encumbrance_thresholds[i]);
        draw_threshold_bar(b, 0, m / 2, t, load_colours, load_labels, int(being.carried_weight), icon - m,
                           bar_w);
    }
    draw_panel_frame(b, "", 0, box_align::centre, 0, colours::white, other_frame, colours::black, h,
                     b.width(), icon + m);
    if (trading && !lister.compare) draw_shop_panel(b, icon + m + h + m);
    int y = icon + 2 * m;
    const int c = lister.current, row = lister_cursor_row(c);
    titem item;
    if (lister.details && row && lister_row_item(c, row, item)) {
        const int kind = lister.panes[c].kind;
        if (!lister.compare || (kind != list_backpack && kind != list_ground)) {
            draw_item_details(b, item, lister.panes[c].rows[row], y, true);
            return;
        }
        // Compare mode: the item, then each worn item it would stand against.
        y = draw_item_details(b, item, lister.panes[c].rows[row], y, false);
        titem worn;
        for (int after = 0; after < equipment_slot_count; after = worn.slot) {
            get_next_matching_equipped_item(player, after, item, worn, 0);
            if (worn.plan == 0 || worn.slot <= after) break;
            y += 2 * m;
            b.set_font_colour(compared_caption);
            draw_separator(b, y, 2 * m, "CURRENTLY EQUIPPED");
            y += 2 * m;
            y = draw_item_details(b, worn, lister.panes[c].rows[row], y, false);
        }
        return;
    }
    if (lister.details && row && lister.panes[c].rows[row].row_kind == quickslot_talent) {
        draw_talent_info(b, y);
        return;
    }
    if (!lister.message.empty()) {
        draw_wrapped_text(b, lister.message, m, false, screen_layout.text_line_gap, b.width() - 2 * m, y);
        lister.message.clear();
        return;
    }
    const int kind = lister.panes[c].kind;
    if (kind != list_backpack && kind != list_ground) return;
    if (!trading)
        hint_lines(
            b, y,
            {"$dItem selector is moved with movement keys.", "$d[[ TAB ]] to switch list.",
             "$dYou can also switch list with movement keys left / right if the selector is at top position "
             "(not shown).",
             "$d[[ ENTER ]] on an item to perform the default action.", "$d[[ DEL ]] to drop an item.",
             "$d[[ SPACE ]] to select / unselect an item.", "$d[[ CONTROL ]] + [[ A ]] to select all.",
             "$d[[ CONTROL ]] + [[ C ]] to clear selection.",
             "$dMovement keys left / right to adjust amount of the selected item.",
             "$d[[ F1 ]] - [[ F9 ]] to filter item groups.",
             "$d[[ F10 ]] to sort the items by time acquired (newest first).",
             "$d[[ F11 ]] to toggle item compare mode.",
             "$d[[ F12 ]] to switch between equipment / map loot screens.",
             "$dHold [[ SHIFT ]] and write an identifier to filter items."});
    else
        hint_lines(
            b, y,
            {"$dItem selector is moved with movement keys.", "$d[[ TAB ]] to switch list.",
             "$dYou can also switch list with movement keys left / right if the selector is at top position "
             "(not shown).",
             "$d[[ ENTER ]] to buy / sell an item.", "$d[[ SPACE ]] to select / unselect an item.",
             "$dMovement keys left / right to adjust amount of the selected item.",
             "$d[[ F1 ]] - [[ F9 ]] to filter item groups.", "$d[[ F11 ]] to toggle item compare mode.",
             "$dHold [[ SHIFT ]] and write an identifier to filter items."});
}

void draw_inventory_screen() {
    clear_bitmap(screen_bitmap);
    const int gap = settings.icon_size, n = lister.pane_count;
    for (int p = 1; p <= n && p <= 2; ++p)
        draw_lister(list_pane_bitmaps[p - 1], p);
    Bitmap& info = list_pane_bitmaps[2];
    draw_info_panel(info);
    const int w = list_pane_bitmaps[0].width();
    int x = (screen_bitmap.width() - (w * n + w + n * gap)) / 2;
    const int top = screen_layout.list_top;
    for (int p = 1; p <= n && p <= 2; ++p) {
        screen_bitmap.draw(x, top, list_pane_bitmaps[p - 1]);
        x += w + gap;
    }
    screen_bitmap.draw(x, top, info);
}

} // namespace dravok
