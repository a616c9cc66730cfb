#include "ui/creation_summaries.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "records/being_flags.h"
#include "rules/character_sheet.h"
#include "ui/character_sheet.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "world/dice.h"
#include "world/game_lists.h"
#include "world/menu_model.h"
#include "world/settings_record.h"
#include "world/sprite_lookup.h"
#include "world/tables.h"

namespace dravok {

ttable talents_table;

namespace {

constexpr Colour white = 0xFFFFFF, label_grey = 0xBBBBBB, total_fill = 0x151515, modifier_fill = 0x0C0C0C,
                 frame_grey = 0x444444, notes_grey = 0x777777;
constexpr int interface_icons = 11, talent_icons = 10;
constexpr int icon_level = 25, icon_health = 26, icon_stamina = 27;

int base_height() {
    return side_panel.font().height;
}

std::string capitalised(std::string_view s) {
    std::string out(s);
    if (!out.empty()) out[0] = char(std::toupper(static_cast<unsigned char>(out[0])));
    return out;
}

ttable_item icon_cell(int category, int n) {
    ttable_item c;
    c.icon = sprite_info(category, n).first_image;
    return c;
}
ttable_item label(const std::string& text, int width) {
    ttable_item c;
    c.text = text;
    c.width = scaled(width);
    c.font_colour = label_grey;
    return c;
}
ttable_item total(const std::string& text) {
    ttable_item c;
    c.text = text;
    c.width = scaled(40);
    c.alignment = 0;
    c.background = total_fill;
    c.font_colour = white;
    c.font_height = int(std::trunc(1.4 * base_height()));
    return c;
}
std::string plus(int n) {
    return (n >= 1 ? "+" : "") + std::to_string(n);
}

void finish(ttable& t, const char* title, ttable& out) {
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
    t.notes_font_height = int(std::trunc(0.85 * base_height()));
    t.notes_colour = notes_grey;
    t.frame_colour = frame_grey;
    layout_table(t, out);
}

void talent_rows(const tcharacter& c, bool only_new, ttable& out) {
    ttable t = blank_table;
    int row = 0;
    for (int tal = 1; tal <= talent_count && tal < int(talents.size()) && row < table_size; ++tal) {
        const tcharacter_talent& s = c.talent(tal);
        if (only_new ? (s.owned || !s.chosen) : (!s.owned && !s.chosen)) continue;
        ++row;
        t.cell(row, 1) = icon_cell(talent_icons, tal);
        t.cell(row, 2) = label(talents[tal].name.str(), 153);
    }
    out = blank_table;
    if (row > 0) finish(t, "TALENTS", out);
}

} // namespace

void build_creation_tables(const tcharacter& c) {
    ttable t = blank_table;
    t.cell(1, 1).sprite = c.race_image;
    // The loaders refuse sheets with other values; a sheet made in memory is held to them too.
    auto flag_name = [](int flag) {
        return flag >= 1 && flag < type_flag_count ? std::string(type_flag_names[std::size_t(flag)]) : "";
    };
    std::string race = capitalised(flag_name(c.race)) + " " + flag_name(c.gender);
    std::replace(race.begin(), race.end(), '_', '-');
    t.cell(1, 2) = label(race, 153);
    finish(t, "RACE", character_table);

    t = blank_table;
    for (int k = 1; k <= ability_count; ++k) {
        t.cell(k, 1) = icon_cell(interface_icons, k);
        t.cell(k, 2) = label(capitalised(dice_ability_names[k - 1]), 63);
        t.cell(k, 3) = total(std::to_string(at1(c.ability, k)));
        ttable_item& m = t.cell(k, 4);
        m.text = plus(at1(c.ability_modifier, k));
        m.width = scaled(40);
        m.alignment = 0;
        m.background = modifier_fill;
        m.font_colour = label_grey;
    }
    finish(t, "ABILITIES", abilities_table);

    t = blank_table;
    for (int k = 1; k <= skill_count; ++k) {
        t.cell(k, 1) = icon_cell(interface_icons, k + 4);
        t.cell(k, 2) = label(capitalised(dice_skill_names[k - 1]), 108);
        t.cell(k, 3) = total(std::to_string(at1(c.skill, k)));
    }
    finish(t, "SKILLS", skills_table);
    talent_rows(c, false, talents_table);
}

void build_level_up_tables(const tcharacter& c) {
    const tcharacter& before = level_up_snapshot;
    ttable t = blank_table;
    t.cell(1, 1) = icon_cell(interface_icons, icon_level);
    t.cell(1, 2) = label("Level", 108);
    t.cell(1, 3) = total(std::to_string(c.level));
    t.cell(2, 1).separator = 1;
    t.cell(3, 1) = icon_cell(interface_icons, icon_health);
    t.cell(3, 2) = label("Health", 108);
    t.cell(3, 3) = total("+" + std::to_string(c.base_health - before.base_health));
    t.cell(4, 1) = icon_cell(interface_icons, icon_stamina);
    t.cell(4, 2) = label("Stamina", 108);
    t.cell(4, 3) = total("+" + std::to_string(c.base_stamina - before.base_stamina));
    finish(t, "LEVEL UP", character_table);

    t = blank_table;
    int row = 0;
    for (int k = 1; k <= skill_count; ++k) {
        const int d = at1(c.skill, k) - at1(before.skill, k);
        if (d <= 0) continue;
        ++row;
        t.cell(row, 1) = icon_cell(interface_icons, k + 4);
        t.cell(row, 2) = label(capitalised(dice_skill_names[k - 1]), 108);
        t.cell(row, 3) = total("+" + std::to_string(d));
    }
    skills_table = blank_table;
    if (row > 0) finish(t, "SKILLS", skills_table);
    talent_rows(c, true, talents_table);
}

void draw_creation_tables(Bitmap& bitmap, int row) {
    const int id = row >= 1 && row < int(menu_items.size()) ? menu_items[row].id : 0;
    const bool past = menu.id == menu_character && id >= 1 && id < int(past_characters.size());
    build_creation_tables(past ? past_characters[id] : edited_character);
    Bitmap race, abilities, skills, talents_bitmap;
    draw_table(race, character_table);
    draw_table(abilities, abilities_table);
    draw_table(skills, skills_table);
    draw_table(talents_bitmap, talents_table);
    const int s = settings.icon_size, w = race.width();
    const int x0 = (bitmap.width() - 2 * w - s) / 2, y0 = x0 - s / 2;
    bitmap.draw(x0, y0, race);
    bitmap.draw(x0 + w + s, y0, abilities);
    bitmap.draw(x0, y0 + race.height() + s / 2, skills);
    if (talents_table.rows_used > 0) bitmap.draw(x0 + w + s, y0 + abilities.height() + s / 2, talents_bitmap);
}

void draw_level_up_tables(Bitmap& bitmap) {
    const tcharacter copy = edited_character;
    build_level_up_tables(copy);
    Bitmap summary, skills, talents_bitmap;
    draw_table(summary, character_table);
    draw_table(skills, skills_table);
    draw_table(talents_bitmap, talents_table);
    const int s = settings.icon_size, w = summary.width();
    const int x0 = (bitmap.width() - 2 * w - s) / 2, y0 = x0 - s / 2;
    bitmap.draw(x0, y0, summary);
    if (skills_table.rows_used > 0) bitmap.draw(x0 + w + s, y0, skills);
    if (talents_table.rows_used > 0)
        bitmap.draw(x0 + w + s, skills_table.rows_used > 0 ? y0 + skills.height() + s / 2 : y0,
                    talents_bitmap);
}

} // namespace dravok
