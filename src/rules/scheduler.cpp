// The round scheduler and the end-of-game hand-over.
#include "rules/scheduler.h"
#include "records/layout_being.h"
#include "records/layout_game.h"

#include "platform/desktop.h"
#include "platform/events.h"
#include "platform/timers.h"
#include "records/being_flags.h"
#include "rules/action_time.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/effects.h"
#include "rules/equipment.h"
#include "rules/followers.h"
#include "rules/item_use.h"
#include "rules/lasting_effects.h"
#include "rules/movement.h"
#include "rules/sound.h"
#include "rules/spawning.h"
#include "rules/transfer.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/item_statuses.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/regeneration.h"
#include "world/services.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/world_lifecycle.h"

namespace dravok {

int last_picked_being = 0;

namespace {

bool present(int b) {
    return beings[b].present != 0;
}

// A creature turn that left the being's clock where it was would be picked again at once,
// forever; book it a round and note the fault.
void guard_stalled_turn(int b, int depth) {
    depth = trace_enter(depth, trace_guard_stalled_turn);
    tbeing& being = beings[b];
    if (being.next_action_time > game.game_clock) return;
    being.next_action_time = game.game_clock + round_time;
    error_log(depth, "Being " + being.name.str() + " did not spend time in its turn!", false);
}

bool sentient_prompt_due(int b) {
    const tbeing& being = beings[b];
    if (has_type_flag(being, tf_player) && being.sentient_countdown > 0) return true;
    return (being.carried_sentient != 0 || being.equipped_sentient != 0) &&
           being.turns_without_hostiles >= 50;
}

// Continued walking, one step a pick. Returns whether the being continued.
bool continue_walk(int b, int depth) {
    depth = trace_enter(depth, trace_continue_walk);
    if (state.run_counter <= 0) return false;
    pump_messages();
    services.update_lights();
    if (state.run_counter <= 0) return false;
    walk(b, int(state.walk_direction), depth);
    if (state.walk_steps >= 10) state.run_counter = 0;
    services.redraw();
    return true;
}

// Exploring or autopilot travel, one step a pick; a blocked step re-plans once toward the
// same target. Returns whether the being continued.
bool continue_travel(int b, int depth) {
    depth = trace_enter(depth, trace_continue_travel);
    tbeing& being = beings[b];
    if (being.path.purpose != autopilot_purpose) return false;
    pump_messages();
    fade_old_log_lines();
    services.update_lights();
    if (being.path.purpose != autopilot_purpose) return false;
    bool stepped = services.take_path_step(b, depth);
    if (!stepped && being.path.purpose == autopilot_purpose) {
        if (services.find_path(b, being.path.target_x, being.path.target_y, autopilot_purpose, being.path)) {
            stepped = services.take_path_step(b, depth);
        }
    }
    if (stepped) {
        if (present(b) && being.stats_dirty) update_being(b, depth);
        log_changed = true;
        services.redraw();
        return true;
    }
    being.path = tpath{};
    log_changed = true;
    return false;
}

void rest_step(int b, int depth) {
    depth = trace_enter(depth, trace_rest_step);
    tbeing& being = beings[b];
    regenerate_being(b, depth);
    being.last_action_kind = 1;
    being.next_action_time = game.game_clock + uint32_t(action_time(b, 15));
}

enum class player_turn { go_on, leave };

player_turn player_branch(int b, int depth) {
    depth = trace_enter(depth, trace_player_branch);
    tbeing& being = beings[b];
    if (game.game_clock >= settings.separator_time) add_message();
    being.moved = 0;
    advance_game_clock();
    if (has_type_flag(being, tf_possessed) && being.possession_end <= game.game_clock) {
        end_possession(b);
        return player_turn::go_on;
    }
    if (settings.auto_map_points && game.next_map_point_time != 0 &&
        game.game_clock >= game.next_map_point_time)
        services.remember_place(being.x, being.y);
    spawn_beings(depth);
    player = b;
    check_animated_and_summoned(b, depth);
    if (sentient_prompt_due(b)) handle_sentient_item_oneliners(b, depth);

    bool continued = continue_walk(b, depth);
    if (!continued) continued = continue_travel(b, depth);

    if (!being.resting && being.rest_rounds == 0) return continued ? player_turn::go_on : player_turn::leave;

    pump_messages();
    services.update_lights();
    // The key that started the rest cleared the last action: this is the rest's first step.
    const bool first_rest_step = being.last_action_kind != 1;
    if (being.resting) {
        rest_step(b, depth);
        if (being.health >= being.health_max) being.resting = 0;
    } else if (being.rest_rounds > 0) {
        rest_step(b, depth);
        --being.rest_rounds;
    }
    // Drawn once as the rest begins, so the resting banner shows while it lasts, and once at its end.
    if ((!being.resting && being.rest_rounds == 0) || first_rest_step) services.redraw();
    return player_turn::go_on;
}

} // namespace

int pick_next_being() {
    int picked = 0;
    uint32_t best = 0;
    const int last = int(beings.size()) - 1;
    for (int i = 1; i <= last; ++i) {
        if (!present(i)) continue;
        if (picked == 0 || beings[i].next_action_time < best) {
            picked = i;
            best = beings[i].next_action_time;
        }
    }
    return picked;
}

void handle_rounds() {
    if (quit_requested() || state.restart || state.busy || state.level_up_pending) return;
    trace_start(trace_handle_rounds);
    const int depth = 1;
    int picked = 0;
    for (;;) {
        if (quit_requested()) {
            shutdown(true);
            return;
        }
        if ((state.died || state.won) && state.spectator_serial == 0) {
            player_killed_or_won();
            return;
        }
        if (game.transfer_count > 0 && game.game_clock >= game.next_arrival_time)
            restore_transfer_beings(depth);

        picked = pick_next_being();
        if (picked == 0) {
            show_message("No being found for next action in handle_rounds!");
            services.close_window();
            return;
        }
        last_picked_being = picked;
        tbeing& being = beings[picked];
        game.game_clock = being.next_action_time;
        message_text.clear();
        decay_area_noise();
        if (effects_changed || (next_effect_time != 0 && game.game_clock >= next_effect_time))
            update_duration_effects(depth);

        if (!present(picked)) continue;
        if (being.next_action_time > being.last_processed_time) update_map_effects_on_being(picked, depth);
        being.last_processed_time = being.next_action_time;
        if (!present(picked)) continue;

        if (!being.commanded) {
            services.ai_act(picked, depth);
            if (quit_requested()) {
                shutdown(true);
                return;
            }
            if (present(picked)) {
                guard_stalled_turn(picked, depth);
                if (being.stats_dirty) update_being(picked, depth);
            }
            // While the spectator looks on, the rounds run seven minutes of game time per tick.
            const Timer* spectator = services.spectator_timer();
            if (spectator && spectator->enabled() && int64_t(game.game_clock) >= spectator->tag() + 7) return;
            continue;
        }
        if (player_branch(picked, depth) == player_turn::leave) break;
    }

    if (game_mode == mode_inventory && state.lister_time_passing) {
        services.update_lights();
        if (player > 0 && beings[player].seen_hostiles > 0) {
            add_message("$FHostile creatures seen! Closing inventory.");
            game_mode = mode_main;
            state.lister_time_passing = false;
            update_being(player, depth);
            check_ammunition(player, depth);
        }
    }
    if (picked > 0 && present(picked) && beings[picked].stats_dirty) update_being(picked, depth);
    services.redraw();
}

void player_killed_or_won() {
    trace_start(trace_player_killed_or_won);
    const int depth = 1;
    const int last = int(beings.size()) - 1;
    for (int i = 1; i <= last; ++i)
        beings[i].commanded = 0;
    stop_resting(player_character);

    if (state.died) {
        const int plan = find_being_plan_by_name("be_spectator");
        const int spectator =
            plan > 0 ? add_being_to_level(game.death_x, game.death_y, blank_being, depth, plan) : 0;
        if (spectator == 0) {
            // Without a spectator the hand-over would repeat on every tick; stop in order.
            error_log(depth, "Missing being plan \"be_spectator\"!", true);
            return;
        }
        player = spectator;
        beings[player].health_max = 0;
    }
    if (player > 0) state.spectator_serial = uint32_t(beings[player].serial);

    add_message();
    if (state.died) {
        add_message("$FThe world goes dark! You die...");
        add_message();
    } else if (player > 0) {
        const tbeing& being = beings[player];
        const char* line = has_type_flag(being, tf_demigod)   ? "$EYou have become a demigod!"
                           : has_type_flag(being, tf_god)     ? "$EYou have become a god!"
                           : has_type_flag(being, tf_overgod) ? "$EYou have become the Overgod!"
                                                              : nullptr;
        if (line) {
            add_message(line);
            add_message();
        }
    }

    state.log_muted = 1;
    state.speech_passes = 1;
    state.spectator_ticks = 0;
    services.clear_end_of_game_panels();
    game_mode = mode_spectator;
    services.redraw();
    if (Timer* spectator = services.spectator_timer()) spectator->set_enabled(true);
}

} // namespace dravok
