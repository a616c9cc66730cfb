// The status and look panels; see panels.h.
#include "ui/panels.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"

#include <array>
#include <string>

#include <algorithm>
#include <cctype>
#include <vector>

#include "ai/sight.h"
#include "records/being_flags.h"
#include "records/map_vocab.h"
#include "rules/effect_names.h"
#include "rules/targeting.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/marked_text.h"
#include "ui/panel_drawing.h"
#include "ui/text_boxes.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/geometry.h"
#include "world/item_description.h"
#include "world/item_record.h"
#include "world/lasting_effects.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_effect_cell.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/tables.h"
#include "world/text_database.h"
#include "world/text_expand.h"
#include "world/view_memory.h"
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

namespace {

constexpr Colour look_separator = 0x2A2A2A;
constexpr int first_stand = 20, last_stand = 30, first_chest = 12, last_chest = 19;
constexpr int holds_items_state = 2, description_name_limit = 52;

struct tlook_writer {
    Bitmap& b;
    int y;
    int width() const { return b.width() - 2 * screen_layout.panel_margin; }
    void wrapped(const std::string& text) {
        y = draw_wrapped_text(b, text, screen_layout.panel_margin, false, screen_layout.text_line_gap,
                              width(), y);
    }
    void separator() { b.fill_rect(Rect{0, y, b.width(), y + 1}, look_separator); }
    void sprite_row(int sprite, icon_kind kind, const std::string& caption) {
        const int t = settings.tile_size, m = screen_layout.panel_margin;
        draw_icon_with_text(b, m, y, frame_grey, caption, 0, sprite, kind, t, t);
        y += m + t;
    }
};

// The being last described and its text. A new game forgets them: the text's pick draws random
// numbers, and the same seed gives the same being and serial again.
int described_being = 0;
int32_t described_serial = 0;
std::string described_text;

// The being's description, picked once while the cursor stays on it.
const std::string& being_description(int being) {
    const tbeing& b = beings[being];
    if (described_being == being && described_serial == b.serial) return described_text;
    described_being = being;
    described_serial = b.serial;
    described_text.clear();
    std::string raw;
    if (has_type_flag(b, tf_former_player) || has_type_flag(b, tf_former_companion))
        raw = "There's something eerily familiar in this %source_race%-like creature. %SOURCE_HE% clearly is "
              "much more than a mere mortal %source_race% but you still feel that you know %source_him% "
              "somehow.";
    else
        raw =
            section_text(std::string(b.identifier.view().substr(0, description_name_limit)) + "_description");
    if (!raw.empty()) expand_text(raw, being, 0, described_text);
    return described_text;
}

bool furniture_lists_items(const tcell& c) {
    const int f = c.furniture;
    if (is_shop_furniture(f)) return false;
    if (f >= first_stand && f <= last_stand) return true;
    return f >= first_chest && f <= last_chest && c.furniture_state == holds_items_state;
}

void describe_being(tlook_writer& w, int being) {
    const tbeing& b = beings[being];
    w.sprite_row(being, icon_kind::being, "$w" + being_name(being, 0));
    const std::string& description = being_description(being);
    if (!description.empty()) {
        w.wrapped("$B" + description);
        w.y += screen_layout.panel_margin;
    }
    bool typed = false;
    for (int flag : {tf_animated, tf_summoned, tf_cloned, tf_charmed, tf_confused}) {
        if (!has_type_flag(b, flag)) continue;
        std::string name(type_flag_names[flag]);
        std::replace(name.begin(), name.end(), '_', ' ');
        if (!name.empty()) name[0] = char(std::toupper(static_cast<unsigned char>(name[0])));
        w.wrapped("$N" + name);
        typed = true;
    }
    if (typed) w.y += screen_layout.panel_margin;
    std::string harmful;
    for (int s = 1; s <= status_count; ++s)
        if (b.status_of(s) && status_display_name(s) != "-" && status_harmful(s))
            harmful +=
                (harmful.empty() ? "" : "\\n") + std::string("$F") + std::string(status_display_name(s));
    if (!harmful.empty()) w.wrapped("$B" + harmful);
    std::string worn;
    for (int slot = 1; slot <= equipment_slot_count; ++slot) {
        const bool hand = slot >= slot_set1_main && slot <= slot_set2_off;
        if (hand && slot != b.active_set && slot != b.active_set + 1) continue;
        const int item = b.equipment_of(slot);
        if (item < 1 || !is_item_ok(item, being, 0)) continue;
        const titem& it = item_at(being, item);
        worn += "\\n- " + item_name(it.name.str(), it.amount, it.stackable, being, 1);
    }
    if (!worn.empty()) {
        w.wrapped("$BEquipment:" + worn);
        w.y += screen_layout.panel_margin;
    }
    std::vector<std::string> devices;
    format_item_list_line(being, devices);
    if (!devices.empty()) {
        std::string text = "$BDevices:";
        for (const std::string& line : devices)
            text += "\\n" + line;
        w.wrapped(text);
        w.y += screen_layout.panel_margin;
    }
    w.separator();
    w.y += screen_layout.panel_margin;
}

} // namespace

void forget_described_being() {
    described_being = 0;
    described_serial = 0;
    described_text.clear();
}

void draw_look_panel(Bitmap& panel) {
    clear_bitmap(panel);
    const int x = target_cursor_x, y = target_cursor_y;
    if (x < 1 || y < 1 || x > map_size || y > map_size) return;
    tcell& c = map_cells(x, y);
    if (!c.explored || c.block == 0 || !is_being_ok(player)) return;
    const bool seen = can_see(player, 0, x, y) != 0;
    const int top_item = seen ? c.top_item : 0;
    int being = c.being;
    if (being >= int(beings.size()) || being < 1 || !can_see(player, being, x, y)) being = 0;
    panel.set_font_colour(colours::white);
    const int m = screen_layout.panel_margin;
    tlook_writer w{panel, m};
    const tview_cell& view = view_memory(x, y);
    std::string name;
    int sprite = 0;
    icon_kind kind = icon_kind::terrain;
    if (c.furniture == 0 || (view.furniture == 0 && c.remembered_furniture() == 0)) {
        name = c.block < first_floor_block ? "Wall" : "Floor";
        sprite = view.terrain ? view.terrain : c.remembered_terrain();
    } else {
        name = std::string(furniture_display_name(c.furniture));
        if (view.unlooted) name += ", unlooted";
        if (!name.empty()) name[0] = char(std::toupper(static_cast<unsigned char>(name[0])));
        sprite = view.furniture ? view.furniture : c.remembered_furniture();
        kind = icon_kind::object;
    }
    if (c.trap != 0 && c.trap_difficulty < 0) name += ", trapped";
    w.sprite_row(sprite, kind, "$w" + name);
    w.separator();
    w.y += m;

    std::string items;
    if (top_item == 0 && furniture_lists_items(c)) {
        cell_item_table_text(x, y, items);
        if (!items.empty()) {
            if (!c.looted && !c.contents_seen && !is_near(player, 0, x, y)) {
                items = "Move closer to see items.";
            } else {
                c.contents_seen = 1;
            }
        }
    } else if (top_item != 0) {
        cell_item_table_text(x, y, items);
    }
    if (!items.empty()) {
        w.wrapped("$B" + items);
        w.y += m;
        w.separator();
        w.y += m;
    }
    if (being) describe_being(w, being);
    // A lasting effect on the cell: its picture and where it comes from.
    const tmap_effect_cell& lasting = map_effect_grid(x, y);
    if (lasting.effect >= 1 && lasting.effect < duration_effects.size()) {
        w.sprite_row(lasting.graphic_frame, icon_kind::object,
                     "$w" + get_effect_source_name(duration_effects[lasting.effect]));
        w.separator();
    }
}

} // namespace dravok
