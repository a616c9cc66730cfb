// The program's own menus, the menu mode's keys and the row actions; see menus.h.
#include "ui/menus.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "records/layout_level.h"
#include "rules/character_creation.h"
#include "rules/game_setup.h"
#include "rules/save_game.h"
#include "ui/dialogs.h"
#include "ui/key_bindings.h"
#include "ui/key_entry.h"
#include "ui/layout.h"
#include "ui/mode_keys.h"
#include "ui/release_check.h"
#include "ui/text_entry.h"
#include "ui/tileset.h"
#include "ui/title_screen.h"
#include "world/data_files.h"
#include "world/error_log.h"
#include "world/game_lists.h"
#include "world/game_modes.h"
#include "world/level_record.h"
#include "world/menu_model.h"
#include "world/player.h"
#include "world/saves.h"
#include "world/settings_file.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/text_utilities.h"

namespace dravok {

namespace {

// Row actions.
enum menu_action : int {
    act_new_game = 1,
    act_continue = 2,
    act_manual = 3,
    act_homepage = 4,
    act_settings = 5,
    act_keybindings = 6,
    act_quit = 7,
    act_load_save = 8,
    act_check_updates = 9,
    act_tile_size = 10,
    act_view_width = 11,
    act_view_height = 12,
    act_zoom = 13,
    act_fullscreen = 14,
    act_push_scroll = 15,
    act_offscreen_warning = 16,
    act_auto_map_points = 17,
    act_auto_quickslots = 18,
    act_auto_use_key = 19,
    act_create_obituary = 20,
    act_reset_settings = 21,
    act_exit_settings = 22,
    act_binding_row = 23,
    act_reset_bindings = 24,
    act_exit_keybindings = 25,
    act_resume = 26,
    act_save_and_quit = 27,
    act_help = 28,
    act_game_manual = 29,
    act_game_settings = 30,
    act_game_keybindings = 31,
    act_main_menu = 32,
    act_info = 33,
    act_new_character = 34,
    act_past_character = 35,
    act_name = 36,
    act_choose_race = 37,
    act_reset_abilities = 38,
    act_reroll_abilities = 39,
    act_release_notes = 46,
    act_update = 47,
    act_update_keep = 48,
    act_cancel_update = 49
};

constexpr int key_f = 'F', key_h = 'H', key_m = 'M';
constexpr int max_page_rows = 20;
constexpr int name_length = 30;

std::string keybindings_path() {
    return program_folder() + "Data/Keybindings.txt";
}

std::string capitals(std::string text) {
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

tmenu_item row(const std::string& text, int action) {
    tmenu_item r = blank_menu_item;
    r.text = text;
    r.action = action;
    return r;
}

void add_row(const std::string& text, int action, bool disabled = false) {
    tmenu_item r = row(text, action);
    r.disabled = disabled;
    add_menu_item(r);
}

void add_separator() {
    add_menu_item(separator_menu_item);
}

void add_heading(const std::string& text) {
    tmenu_item r = blank_menu_item;
    r.heading = spaced_title(text);
    add_menu_item(r);
}

void add_toggle(const std::string& text, int action, bool on) {
    tmenu_item r = row(text, action);
    r.toggle = 1;
    r.state = on;
    add_menu_item(r);
}

void add_value(const std::string& text, int action, int value, int min, int max, int step) {
    tmenu_item r = row(text, action);
    r.value = r.default_value = value;
    r.min = min;
    r.max = max;
    r.step = step;
    add_menu_item(r);
}

int page_size_for_rows() {
    return std::min({menu.count, settings.menu_rows > 0 ? settings.menu_rows : max_page_rows, max_page_rows});
}

bool web_rows_on() {
    return !release_host().empty();
}

void setup_main_menu() {
    menu.title = spaced_title("DRAVOK");
    add_row("NEW GAME", act_new_game);
    build_save_list();
    add_row("CONTINUE GAME", act_continue, save_names.empty());
    add_separator();
    add_row("MANUAL", act_manual);
    add_row("HOMEPAGE", act_homepage, !web_rows_on());
    add_separator();
    add_row("SETTINGS", act_settings);
    add_row("KEYBINDINGS", act_keybindings);
    add_separator();
    add_row("QUIT", act_quit);
    menu.title_picture = pick_title_picture() > 0;
}

void setup_load_menu() {
    menu.title = spaced_title("LOAD GAME");
    // Save i's summary, with its date and portrait, is past character i + 1.
    for (int i = 0; i < int(save_names.size()); ++i) {
        const tcharacter* summary = i + 1 < int(past_characters.size()) ? &past_characters[i + 1] : nullptr;
        const std::string date = summary ? format_log_stamp(datetime_from_value(summary->date_made)) : "";
        char text[160];
        std::snprintf(text, sizeof text, "%s     %s", date.c_str(), save_names[i].c_str());
        tmenu_item r = row(text, act_load_save);
        r.id = i;
        if (summary && summary->race_image > 0) r.sprite = summary->race_image;
        add_menu_item(r);
    }
}

void setup_game_menu() {
    add_row("RESUME", act_resume);
    add_separator();
    add_row("SAVE GAME & QUIT", act_save_and_quit, level.special != 0);
    add_separator();
    add_row("HELP", act_help);
    add_row("MANUAL", act_game_manual);
    add_separator();
    add_row("SETTINGS", act_game_settings);
    add_row("KEYBINDINGS", act_game_keybindings);
    add_separator();
    add_row("RETURN TO MAIN MENU", act_main_menu);
    add_row("QUIT GAME", act_quit);
}

void setup_settings_menu() {
    constexpr int small_tiles = 32, large_tiles = 64;
    menu.title = spaced_title("SETTINGS");
    add_heading("UPDATES");
    add_toggle("Check for updates on start", act_check_updates, settings.check_updates);
    add_heading("SCREEN");
    add_value("Tile size", act_tile_size, settings.tile_size, small_tiles, large_tiles, small_tiles);
    const bool small = settings.tile_size == small_tiles;
    const int min_w = small ? 23 : 11, min_h = small ? 17 : 9;
    const int max_w = std::max(min_w, small ? settings.max_view_width_32 : settings.max_view_width_64);
    const int max_h = std::max(min_h, small ? settings.max_view_height_32 : settings.max_view_height_64);
    add_value("View width in tiles", act_view_width, settings.view_width, min_w, max_w, 2);
    add_value("View height in tiles", act_view_height, settings.view_height, min_h, max_h, 2);
    add_value("Interface zoom", act_zoom, int(std::nearbyint(settings.zoom * 100)), 80, 150, 10);
    add_toggle("Fullscreen", act_fullscreen, settings.fullscreen);
    add_heading("GAMEPLAY");
    add_toggle("Push-scroll", act_push_scroll, settings.push_scroll);
    add_toggle("Offscreen creature warning", act_offscreen_warning, settings.offscreen_warning);
    add_toggle("Auto set map points", act_auto_map_points, settings.auto_map_points);
    add_toggle("Auto set quickslots", act_auto_quickslots, settings.auto_quickslots);
    add_toggle("Auto use key on lock", act_auto_use_key, settings.auto_use_key);
    add_toggle("Create obituary after death", act_create_obituary, settings.create_obituary);
    add_separator();
    add_row("Reset to defaults", act_reset_settings);
    add_separator();
    add_row("Exit", act_exit_settings);
}

void fill_binding_texts(tmenu_item& r) {
    for (int b = 1; b <= 2; ++b) {
        const std::string text = binding_text(0, 0, r.id, false, false, b);
        r.binding_texts[b - 1] = text.empty() ? "(unassigned)" : text;
    }
}

void setup_keybindings_menu() {
    menu.title = spaced_title("KEYBINDINGS");
    for (int g = 1; g <= command_group_count; ++g) {
        add_heading(capitals(command_groups[g]));
        for (int c = command_group_ranges[g][0]; c <= command_group_ranges[g][1]; ++c) {
            tmenu_item r = row(command_descriptions[c], act_binding_row);
            r.id = c;
            r.binding_columns = 2;
            fill_binding_texts(r);
            add_menu_item(r);
        }
    }
    add_separator();
    add_row("Reset to defaults", act_reset_bindings);
    add_separator();
    add_row("Exit", act_exit_keybindings);
}

void setup_update_menu() {
    menu.title = spaced_title("UPDATE AVAILABLE");
    const std::string save_folder = program_folder() + "Save/";
    state.saves_exist =
        folder_exists(save_folder) && !list_folder(save_folder, "*.dsg", ListKind::files).empty();
    add_row("RELEASE NOTES", act_release_notes, !web_rows_on());
    add_separator();
    add_row("UPDATE", act_update);
    add_row("UPDATE (KEEP SETTINGS & KEYBINDINGS)", act_update_keep);
    add_separator();
    add_row("CANCEL", act_cancel_update);
}

void build_rows(int id) {
    switch (id) {
    case menu_main:
        setup_main_menu();
        break;
    case menu_load:
        setup_load_menu();
        break;
    case menu_settings:
        setup_settings_menu();
        break;
    case menu_keybindings:
        setup_keybindings_menu();
        break;
    case menu_game:
        setup_game_menu();
        break;
    case menu_character:
        setup_character_menu();
        break;
    case menu_race:
        setup_race_menu();
        break;
    case menu_abilities:
        setup_abilities_menu();
        break;
    case menu_skills:
        setup_skills_menu();
        break;
    case menu_talents:
        setup_talents_menu();
        break;
    case menu_update:
        setup_update_menu();
        break;
    default:
        break;
    }
}

bool levelling_up() {
    return edited_character.created == 0;
}

int first_cursor_row() {
    switch (menu.id) {
    case menu_main:
        return find_menu_item_by_action(act_new_game);
    case menu_abilities:
    case menu_skills:
        return find_menu_item_by_action(act_info);
    case menu_talents:
        return edited_character.talent_points > 0 ? first_row_with_id() : find_menu_item_by_action(act_info);
    default:
        return 1;
    }
}

// Back to the menu the settings or keybindings menu was opened from, on the row it came from.
void return_to_opening_menu() {
    if (game_mode != mode_menu || settings.return_menu == 0) return;
    setup_menu(settings.return_menu);
    set_menu_cursor(settings.return_row);
}

void open_sub_menu(int id, int return_menu, int r) {
    settings.return_menu = return_menu;
    settings.return_row = r;
    setup_menu(id);
}

// The manual beside the program, in the desktop's viewer; without one (or without the file) the
// player is told where it should be, so the row never silently does nothing.
void open_manual() {
    const std::string manual = program_folder() + "Dravok.pdf";
    if (!file_exists(manual))
        show_message("The manual was not found. It belongs at " + manual + ".");
    else if (!open_document(manual))
        show_message("No program to show PDF files was found. The manual is " + manual + ".");
}

void handle_escape() {
    switch (menu.id) {
    case menu_game:
        game_mode = mode_main;
        break;
    case menu_load:
        setup_menu(menu_main);
        set_menu_cursor(settings.return_row);
        break;
    case menu_settings:
        if (!save_settings()) report_unwritten_file(settings_path());
        setup_menu(settings.return_menu != 0 ? settings.return_menu : menu_main);
        set_menu_cursor(settings.return_row);
        break;
    case menu_keybindings:
        if (!save_keybindings(keybindings_path())) report_unwritten_file(keybindings_path());
        setup_menu(settings.return_menu != 0 ? settings.return_menu : menu_main);
        set_menu_cursor(settings.return_row);
        break;
    case menu_character:
    case menu_race:
    case menu_abilities:
    case menu_skills:
    case menu_talents:
        if (levelling_up())
            reset_talent_choices();
        else
            handle_creation_back();
        break;
    default:
        break; // the main and the update menu stay
    }
}

void clear_binding(int r) {
    tmenu_item& item = menu_items[r];
    keybindings[item.id][menu.binding_column - 1] = tkeybinding{};
    fill_binding_texts(item);
}

bool binding_row(int r) {
    return r >= 1 && menu_items[r].binding_columns > 0;
}

} // namespace

void setup_menu(int id) {
    const int depth = trace_start(trace_setup_menu);
    begin_menu(id);
    build_rows(id);
    menu.page_size = id == menu_game ? menu.count : page_size_for_rows();
    menu.framed = 1;
    if (!finish_menu(depth)) return;
    set_menu_cursor(first_cursor_row());
    menu.binding_column = 1;
    game_mode = mode_menu;
}

void refresh_menu() {
    if (game_mode != mode_menu) return;
    const int top = menu.top, cursor = menu.cursor, column = menu.binding_column;
    setup_menu(menu.id);
    if (menu.count == 0) return;
    menu.top = std::clamp(top, 1, std::max(1, menu.count - menu.visible_rows + 1));
    menu.cursor = std::clamp(cursor, 1, menu.visible_rows);
    menu.binding_column = column;
}

void init_interface_templates() {
    menu = tmenu{};
    menu_items.assign(1, blank_menu_item);
    dialog = tdialog{};
    dialog_buttons.fill(tdialog_button{});
    string_dialog = tstring_dialog{};
}

bool settings_menu_open() {
    return game_mode == mode_menu && menu.id == menu_settings;
}

value_arrows menu_value_arrows(int r) {
    if (r < 1 || r > menu.count) return value_arrows::none;
    const tmenu_item& item = menu_items[r];
    bool down = item.value - item.step >= item.min;
    bool up = item.value + item.step <= item.max;
    if (menu.id == menu_abilities)
        up = up && ability_point_cost(item.value + 1) <= edited_character.ability_points;
    if (menu.id == menu_skills) up = up && edited_character.skill_points >= 1;
    if (down && up) return value_arrows::both;
    if (down) return value_arrows::down;
    if (up) return value_arrows::up;
    return value_arrows::none;
}

void change_menu_value(int r, int direction, int) {
    if (r < 1 || r > menu.count) return;
    tmenu_item& item = menu_items[r];
    menu.last_action = item.action;
    menu.last_row = r;
    if (item.value == no_value || item.value_hidden) return;
    const int changed = item.value + item.step * direction;
    if (changed < item.min || changed > item.max) return;
    switch (menu.id) {
    case menu_settings:
        if (handle_display_command(item.action, 0, tshift_state{}, item.step * direction / 100.0,
                                   item.step * direction, item.action)) {
            item.value = changed;
            menu.changed = 1;
        }
        break;
    case menu_character:
    case menu_race:
        item.value = changed;
        break;
    case menu_abilities:
        change_ability(r, direction);
        refresh_ability_menu_items();
        break;
    case menu_skills:
        change_skill(r, direction);
        break;
    default:
        break;
    }
}

void toggle_menu_row(int r, int) {
    if (r < 1 || r > menu.count) return;
    tmenu_item& item = menu_items[r];
    if (item.disabled || item.inactive) return;
    menu.last_action = item.action;
    menu.last_row = r;
    if (menu.id == menu_settings) {
        uint8_t* flag = nullptr;
        switch (item.action) {
        case act_check_updates:
            flag = &settings.check_updates;
            break;
        case act_offscreen_warning:
            flag = &settings.offscreen_warning;
            break;
        case act_auto_map_points:
            flag = &settings.auto_map_points;
            break;
        case act_auto_quickslots:
            flag = &settings.auto_quickslots;
            break;
        case act_auto_use_key:
            flag = &settings.auto_use_key;
            break;
        case act_create_obituary:
            flag = &settings.create_obituary;
            break;
        default:
            break;
        }
        if (flag != nullptr) {
            *flag = !*flag;
            item.state = *flag;
        } else if (handle_display_command(item.action, 0, tshift_state{}, 0.0, 0, item.action)) {
            item.state = !item.state;
        } else {
            return;
        }
        menu.changed = 1;
        return;
    }
    if (item.action == act_info) {
        item.state = !item.state;
        edited_character.hide_unavailable = item.state;
        setup_menu(menu_talents);
    } else if (item.action == 42) {
        const int top = menu.top, cursor = menu.cursor;
        toggle_talent_choice(r);
        setup_menu(menu_talents);
        menu.top = top;
        menu.cursor = cursor;
    }
}

namespace {

// The opening menu's choices: a new game, loading, the manual, settings and updates. False
// for an action of another menu.
bool handle_opening_action(const tmenu_item& item, int r) {
    switch (item.action) {
    case act_new_game:
        start_character_creation();
        return true;
    case act_continue:
        settings.return_row = r;
        setup_menu(menu_load);
        return true;
    case act_manual:
    case act_game_manual:
        open_manual();
        return true;
    case act_homepage:
        open_document(release_address(""));
        return true;
    case act_settings:
    case act_game_settings:
        open_sub_menu(menu_settings, item.action == act_settings ? menu_main : menu_game, r);
        return true;
    case act_keybindings:
    case act_game_keybindings:
        open_sub_menu(menu_keybindings, item.action == act_keybindings ? menu_main : menu_game, r);
        return true;
    case act_quit:
        request_quit();
        return true;
    case act_load_save:
        if (item.id < 0 || item.id >= int(save_names.size()) || !load_game(save_names[item.id]))
            request_quit();
        return true;
    case act_release_notes:
        open_document(release_address("/Dravok.txt"));
        return true;
    case act_update:
    case act_update_keep:
        state.update_chosen = 1;
        state.keep_settings = item.action == act_update_keep;
        return true;
    case act_cancel_update:
        setup_menu(menu_main);
        return true;
    default:
        return false;
    }
}

// The settings and key binding menus' choices. False for an action of another menu.
bool handle_settings_action(const tmenu_item& item, int r) {
    switch (item.action) {
    case act_reset_settings:
        default_settings();
        load_view_size();
        load_tileset();
        apply_layout();
        setup_menu(menu_settings);
        state.relayout = 1;
        menu.changed = 1;
        return true;
    case act_exit_settings:
        if (!save_settings()) report_unwritten_file(settings_path());
        return_to_opening_menu();
        return true;
    case act_binding_row:
        menu_items[r].waiting_column = menu.binding_column;
        game_mode = mode_keybind;
        return true;
    case act_reset_bindings:
        reset_keybindings();
        setup_menu(menu_keybindings);
        return true;
    case act_exit_keybindings:
        if (!save_keybindings(keybindings_path())) report_unwritten_file(keybindings_path());
        return_to_opening_menu();
        return true;
    default:
        return false;
    }
}

// The in-game menu's choices. False for an action of another menu.
bool handle_game_action(const tmenu_item& item) {
    switch (item.action) {
    case act_resume:
        game_mode = mode_main;
        return true;
    case act_save_and_quit:
        // A save that could not be written keeps the game running, so nothing is lost.
        if (save_game()) request_quit();
        return true;
    case act_help:
        open_help_screen();
        return true;
    default:
        return false;
    }
}

// The choices of making a character and of levelling up. Other actions do nothing.
void handle_creation_action(const tmenu_item& item, int r) {
    switch (item.action) {
    case act_new_character:
        setup_menu(menu_race);
        break;
    case act_past_character: {
        const int index = item.value >= 1 ? item.value : item.id;
        if (index >= 1 && index < int(past_characters.size())) edited_character = past_characters[index];
        edited_character.index = uint16_t(find_past_character_by_date(edited_character.date_made));
        edited_character.name = std::string_view(item.text).substr(0, name_length);
        setup_game();
        break;
    }
    case act_choose_race:
    case 40:
    case 41:
    case 43:
    case 44:
    case 45:
        if (levelling_up())
            handle_next_level_up(r);
        else
            handle_creation_continue(r);
        break;
    case act_reset_abilities:
    case act_reroll_abilities:
        if (item.action == act_reset_abilities)
            reset_abilities();
        else
            reroll_abilities();
        refresh_ability_menu_items();
        menu.changed = 1;
        break;
    default:
        break;
    }
}

} // namespace

void handle_menu_action(int r) {
    if (r < 1 || r > menu.count) return;
    const tmenu_item item = menu_items[r];
    menu.last_action = item.action;
    menu.last_row = r;
    if (item.disabled) return;
    // Leaving a game in progress unsaved asks first.
    if (menu.id == menu_game && (item.action == act_quit || item.action == act_main_menu)) {
        setup_leave_game_dialog(item.action);
        return;
    }
    if (handle_opening_action(item, r)) return;
    if (handle_settings_action(item, r)) return;
    if (handle_game_action(item)) return;
    handle_creation_action(item, r);
}

void handle_menu_commands(int, int command, int key, int modifier) {
    const int r = selected_menu_row();
    menu.changed = 0;
    menu.last_action = 0;
    menu.last_row = 0;
    const tmenu_item* item = r >= 1 ? &menu_items[r] : nullptr;

    if (key == key_escape) {
        handle_escape();
    } else if ((key == key_enter || key == key_space) && item && item->toggle) {
        toggle_menu_row(r, key);
    } else if (item && item->editable &&
               (key == key_space || (key == key_enter && item->action == act_name))) {
        start_text_entry(r);
    } else if ((key == key_m || key == key_f) && item &&
               (item->action == act_past_character || item->action == act_name)) {
        set_character_name(r, key == key_m ? "%m_start%%m_end%" : "%f_start%%m_middle|25%%f_end%");
    } else if (key == key_enter) {
        handle_menu_action(r);
    } else if (key == key_up || command == MOVE_N) {
        menu_cursor_up();
    } else if (key == key_down || command == MOVE_S) {
        menu_cursor_down();
    } else if (key == key_page_up) {
        menu_page_up();
    } else if (key == key_page_down) {
        menu_page_down();
    } else if (key == key_home) {
        menu_home();
    } else if (key == key_end) {
        menu_end();
    } else if (key == key_left || command == MOVE_W) {
        if (binding_row(r))
            menu.binding_column = std::max(1, menu.binding_column - 1);
        else
            change_menu_value(r, -1, key);
    } else if (key == key_right || command == MOVE_E) {
        if (binding_row(r))
            menu.binding_column = std::min(menu_items[r].binding_columns, menu.binding_column + 1);
        else
            change_menu_value(r, 1, key);
    } else if (key == key_tab) {
        menu_jump_group();
    } else if (key == key_delete && modifier == 0) {
        if (menu.id == menu_keybindings && binding_row(r) && menu.binding_column >= 1 &&
            menu.binding_column <= 2)
            clear_binding(r);
    } else if (key == key_delete && modifier == key_ctrl) {
        if (menu.id == menu_character && item && item->action == act_past_character)
            blank_past_character(item->value);
    } else if (command == CHARACTER_SHEET) {
        if ((menu.id == menu_skills || menu.id == menu_talents) && levelling_up())
            open_character_sheet(player);
    } else if (key == key_h && menu.id == menu_keybindings) {
        open_help_screen();
    }
}

void handle_keybind_commands(int, int, int key, int modifier) {
    game_mode = mode_menu;
    const int r = selected_menu_row();
    if (!binding_row(r) || menu.binding_column < 1 || menu.binding_column > 2) return;
    tmenu_item& item = menu_items[r];
    item.waiting_column = 0;
    if (key == key_escape && modifier == 0) return;
    keybindings[item.id][menu.binding_column - 1] = tkeybinding{uint8_t(key), uint8_t(modifier)};
    fill_binding_texts(item);
}

} // namespace dravok
