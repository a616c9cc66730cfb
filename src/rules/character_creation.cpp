// Character creation and level-ups in the menus; see character_creation.h.
#include "rules/character_creation.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <cctype>

#include "records/vocabulary.h"
#include "rules/game_setup.h"
#include "rules/level_up.h"
#include "rules/talent_choice.h"
#include "rules/talents.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_lists.h"
#include "world/menu_model.h"
#include "world/player.h"
#include "world/saves.h"
#include "world/services.h"
#include "world/sprite_lookup.h"
#include "world/tables.h"
#include "world/text_database.h"
#include "world/text_utilities.h"

namespace dravok {

namespace {

// The creation menus' row actions.
constexpr int act_info = 33, act_new_character = 34, act_past_character = 35, act_name = 36,
              act_choose_race = 37, act_reset = 38, act_reroll = 39, act_abilities_continue = 40,
              act_skills_continue = 41, act_talent = 42, act_save_and_play = 43, act_play = 44,
              act_level_up_continue = 45;
constexpr int main_menu = 1;
constexpr char playable_prefix[] = "be_playable";
constexpr char hidden_talent_prefix[] = "mt";
constexpr char crlf[] = "\r\n";
constexpr int first_skill_icon = 5;

void open_menu(int id) {
    services.setup_menu(id);
}

std::string capitalised(std::string_view s) {
    std::string out(s);
    capitalize_first(out);
    return out;
}

std::string capitals(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Titles and headings are shown letter-spaced.
std::string spaced(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (!out.empty()) out += ' ';
        out += c;
    }
    return out;
}

tmenu_item row(const std::string& text, int action) {
    tmenu_item r = blank_menu_item;
    r.text = text;
    r.action = action;
    return r;
}

void add_heading(const std::string& text) {
    tmenu_item r = blank_menu_item;
    r.heading = spaced(text);
    add_menu_item(r);
}

void add_row(const std::string& text, int action, const std::string& key = {}) {
    tmenu_item r = row(text, action);
    r.text_key = key;
    add_menu_item(r);
}

// The interface's own icons: the abilities are 1..4, the skills 5..11.
int interface_icon(int n) {
    return sprite_info(sprites_interface, n).first_image;
}

bool level_up_sheet() {
    return edited_character.created == 0;
}

int last_talent() {
    return std::min(talent_count, talents_in_game());
}

// The menu row of a sheet field (ability, skill or talent), 0 when none.
tmenu_item* row_of(int r) {
    return r >= 1 && r <= menu.count && r < int(menu_items.size()) ? &menu_items[r] : nullptr;
}

void refresh_talent_rows() {
    refresh_talent_availability();
    const tcharacter& c = edited_character;
    for (int r = 1; r <= menu.count; ++r) {
        tmenu_item& item = menu_items[r];
        if (item.action != act_talent) continue;
        const tcharacter_talent& s = c.talent(item.id);
        item.toggle = 1;
        item.state = s.chosen;
        item.inactive = !sheet_meets_talent_requirements(item.id);
        item.disabled = s.owned || (s.available && !s.chosen && c.talent_points == 0);
    }
}

void play(bool pregenerated) {
    edited_character.date_started = date_now();
    save_characters(edited_character, pregenerated);
    setup_game();
}

} // namespace

void start_character_creation() {
    if (quit_requested()) return;
    new_character_sheet();
    load_characters();
    const bool last_played = past_characters.size() > 1 && !past_characters[1].name.empty();
    open_menu(last_played || count_past_characters() >= 1 ? menu_character : menu_race);
}

void setup_character_menu() {
    menu.title = spaced("CHARACTER");
    menu.description_panel = 1;
    add_row("Create a new character", act_new_character, "new_character");
    auto add_past = [](int index) {
        const tcharacter& c = past_characters[index];
        tmenu_item r = row(c.name.str(), act_past_character);
        r.id = index;
        r.creation_tables = 1;
        r.value = index;
        r.value_hidden = 1;
        r.sprite = c.race_image;
        add_menu_item(r);
    };
    if (past_characters.size() > 1 && !past_characters[1].name.empty()) {
        add_heading("LAST PLAYED");
        add_past(1);
    }
    if (count_past_characters() >= 1) {
        add_heading("PAST CHARACTERS");
        for (int i = 2; i < int(past_characters.size()); ++i)
            if (!past_characters[i].name.empty()) add_past(i);
    }
}

std::string race_info_text(int plan_index) {
    if (plan_index < 1 || plan_index >= int(being_plans.size())) return {};
    const tbeing_plan& p = being_plans[plan_index];
    std::string out = "$dHealth per level: $B" + dice_to_text(p.health) + "\n\n";
    out += "$dStamina per level: $B" + dice_to_text(p.stamina) + "\n\n";
    std::string items;
    for (int k = 1; k <= ability_count; ++k) {
        const int bonus = int8_t(at1(p.ability, k).bonus & 0xFF);
        if (bonus == 0) continue;
        if (!items.empty()) items += ", ";
        items += capitalised(dice_ability_names[k - 1]) + " " + signed_number_text(bonus);
    }
    if (!items.empty()) out += "$dAbility modifiers: $B" + items + "\n\n";
    items.clear();
    for (int k = 1; k <= skill_count; ++k) {
        const int bonus = int8_t(at1(p.skill, k).bonus & 0xFF);
        if (bonus == 0) continue;
        if (!items.empty()) items += ", ";
        items += capitalised(dice_skill_names[k - 1]) + " " + signed_number_text(bonus);
    }
    if (!items.empty()) out += "$dSkill modifiers: $B" + items + "\n\n";
    if (p.extra_skill_points != 0)
        out += "$dExtra skill-points at 1st level: $B" + std::to_string(p.extra_skill_points) + "\n\n";
    if (p.extra_talent_points != 0)
        out += "$dExtra talent-points at 1st level: $B" + std::to_string(p.extra_talent_points) + "\n\n";
    if (p.dark_vision != 0) out += "$dDarkvision: $B" + std::to_string(p.dark_vision) + " tiles\n\n";
    if (p.speed_bonus != 0) out += "$dMovement modifier: $B" + std::to_string(p.speed_bonus) + "\n\n";
    items.clear();
    for (int t = 1; t <= last_talent(); ++t) {
        if (at1(p.talent, t) == 0) continue;
        if (!items.empty()) items += ", ";
        items += talents[t].name.str();
    }
    // Like the rows above, the talents row shows only when the race grants some.
    if (!items.empty()) out += "$dTalents: $B" + items + "\n";
    return out;
}

void setup_race_menu() {
    menu.title = spaced("RACE");
    menu.description_panel = 1;
    add_heading("NAME");
    tmenu_item name = row(edited_character.name.str(), act_name);
    name.text_key = "race";
    name.editable = 1;
    add_menu_item(name);
    add_heading("RACE");
    for (int p = 1; p < int(being_plans.size()); ++p) {
        if (!being_plans[p].identifier.view().starts_with(playable_prefix)) continue;
        tmenu_item r = row(capitalised(being_plans[p].name.view()), act_choose_race);
        r.id = p;
        r.sprite = sprite_info(sprites_creature, p).first_image;
        r.description = race_info_text(p);
        add_menu_item(r);
    }
}

void refresh_ability_menu_items() {
    refresh_sheet_abilities();
    const tcharacter& c = edited_character;
    for (int r = 1; r <= menu.count; ++r) {
        tmenu_item& item = menu_items[r];
        if (item.action != 0 || item.id < 1 || item.id > ability_count) continue;
        const int k = item.id;
        item.value = at1(c.base_ability, k);
        item.min = least_ability_score;
        item.max = greatest_ability_score;
        item.creation_a = at1(c.race_ability_modifier, k);
        item.creation_b = at1(c.ability, k);
        item.creation_c = at1(c.ability_modifier, k);
    }
}

void setup_abilities_menu() {
    menu.title = spaced("ABILITIES");
    menu.description_panel = 1;
    for (int k = 1; k <= ability_count; ++k) {
        tmenu_item r = row(capitalised(dice_ability_names[k - 1]), 0);
        r.id = k;
        r.icon = interface_icon(k);
        r.text_key = std::string(dice_ability_names[k - 1]);
        add_menu_item(r);
    }
    add_menu_item(separator_menu_item);
    add_row("Info", act_info, "abilities");
    add_row("Reset", act_reset, "reset");
    add_row("Reroll", act_reroll, "reroll");
    add_row("Continue", act_abilities_continue);
    refresh_ability_menu_items();
}

void setup_skills_menu() {
    menu.title = spaced("SKILLS");
    menu.description_panel = 1;
    const tcharacter& c = edited_character;
    for (int k = 1; k <= skill_count; ++k) {
        const int key = key_ability_of_skill(k);
        const std::string key_name = capitalised(dice_ability_names[key - 1]);
        tmenu_item r = row(capitalised(dice_skill_names[k - 1]), 0);
        r.id = k;
        r.icon = interface_icon(k + first_skill_icon - 1);
        r.text_key = std::string(dice_skill_names[k - 1]);
        r.value = r.default_value = at1(c.skill, k);
        r.min = at1(c.skill_minimum, k);
        r.max = sheet_skill_maximum(k);
        r.disabled = r.min >= r.max;
        r.description = "Key-ability: " + key_name + "\nSkill maximum: " + std::to_string(r.max) +
                        " (Level " + std::to_string(c.level) + " + " + key_name + "-modifier " +
                        std::to_string(at1(c.ability_modifier, key)) + ")";
        add_menu_item(r);
    }
    add_menu_item(separator_menu_item);
    add_row("Info", act_info, "skills");
    tmenu_item next = row("Continue", act_skills_continue);
    next.level_up_tables = level_up_sheet();
    next.creation_tables = !level_up_sheet();
    add_menu_item(next);
}

void setup_talents_menu() {
    menu.title = spaced("TALENTS");
    menu.description_panel = 1;
    tcharacter& c = edited_character;
    int previous_type = -1;
    for (int t = 1; t <= last_talent(); ++t) {
        const ttalent& talent = talents[t];
        if (c.talent(t).owned || talent.identifier.view().starts_with(hidden_talent_prefix)) continue;
        if (c.hide_unavailable && !sheet_meets_talent_requirements(t)) continue;
        if (talent.type != previous_type) {
            add_heading(
                capitals(talent.type < vocab::talent_types.size() ? vocab::talent_types[talent.type] : "-"));
            previous_type = talent.type;
        }
        tmenu_item r = row(talent.name.str(), act_talent);
        r.id = t;
        r.icon = sprite_info(sprites_talent, t).first_image;
        r.text_key = talent.identifier.str();
        std::string info;
        talent_info_to_text(level_up_sheet() ? player_character : 0, t, info);
        r.description = talent_requirement_text(t) + crlf + info;
        add_menu_item(r);
    }
    tmenu_item info = row("Info / Hide unavailable", act_info);
    info.text_key = "talents";
    info.toggle = 1;
    info.state = c.hide_unavailable;
    add_menu_item(info);
    // The rows that end a step show the whole sheet, or a level's gains, beside the menu.
    if (!level_up_sheet()) {
        tmenu_item save = row("Save to pregenerated and play", act_save_and_play);
        save.creation_tables = 1;
        add_menu_item(save);
        tmenu_item play = row("Play", act_play);
        play.creation_tables = 1;
        add_menu_item(play);
    } else {
        tmenu_item next = row("Continue", act_level_up_continue);
        next.level_up_tables = 1;
        add_menu_item(next);
    }
    refresh_talent_rows();
}

void handle_creation_continue(int r) {
    const tmenu_item* item = row_of(r);
    if (item == nullptr) return;
    switch (item->action) {
    case act_choose_race: {
        const tsprite_info sprite = sprite_info(sprites_creature, item->id);
        choose_race(item->id, item->sprite, sprite.first_image, sprite.variants);
        open_menu(menu_abilities);
        break;
    }
    case act_abilities_continue:
        confirm_abilities();
        open_menu(menu_skills);
        break;
    case act_skills_continue:
        skills_snapshot = edited_character;
        open_menu(menu_talents);
        break;
    case act_save_and_play:
        play(true);
        break;
    case act_play:
        play(false);
        break;
    default:
        break;
    }
}

void handle_creation_back() {
    switch (menu.id) {
    case menu_character:
        open_menu(main_menu);
        break;
    case menu_race:
        open_menu(count_past_characters() >= 1 ? menu_character : main_menu);
        break;
    case menu_abilities:
        new_character_sheet();
        open_menu(menu_race);
        break;
    case menu_skills:
        edited_character = abilities_snapshot;
        open_menu(menu_abilities);
        break;
    case menu_talents:
        edited_character = skills_snapshot;
        open_menu(menu_skills);
        break;
    default:
        break;
    }
}

void reset_talent_choices() {
    // In a level-up's skills menu there is no earlier step: its choices start over instead.
    edited_character = menu.id == menu_skills && level_up_sheet() ? level_up_snapshot : skills_snapshot;
    open_menu(menu_skills);
}

void handle_next_level_up(int r) {
    const tmenu_item* item = row_of(r);
    switch (item != nullptr ? item->action : menu.last_action) {
    case act_skills_continue:
        skills_snapshot = edited_character;
        open_menu(menu_talents);
        break;
    case act_level_up_continue:
        finish_level_up(0);
        break;
    default:
        break;
    }
}

void set_character_name(int r, const std::string& text) {
    set_sheet_name(text);
    if (tmenu_item* item = row_of(r)) item->text = edited_character.name.str();
}

void change_ability(int r, int step) {
    const tmenu_item* item = row_of(r);
    if (item == nullptr || item->id < 1 || item->id > ability_count) return;
    change_ability_score(item->id, step * item->step);
}

void change_skill(int r, int step) {
    tmenu_item* item = row_of(r);
    if (item == nullptr || item->id < 1 || item->id > skill_count) return;
    if (change_skill_value(item->id, step * item->step)) item->value = at1(edited_character.skill, item->id);
}

void toggle_talent_choice(int r) {
    const tmenu_item* item = row_of(r);
    if (item == nullptr || item->action != act_talent) return;
    toggle_sheet_talent(item->id);
}

void blank_past_character(int index) {
    if (index < 2 || index >= int(past_characters.size())) return;
    past_characters[index] = blank_character;
    save_characters(blank_character, false);
    start_character_creation();
}

} // namespace dravok
