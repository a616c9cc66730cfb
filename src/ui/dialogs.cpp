// Dialogs: the record, the setups and the dialog keys; see dialogs.h.
#include "ui/dialogs.h"
#include "records/layout_being.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"

#include <cstdio>

#include "ai/paths.h"
#include "records/being_flags.h"
#include "records/map_vocab.h"
#include "ui/key_bindings.h"
#include "ui/key_entry.h"
#include "ui/menus.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/lasting_effects.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/menu_model.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/text_database.h"

namespace dravok {

tdialog dialog;
std::array<tdialog_button, dialog_max_buttons + 1> dialog_buttons;
std::array<uint8_t, dialog_max_lines + 1> dialog_lines_logged{};

namespace {

constexpr int talk_distance = 12;
constexpr int menu_action_quit = 7; // the game menu's QUIT GAME
constexpr int name_form_plain = name_capitalised, name_form_second = name_the_capital;

std::string format(const char* pattern, const std::string& a) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, a.c_str());
    return text;
}

std::string format(const char* pattern, const std::string& a, const std::string& b) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, a.c_str(), b.c_str());
    return text;
}

// Every setup starts here: a fresh record and buttons; the logged-line marks go with a dialog
// that is not replacing an open one.
void begin_dialog(int kind) {
    trace_start(trace_setup_dialog);
    if (game_mode != mode_dialog) dialog_lines_logged.fill(0);
    dialog = tdialog{};
    dialog_buttons.fill(tdialog_button{});
    dialog.kind = kind;
}

void add_button(const std::string& text, int answer, int talent = 0, int item = 0) {
    if (dialog.button_count >= dialog_max_buttons) return;
    tdialog_button& b = dialog_buttons[++dialog.button_count];
    b.text = text;
    b.answer = answer;
    b.talent = talent;
    b.item = item;
}

void add_line(const std::string& line) {
    if (line.empty() || dialog.lines_total >= dialog_max_lines) return;
    dialog.lines[++dialog.lines_total] = line;
}

void open_dialog() {
    game_mode = mode_dialog;
    log_changed = true;
}

std::string name_of(int being, int form) {
    std::string out;
    being_name(being, form, "", out);
    return out;
}

std::string plan_identifier(int being) {
    return beings[being].identifier.str();
}

// A random line of the being's text section with this suffix, "" when there is none.
std::string section_line(int being, const char* suffix) {
    return section_text(plan_identifier(being) + suffix);
}

std::string furniture_name_at(int x, int y) {
    return std::string(furniture_display_name(cell_at(x, y).furniture));
}

// A trap's name with its article.
std::string trap_name(int x, int y) {
    const int plan = cell_at(x, y).trap;
    if (plan < 1 || plan >= int(item_plans.size())) return "a trap";
    const std::string name = item_plans[plan].name.str();
    const bool vowel = !name.empty() && std::string("aeiouAEIOU").find(name[0]) != std::string::npos;
    return (vowel ? "an " : "a ") + name;
}

bool may_talk(const tbeing& b) {
    return b.seen_hostiles == 0 || b.nearest_hostile > talk_distance;
}

// The answer a replacing dialog takes over from the previous one of the same shape.
void keep_previous_selection(const tdialog& previous) {
    if (previous.kind == dialog.kind && previous.confirmation == dialog.confirmation &&
        previous.thing == dialog.thing && previous.x == dialog.x && previous.y == dialog.y &&
        previous.button_count == dialog.button_count && previous.selected <= dialog.button_count)
        dialog.selected = previous.selected;
}

bool all_lines_shown() {
    return dialog.lines_shown >= dialog.lines_total;
}

} // namespace

int current_dialog_kind() {
    return dialog.kind;
}

void setup_property_confirmation_dialog(int confirmation, int thing, int x, int owner, int y) {
    begin_dialog(dialog_confirmation);
    dialog.confirmation = confirmation;
    dialog.thing = thing;
    dialog.x = x;
    dialog.y = y;
    dialog.partner = owner;
    if (owner >= 1 && owner < int(beings.size())) {
        dialog.title = name_of(owner, name_form_plain);
        std::string line = section_line(owner, "_warn_about_touching_furniture");
        if (line.empty() && has_type_flag(beings[owner], tf_has_oneliners)) line = "Leave that alone!";
        add_line(line);
        dialog.question =
            format("%s might get angry if you do that. Continue?", name_of(owner, name_form_second));
    }
    add_button("No", 1);
    add_button("Yes", 2);
    open_dialog();
}

void setup_use_portal(int thing, int x, int y) {
    const int kind = on_map(x, y) ? cell_at(x, y).furniture : 0;
    if (kind != fu_stairs_down && kind != fu_stairs_up && kind != fu_teleporter) return;
    int here = 0;
    for (int p = 1; p < int(portals.size()) && here == 0; ++p)
        if (portals[p].level == level.index && portals[p].x == x && portals[p].y == y) here = p;
    if (here == 0) return;
    const tportal& portal = portals[here];
    const int there =
        portal.destination >= 1 && portal.destination < int(portals.size()) ? portal.destination : 0;
    const int target_level = there ? portals[there].level : 0;
    std::string title;
    if (target_level >= 1 && target_level < int(levels.size())) {
        const tlevel& destination = levels[target_level];
        if (target_level == level.index) {
            title = "This teleporter leads to another place on this same level.";
        } else if (destination.dungeon != level.dungeon) {
            title = format("This portal will take you to the %s.", destination.name.str());
        } else if (destination.hub) {
            title = "This teleporter will take you to the Dravok!";
        } else if (destination.name.str().find("shop") != std::string::npos) {
            title = "This teleporter will take you to the trading demiplane.";
        } else {
            if (player < 1 || !beings[player].commanded) return;
            title = format("These stairs lead to level %s.", std::to_string(destination.number));
        }
    }
    if (there && portals[there].destination != here)
        title += " Warning! This is a one-way teleporter. There might be no way to return.";
    begin_dialog(dialog_confirmation);
    dialog.confirmation = 10;
    dialog.thing = thing;
    dialog.x = x;
    dialog.y = y;
    dialog.title = title;
    if (kind == fu_teleporter) {
        dialog.question = "Step into the teleporter?";
        add_button("No, avoid the teleporter", 1);
        add_button("Yes, step into the teleporter", 2);
    } else {
        dialog.question = kind == fu_stairs_down ? "Descend the stairs?" : "Ascend the stairs?";
        add_button("No", 1);
        add_button("Yes", 2);
    }
    open_dialog();
}

void setup_locked_furniture_dialog(int confirmation, int thing, int x, int y) {
    if (player >= 1 && beings[player].path.purpose == autopilot_purpose) {
        add_message("$FLocked furniture blocks the path. Stopped autopilot.");
        beings[player].path = tbeing{}.path;
        game_mode = mode_main;
        return;
    }
    const tdialog previous = dialog;
    begin_dialog(dialog_locked_furniture);
    dialog.confirmation = confirmation;
    dialog.thing = thing;
    dialog.x = x;
    dialog.y = y;
    const std::string f = furniture_name_at(x, y);
    const int key_plan = cell_at(x, y).key_item;
    std::string key = "key";
    if (key_plan >= 1 && key_plan < int(item_plans.size())) {
        key = item_plans[key_plan].name.str();
        for (char& c : key)
            c = char(std::toupper(static_cast<unsigned char>(c)));
    }
    dialog.title = format("This %s is locked. A %s is required to open it.", f, key);
    dialog.question = format("You may either try to disable the lock or try to force the %s open.", f);
    add_button("Leave the " + f, 1);
    if (key_plan >= 1 && player >= 1) {
        for (const titem& item : being_items[player])
            if (item.plan == key_plan) {
                add_button("Unlock with key", 13);
                break;
            }
    }
    add_button("Disable the lock", 14);
    add_button("Force the " + f, 15);
    keep_previous_selection(previous);
    open_dialog();
}

void setup_bump_friendly_dialog(int being) {
    if (player < 1 || being < 1 || being >= int(beings.size())) return;
    begin_dialog(dialog_bump_friendly);
    tbeing& me = beings[player];
    tbeing& p = beings[being];
    dialog.partner = being;
    dialog.x = p.x;
    dialog.y = p.y;
    dialog.title = name_of(being, name_form_plain);
    const bool asleep = p.asleep_counter > 0;
    const bool i_talk = may_talk(me), p_talks = !asleep && may_talk(p);
    const bool both = i_talk && p_talks;
    const bool overgod = has_type_flag(p, tf_overgod);
    if (both) {
        if (overgod) {
            add_line(section_line(being, has_type_flag(me, tf_divine_essence) ? "_chat_essence_consumed"
                                                                              : "_chat_instructions"));
        } else if (has_type_flag(p, tf_former_player) || has_type_flag(p, tf_former_companion)) {
            static const char* const familiar[] = {
                "Hmm... do I know you, mortal? You seem familiar to me. It's almost like... no, that can not "
                "be.",
                "What is it, mortal? Wait... it seems that I know you from my past life. Who are you?",
                "Who are you, mortal? It feels like I am somehow connected to you."};
            const int pick = random(3);
            add_line(familiar[pick]);
        } else {
            std::string line = section_line(being, "_chat_introduction");
            if (line.empty()) line = section_line(being, "_chat_start");
            add_line(line);
        }
    } else if (asleep) {
        add_line("Zzz...");
        dialog.question = "$F" + name_of(being, name_form_second) + " is sleeping.";
    } else {
        dialog.question =
            "$F" + name_of(being, name_form_plain) + " can not talk while hostile beings are around.";
    }
    add_button("Leave", 1);
    const bool one_cell = me.width == 1 && me.height == 1 && p.width == 1 && p.height == 1;
    if (one_cell && !overgod && !has_type_flag(p, tf_avatar) && !has_type_flag(p, tf_former_player) &&
        !has_type_flag(p, tf_passive) && map_effect_grid(me.x, me.y).effect == 0 &&
        map_effect_grid(p.x, p.y).effect == 0)
        add_button("Swap places", 3);
    if (asleep) add_button("Wake", 4);
    if (both && has_type_flag(p, tf_trader)) add_button("Trade", 8);
    const bool follows = p.master != 0 && p.master == me.serial;
    if (!follows && both) {
        // Taming needs the player's taming ability, which the being record does not hold yet.
        if (has_type_flag(p, tf_can_be_recruited)) add_button("Recruit", 9);
    }
    if (follows) add_button("Remove from party", 12);
    if (overgod && both)
        add_button(has_type_flag(me, tf_divine_essence) ? "Ascend to godhood" : "Ascend to demigodhood",
                   has_type_flag(me, tf_divine_essence) ? 11 : 10);
    // The being record holds no attack-friends flags yet, so only a fungus can be smashed.
    if (has_type_flag(p, tf_fungus)) add_button("Smash fungus", 7);
    open_dialog();
}

void setup_friendly_fire_dialog(int confirmation) {
    begin_dialog(dialog_friendly_fire);
    dialog.confirmation = confirmation;
    dialog.title = "There are friendly creatures in the line of fire.";
    dialog.question = "Continue to fire?";
    add_button("No, abort", 1);
    add_button("Yes, fire", 2);
    open_dialog();
}

void setup_ground_trap_dialog(int confirmation, int thing, int x, int y) {
    begin_dialog(dialog_ground_trap);
    dialog.confirmation = confirmation;
    dialog.thing = thing;
    dialog.x = x;
    dialog.y = y;
    dialog.title = format("There is %s on the ground ahead.", trap_name(x, y));
    dialog.question =
        "Move on the spot trying to avoid the trap, try to disable it or deliberately spring it?";
    add_button("Abort", 1);
    add_button("Move forward", 2);
    add_button("Try to disable", 14);
    add_button("Spring", 18);
    open_dialog();
}

void setup_furniture_trap_dialog(int confirmation, int thing, int x, int y) {
    begin_dialog(dialog_furniture_trap);
    dialog.confirmation = confirmation;
    dialog.thing = thing;
    dialog.x = x;
    dialog.y = y;
    const std::string verb = confirmation == 9 ? "Loot" : "Open";
    const std::string f = furniture_name_at(x, y);
    dialog.title = format("There is %s in the %s.", trap_name(x, y), f);
    dialog.question =
        format("%s the %s trying to avoid the trap, try to disable it or deliberately spring it?", verb, f);
    add_button("Abort", 1);
    add_button(verb, 2);
    add_button("Try to disable", 14);
    add_button("Spring", 18);
    open_dialog();
}

void setup_switch_dialog(int confirmation, int thing, int x, int y) {
    begin_dialog(dialog_switch);
    dialog.confirmation = confirmation;
    dialog.thing = thing;
    dialog.x = x;
    dialog.y = y;
    dialog.title = format("There is a switch on the ground. It is currently in %s-position.",
                          cell_at(x, y).furniture_state == 1 ? "on" : "off");
    dialog.question = "Flick the switch?";
    add_button("Abort", 1);
    add_button("Toggle", 2);
    open_dialog();
}

void setup_activate_golem_dialog(int confirmation, int thing, int x, int scroll, int y) {
    const tdialog previous = dialog;
    begin_dialog(dialog_golem);
    dialog.confirmation = confirmation;
    dialog.thing = thing;
    dialog.x = x;
    dialog.y = y;
    dialog.title = "You have a scroll that could activate this golem.";
    dialog.question = "Read the scroll?";
    add_button("No", 1);
    add_button("Yes", 2, 0, scroll);
    keep_previous_selection(previous);
    open_dialog();
}

void setup_game_over_dialog() {
    begin_dialog(dialog_game_over);
    add_button("Restart with same character", 20);
    add_button("Go to main menu", 22);
    add_button("Quit game", 23);
    open_dialog();
}

void setup_leave_game_dialog(int menu_action) {
    begin_dialog(dialog_leave_game);
    dialog.confirmation = menu_action;
    const bool quitting = menu_action == menu_action_quit;
    dialog.title = level.special != 0 ? "This game can not be saved here."
                                      : "The game in progress is lost unless saved (SAVE GAME & QUIT).";
    dialog.question = quitting ? "Quit the game without saving?" : "Return to the main menu without saving?";
    add_button("No", 1);
    add_button("Yes", 2);
    open_dialog();
}

void handle_dialog_leave_game() {
    if (dialog_buttons[std::clamp(dialog.selected, 1, dialog_max_buttons)].answer != 2) {
        // The run goes on, with the game menu it was left from.
        setup_menu(menu_game);
        set_menu_cursor(find_menu_item_by_action(dialog.confirmation));
        return;
    }
    if (dialog.confirmation == menu_action_quit) {
        request_quit();
    } else {
        state.go_to_main_menu = 1;
        state.restart = 1;
    }
}

void close_dialog() {
    game_mode = mode_main;
    log_changed = true;
}

void handle_dialog_commands(int command, int key, int) {
    if ((key == key_escape || key == key_backspace) && all_lines_shown() && dialog.kind != dialog_game_over) {
        close_dialog();
    } else if (key == key_enter) {
        if (!all_lines_shown()) {
            ++dialog.lines_shown;
            return;
        }
        const int answer = dialog_buttons[std::clamp(dialog.selected, 1, dialog_max_buttons)].answer;
        switch (dialog.kind) {
        case dialog_confirmation:
        case dialog_friendly_fire:
            if (answer == 2)
                handle_dialog_confirmation();
            else if (answer == 1)
                handle_dialog_confirmation_cancelled();
            else
                close_dialog();
            break;
        case dialog_bump_friendly:
            handle_dialog_bump_friendly();
            break;
        case dialog_locked_furniture:
            handle_dialog_locked_furniture();
            break;
        case dialog_ground_trap:
            handle_dialog_ground_trap();
            break;
        case dialog_furniture_trap:
            handle_dialog_furniture_trap();
            break;
        case dialog_switch:
            handle_dialog_switch();
            break;
        case dialog_golem:
            handle_dialog_activate_golem();
            break;
        case dialog_game_over:
            handle_dialog_game_over();
            break;
        case dialog_leave_game:
            handle_dialog_leave_game();
            break;
        default:
            close_dialog();
            break;
        }
    } else if ((key == key_left || command == MOVE_W) && all_lines_shown()) {
        dialog.selected = std::max(1, dialog.selected - 1);
    } else if ((key == key_right || command == MOVE_E) && all_lines_shown()) {
        dialog.selected = std::min(dialog.button_count, dialog.selected + 1);
    }
}

} // namespace dravok
