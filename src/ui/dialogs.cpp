// Dialogs. Until they land a dialog is only its mode, and its keys close it.
#include "ui/dialogs.h"

#include <algorithm>

#include "platform/keys.h"
#include "rules/interactions.h"
#include "ui/key_bindings.h"
#include "world/error_log.h"
#include "world/globals.h"
#include "world/map.h"
#include "world/message_log.h"

namespace dravok {

namespace {

// The portal question: the one dialog whose answer is carried out so far.
constexpr int confirm_use_portal = 10;
constexpr int answer_no = 1, answer_yes = 2;

struct tportal_question {
    int confirmation = 0;
    int thing = 0;
    int selected = 1;
    int buttons = 0;
} question;

void close_dialog() {
    question = {};
    game_mode = mode_main;
    log_changed = true;
}

} // namespace

void handle_dialog_commands(int command, int key, int) {
    if (question.confirmation != confirm_use_portal) {
        // not built yet: the other dialogs' questions and answers
        game_mode = mode_main;
        return;
    }
    if (key == vk::escape || key == vk::back) {
        close_dialog();
    } else if (key == vk::left || command == MOVE_W) {
        question.selected = std::max(1, question.selected - 1);
    } else if (key == vk::right || command == MOVE_E) {
        question.selected = std::min(question.buttons, question.selected + 1);
    } else if (key == vk::enter) {
        const int thing = question.thing;
        const bool yes = question.selected == answer_yes;
        close_dialog();
        if (yes) handle_portal(player, thing, 1);
    }
}

void setup_use_portal(int thing, int x, int y) {
    if (!on_map(x, y)) return;
    // not built yet: the portal dialog's title, question and button texts
    question = {};
    question.confirmation = confirm_use_portal;
    question.thing = thing;
    question.buttons = answer_yes;
    question.selected = answer_no;
    game_mode = mode_dialog;
}
void setup_ground_trap_dialog(int, int, int, int) {
    game_mode = 6;
}
void setup_activate_golem_dialog(int, int) {
    game_mode = 6;
}

void draw_dialog() {
    // not built yet: the dialog's text and choices
}
void draw_string_dialog() {
    // not built yet: the text-entry dialog
}
int current_dialog_kind() {
    // not built yet: dialogs; none is ever open
    return 0;
}
void setup_game_over_dialog() {
    // not built yet: the game-over dialog
}

} // namespace dravok
