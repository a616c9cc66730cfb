#include "ui/character_sheet.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "rules/character_sheet.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/level_record.h"
#include "world/rounding.h"
#include "world/settings_record.h"
#include "world/sprite_lookup.h"
#include "world/tables.h"

namespace dravok {

std::array<int32_t, sheet_view_words> sheet_view{};
ttable character_table, abilities_table, skills_table, resistances_table;

namespace {

constexpr Colour red = 0xFF3030, green = 0x22DD22, white = 0xFFFFFF, label_grey = 0xBBBBBB,
                 part_grey = 0x777777, sign_grey = 0x555555, total_fill = 0x151515, part_fill = 0x101010,
                 frame_grey = 0x444444, character_notes = 0x777777;
constexpr int interface_icons = 11;
constexpr int icon_level = 25, icon_health = 26, icon_stamina = 27, icon_movement = 28, icon_motion = 2;
constexpr int stairs_up = 2;
constexpr int motion = 2;
constexpr int shown_resistance_max = 99;
constexpr int label_gap = 6;

int base_font_height() {
    return side_panel.font().height;
}

int icon(int n) {
    return sprite_info(interface_icons, n).first_image;
}

std::string capitalised(std::string_view s) {
    std::string out(s);
    if (!out.empty()) out[0] = char(std::toupper(static_cast<unsigned char>(out[0])));
    return out;
}

ttable_item icon_cell(int n) {
    ttable_item c;
    c.icon = icon(n);
    return c;
}
ttable_item label(const std::string& text, int width) {
    ttable_item c;
    c.text = text;
    c.width = scaled(width);
    c.font_colour = label_grey;
    return c;
}
ttable_item number(int value, Colour colour, Colour fill, double height, int width = 40) {
    ttable_item c;
    c.text = std::to_string(value);
    c.width = scaled(width);
    c.alignment = 0;
    c.background = fill;
    c.font_colour = colour;
    c.font_height = int(std::trunc(height * base_font_height()));
    return c;
}
ttable_item total(int value, Colour colour) {
    return number(value, colour, total_fill, 1.4);
}
ttable_item part(int value, Colour colour) {
    return number(value, colour, part_fill, 1.25);
}
ttable_item sign(const char* s) {
    ttable_item c;
    c.text = s;
    c.width = scaled(16);
    c.alignment = 0;
    c.font_colour = sign_grey;
    return c;
}
ttable_item separator() {
    ttable_item c;
    c.separator = 1;
    return c;
}

void set_up(ttable& t, const char* title, bool character) {
    std::string spaced;
    for (char ch : std::string_view(title)) {
        if (!spaced.empty()) spaced += ' ';
        spaced += ch;
    }
    t.title = spaced;
    t.row_height = settings.icon_size;
    t.margin = settings.log_margin;
    t.row_spacing = t.column_spacing = settings.log_margin / 2;
    t.notes_height = settings.icon_size / 2;
    t.frame_colour = frame_grey;
    t.notes_font_height = character ? int(std::trunc(0.85 * base_font_height())) : base_font_height();
    t.notes_colour = character ? character_notes : sign_grey;
}

void build_character_table(int index) {
    const tbeing& b = beings[index];
    ttable t = blank_table;
    std::string name = b.name.str();
    for (char& ch : name)
        ch = char(std::toupper(static_cast<unsigned char>(ch)));
    t.cell(1, 1) = label(name, 145);
    t.cell(1, 1).alignment = 0;
    t.cell(2, 1) = separator();
    t.cell(3, 1).being = index;
    std::string race = capitalised(b.race >= 1 ? type_flag_names[b.race] : "") + " " +
                       std::string(b.gender >= 1 ? type_flag_names[b.gender] : "");
    std::replace(race.begin(), race.end(), '_', '-');
    t.cell(3, 2) = label(race, 108);
    t.cell(4, 1) = separator();
    t.cell(5, 1) = icon_cell(icon_level);
    t.cell(5, 2) = label("Level", 108);
    t.cell(5, 3) = total(b.level, white);
    t.cell(6, 1) = separator();
    t.cell(7, 1) = icon_cell(icon_health);
    t.cell(7, 2) = label("Health", 108);
    t.cell(7, 3) = total(b.health_max, white);
    t.cell(8, 1) = icon_cell(icon_stamina);
    t.cell(8, 2) = label("Stamina", 108);
    t.cell(8, 3) = total(b.stamina_max, white);
    t.cell(9, 1) = separator();
    const int plan_speed = b.plan < being_plans.size() ? being_plans[b.plan].speed_bonus : 0;
    t.cell(10, 1) = icon_cell(icon_movement);
    t.cell(10, 2) = label("Movement", 108);
    t.cell(10, 3) =
        total(b.speed_bonus,
              compare_colour(b.speed_bonus, ability_modifier(at1(b.base_ability, motion)) + plan_speed, white,
                             red, green));
    t.cell(11, 1) = separator();
    t.cell(12, 1) = icon_cell(icon_motion);
    t.cell(12, 2) = label("Max Motion", 108);
    constexpr uint8_t no_cap = 255;
    if (b.motion_cap == no_cap) {
        t.cell(12, 3) = total(0, sign_grey);
        t.cell(12, 3).text = "-";
    } else {
        const int own = at1(b.base_ability, motion) + at1(b.item_ability_modifier, motion) +
                        at1(b.temp_ability_modifier, motion) + at1(b.ability_modifier, motion);
        t.cell(12, 3) = total(b.motion_cap, compare_colour(b.motion_cap, own, green, red, green));
    }
    t.cell(13, 1) = icon_cell(icon_motion);
    t.cell(13, 2) = label("Load Motion mod", 108);
    t.cell(13, 3) = b.motion_penalty == 0 ? total(0, sign_grey) : total(-int(b.motion_penalty), red);
    if (b.motion_penalty == 0) t.cell(13, 3).text = "-";
    t.cell(14, 1) = separator();
    t.cell(15, 1).sprite = sprite_info(sprites_furniture, stairs_up).first_image;
    t.cell(15, 2) = label("Dungeon level", 108);
    t.cell(15, 3) = total(level.index, white);
    if (level.demiplane)
        t.cell(15, 3).text = "C";
    else if (level.hub)
        t.cell(15, 3).text = "Z";
    // The labels share one column: as wide as the widest label in the drawing font, so that none
    // runs into its figure when the font is wider than the sheet was measured for.
    int label_width = 0;
    for (int r = 5; r <= 15; ++r)
        if (!t.cell(r, 2).text.empty())
            label_width = std::max(label_width, side_panel.text_width(t.cell(r, 2).text) + scaled(label_gap));
    for (int r = 5; r <= 15; ++r)
        if (!t.cell(r, 2).text.empty()) t.cell(r, 2).width = std::max(t.cell(r, 2).width, label_width);
    set_up(t, "CHARACTER", true);
    layout_table(t, character_table);
}

void build_abilities_table(const tbeing& b) {
    ttable t = blank_table;
    for (int k = 1; k <= ability_count; ++k) {
        const int current = at1(b.ability, k), base = at1(b.base_ability, k);
        const int items = at1(b.item_ability_modifier, k), temp = at1(b.temp_ability_modifier, k);
        const int mod = at1(b.ability_modifier, k);
        t.cell(k, 1) = icon_cell(k);
        t.cell(k, 2) = label(capitalised(dice_ability_names[k - 1]), 70);
        t.cell(k, 3) = total(current, compare_colour(current, base, white, red, green));
        t.cell(k, 4) = sign("=");
        t.cell(k, 5) = part(base, part_grey);
        t.cell(k, 6) = sign("+");
        t.cell(k, 7) = part(items, compare_colour(items, 0, part_grey, red, green));
        t.cell(k, 8) = sign("+");
        t.cell(k, 9) = part(temp, compare_colour(temp, 0, part_grey, red, green));
        t.cell(k, 10) = sign(" ");
        t.cell(k, 11) = part(mod, compare_colour(mod, 0, label_grey, red, green));
        t.cell(k, 11).background = total_fill;
    }
    t.notes[3] = "TOTAL";
    t.notes[5] = "BASE";
    t.notes[7] = "ITEMS";
    t.notes[9] = "TEMP";
    t.notes[11] = "MOD";
    set_up(t, "ABILITIES", false);
    layout_table(t, abilities_table);
}

void build_skills_table(const tbeing& b) {
    ttable t = blank_table;
    for (int k = 1; k <= skill_count; ++k) {
        const int a = key_ability_of_skill(k);
        const int base_mod = ability_modifier(at1(b.base_ability, a));
        const int current = at1(b.skill, k), base = at1(b.base_skill, k);
        const int mod = at1(b.ability_modifier, a);
        const int items = at1(b.item_skill_modifier, k), temp = at1(b.temp_skill_modifier, k);
        t.cell(k, 1) = icon_cell(k + 4);
        t.cell(k, 2) = label(capitalised(dice_skill_names[k - 1]), 70);
        t.cell(k, 3) = total(current, compare_colour(current, base + base_mod, white, red, green));
        t.cell(k, 4) = sign("=");
        t.cell(k, 5) = part(base, part_grey);
        t.cell(k, 6) = sign("+");
        t.cell(k, 7) = part(mod, compare_colour(mod, base_mod, part_grey, red, green));
        t.cell(k, 8) = sign("+");
        t.cell(k, 9) = part(items, compare_colour(items, 0, part_grey, red, green));
        t.cell(k, 10) = sign("+");
        t.cell(k, 11) = part(temp, compare_colour(temp, 0, part_grey, red, green));
    }
    t.notes[3] = "TOTAL";
    t.notes[5] = "BASE";
    t.notes[7] = "MOD";
    t.notes[9] = "ITEMS";
    t.notes[11] = "TEMP";
    set_up(t, "SKILLS", false);
    layout_table(t, skills_table);
}

void build_resistances_table(const tbeing& b) {
    ttable t = blank_table;
    auto shown = [](int v) { return std::clamp(v, 0, shown_resistance_max); };
    for (int k = 1; k <= damage_type_count; ++k) {
        const int current = b.resistance_of(k), base = at1(b.base_resistance, k);
        const int items = at1(b.item_resistance, k), temp = at1(b.temp_resistance, k);
        t.cell(k, 1) = icon_cell(k + 11);
        t.cell(k, 2) = label(capitalised(damage_type_names[k - 1]), 70);
        t.cell(k, 3) = total(shown(current), compare_colour(current, base, white, red, green));
        t.cell(k, 4) = sign("=");
        t.cell(k, 5) = part(base, part_grey);
        t.cell(k, 6) = sign("+");
        t.cell(k, 7) = part(shown(items), compare_colour(items, 0, part_grey, red, green));
        t.cell(k, 8) = sign("+");
        t.cell(k, 9) = part(shown(temp), compare_colour(temp, 0, part_grey, red, green));
    }
    t.notes[3] = "TOTAL";
    t.notes[5] = "BASE";
    t.notes[7] = "ITEMS";
    t.notes[9] = "TEMP";
    set_up(t, "RESISTANCES", false);
    layout_table(t, resistances_table);
}

} // namespace

void build_character_sheet() {
    const int index = sheet_view[sheet_view_being];
    if (!is_being_ok(index)) return;
    const tbeing& b = beings[index];
    build_character_table(index);
    build_abilities_table(b);
    build_skills_table(b);
    build_resistances_table(b);
}

void draw_character_sheet() {
    screen_bitmap.clear(colours::black);
    Bitmap character, abilities, skills, resistances;
    draw_table(character, character_table);
    draw_table(abilities, abilities_table);
    draw_table(skills, skills_table);
    draw_table(resistances, resistances_table);
    const int icon_size = settings.icon_size;
    const int g = round_half_even(1.5 * icon_size);
    const int left =
        (screen_bitmap.width() - (character.width() + abilities.width() + resistances.width() + 2 * g)) / 2;
    const int top = (screen_bitmap.height() - character.height()) / 2 - icon_size / 4;
    screen_bitmap.draw(left, top, character);
    const int second = left + character.width() + g;
    screen_bitmap.draw(second, top, abilities);
    screen_bitmap.draw(second, top + abilities.height() + icon_size, skills);
    screen_bitmap.draw(second + abilities.width() + g, top, resistances);
}

} // namespace dravok
