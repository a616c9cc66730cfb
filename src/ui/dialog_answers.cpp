// The dialog answers: each hands the chosen action to the rules and closes the dialog; see
// dialogs.h.
#include <filesystem>

#include "ai/emotion.h"
#include "ai/oneliners.h"
#include "ai/sleep.h"
#include "platform/files.h"
#include "records/being_flags.h"
#include "records/layout_game.h"
#include "rules/action_time.h"
#include "rules/after_damage.h"
#include "rules/being_checks.h"
#include "rules/books.h"
#include "rules/character_creation.h"
#include "rules/chatter.h"
#include "rules/damage.h"
#include "rules/followers.h"
#include "rules/furniture.h"
#include "rules/interactions.h"
#include "rules/item_use.h"
#include "rules/melee.h"
#include "rules/movement.h"
#include "rules/pantheon.h"
#include "rules/recruiting.h"
#include "rules/targeting.h"
#include "rules/traps.h"
#include "ui/animations.h"
#include "ui/dialogs.h"
#include "ui/lister.h"
#include "ui/lister_model.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/state.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int smash_time = 15;

int answer() {
    return dialog_buttons[std::clamp(dialog.selected, 1, dialog_max_buttons)].answer;
}

const tdialog_button& selected_button() {
    return dialog_buttons[std::clamp(dialog.selected, 1, dialog_max_buttons)];
}

int depth() {
    return trace_start(trace_setup_dialog);
}

bool partner_ok() {
    return dialog.partner >= 1 && dialog.partner < int(beings.size()) && beings[dialog.partner].present;
}

void say(int being, const char* suffix) {
    add_oneliner(being, player, 0, depth(), "", beings[being].identifier.str() + suffix);
}

// The direction from the player's being to the partner, 1 north clockwise; 0 when not adjacent.
int direction_to_partner() {
    const int dx = beings[dialog.partner].x - beings[player].x,
              dy = beings[dialog.partner].y - beings[player].y;
    for (int d = 1; d <= 8; ++d)
        if (direction_steps[d].dx == dx && direction_steps[d].dy == dy) return d;
    return 0;
}

} // namespace

void handle_dialog_confirmation() {
    const int d = depth();
    close_dialog();
    switch (dialog.confirmation) {
    case 7:
        toggle_furniture(player, dialog.thing, true, d, false);
        break;
    case 8:
        close_furniture(player, dialog.thing, true, d);
        break;
    case 9:
        loot_container(player, dialog.thing, true, d, false);
        break;
    case 10:
        handle_portal(player, dialog.thing, d);
        break;
    case 13:
        disable_furniture(player, dialog.thing, true, d);
        break;
    case 14:
        force_furniture(player, dialog.thing, true, d);
        break;
    case 12:
    case 15:
    case 16:
        handle_target_selected(player, d);
        break;
    default:
        break;
    }
}

void handle_dialog_confirmation_cancelled() {
    close_dialog();
}

void handle_dialog_bump_friendly() {
    const int a = answer(), d = depth();
    close_dialog();
    if (player < 1 || !partner_ok()) return;
    const int p = dialog.partner;
    switch (a) {
    case 3:
        displace_being(player, p);
        break;
    case 4:
        if (beings[p].asleep_counter > 0) ai_wake_up(p, d);
        break;
    case 5:
        add_message("$FChat not implemented.");
        break;
    case 8:
        reset_lister();
        initialize_inventory(player, p, list_backpack, list_backpack, 1, false);
        break;
    case 9:
        if (try_to_recruit(p, player, d)) {
            set_as_follower(p, player, d);
            say(p, "_follower_join");
        }
        break;
    case 12:
        release_follower(p);
        if (beings[p].attitude_to_player >= 0) say(p, "_follower_remove");
        break;
    case 10:
        add_message();
        beings[player].type_flags[tf_demigod] = 1;
        add_demigod(player);
        ascend_companions(d);
        ascend_player();
        say(p, "_ascension_demigod");
        break;
    case 11:
        add_message();
        beings[player].type_flags[tf_god] = 1;
        beings[player].type_flags[tf_avatar] = 1;
        // The god whose essence the player consumed gives up its place.
        replace_avatar_with_being(beings[player].divine_god, player);
        ascend_player();
        say(p, "_ascension_god");
        break;
    case 6:
        if (has_type_flag(beings[p], tf_overgod)) {
            delete_file(program_folder() + "Save/Avatars.dav");
            state.read_pantheon = 1;
        }
        melee_attack(player, p, direction_to_partner(), d);
        break;
    case 7: {
        std::string sentence;
        action_sentence(player, p, "%s %s %s.", sentence, "smashes", "smash");
        if (!sentence.empty()) add_message(sentence);
        tdamage damage{};
        const int health = beings[p].health;
        damage.total = health;
        after_damage(player, p, health, health, damage, d);
        kill_being(p, damage, d);
        beings[player].next_action_time = game.game_clock + action_time(player, smash_time);
        break;
    }
    default:
        break;
    }
}

void handle_dialog_locked_furniture() {
    const int a = answer(), d = depth();
    clear_all_indicators();
    close_dialog();
    switch (a) {
    case 13:
        // The key opens the door or the container as the open action does with a key at hand.
        toggle_furniture(player, dialog.thing, true, d, false);
        break;
    case 14:
        disable_furniture(player, dialog.thing, true, d);
        break;
    case 15:
        force_furniture(player, dialog.thing, true, d);
        break;
    default:
        break;
    }
}

// The two answers every known-trap dialog shares: disarm it, or set it off on purpose.
static void answer_known_trap(int a, int d) {
    if (a == 14) disable_trap(player, dialog.thing, d);
    if (a == 18) spring_trap(player, dialog.x, dialog.y, d);
}

void handle_dialog_ground_trap() {
    const int a = answer(), d = depth();
    close_dialog();
    if (a == 2)
        move_step(player, dialog.thing, false, d);
    else
        answer_known_trap(a, d);
}

void handle_dialog_furniture_trap() {
    const int a = answer(), d = depth();
    close_dialog();
    if (a != 2) {
        answer_known_trap(a, d);
    } else if (dialog.confirmation == 9) {
        loot_container(player, dialog.thing, true, d, true);
    } else {
        toggle_furniture(player, dialog.thing, true, d, true);
    }
}

void handle_dialog_switch() {
    const int a = answer(), d = depth();
    close_dialog();
    if (a == 2) toggle_switch(player, dialog.thing, d, true);
}

void handle_dialog_activate_golem() {
    const tdialog_button button = selected_button();
    const int d = depth();
    close_dialog();
    if (button.answer == 2) use_item(player, button.item, d, true);
}

void handle_dialog_game_over() {
    switch (answer()) {
    case 20:
        // The next start of play begins a new game with the same character.
        state.restart = 1;
        state.go_to_main_menu = 0;
        edited_character = game_character;
        break;
    case 22:
        state.restart = 1;
        state.go_to_main_menu = 1;
        break;
    case 23:
        request_quit();
        break;
    default:
        break;
    }
}

} // namespace dravok
