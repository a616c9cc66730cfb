#include "rules/level_setup.h"

#include <cstdio>

#include "generation/areas.h"
#include "generation/level_creation.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "rules/being_checks.h"
#include "rules/character_sheet.h"
#include "rules/chatter.h"
#include "rules/followers.h"
#include "rules/item_use.h"
#include "rules/lasting_effects.h"
#include "rules/level_files.h"
#include "rules/map_effects.h"
#include "rules/talents.h"
#include "rules/transfer.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/coins.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/history_file.h"
#include "world/indicators.h"
#include "world/item_placement.h"
#include "world/lasting_effects.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map_features.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/pictures.h"
#include "world/player.h"
#include "world/random.h"
#include "world/regeneration.h"
#include "world/services.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/text_expand.h"
#include "world/world_lifecycle.h"

namespace dravok {

namespace {

// The message log starts a new block three rounds after arrival.
constexpr uint32_t arrival_separator_delay = 45;
constexpr int idle_turns_range = 40;
// At the hub, former companions warm to the player and the pantheon's beings greet one by one,
// each some rounds after the one before.
constexpr int former_companion_warmth = 50;
constexpr uint32_t greeting_delay = 75, greeting_step = 15;
constexpr int greeting_step_range = 10;

std::string format(const char* pattern, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

bool is_level_index(int index) {
    return index >= 1 && index < static_cast<int>(levels.size());
}

std::string command_key_text(const char* command) {
    return services.command_key_text(find_command_name(command));
}

void write_first_arrival() {
    if (level.demiplane != 0) {
        add_history("Arrived at Carillo, the trading demiplane, for the first time.");
    } else if (level.hub != 0) {
        add_history("Arrived at the Dravok.");
    } else if (level.index == 1) {
        add_message(
            "$B" + command_key_text("GAME_MENU") +
            " for game menu from where you can open the manual, change keybindings and other settings.");
        add_message();
        add_message("$B" + command_key_text("HELP") + " for help.");
        add_message();
        add_message(
            "$BWelcome to Dravok! There should be a book on the floor of this room. Pick it up, open the "
            "inventory and read the book as a tutorial.");
        state.game_started = 1;
        add_history("Adventure started.");
    } else {
        add_history(format("Arrived at dungeon level %d for the first time.", static_cast<int>(level.index)));
    }
}

uint32_t greeting_gap() {
    const int steps = random(greeting_step_range);
    return greeting_delay + uint32_t(steps) * greeting_step;
}

void greet_at_hub(int depth) {
    fill_character_stats(player_character, depth, game_character);
    uint32_t greeting_time = game.game_clock + greeting_gap();
    for (int i = 1; i < static_cast<int>(beings.size()); ++i) {
        tbeing& b = beings[i];
        if (i == player_character || b.present == 0) continue;
        if (has_type_flag(b, tf_former_player) || has_type_flag(b, tf_former_companion))
            services.update_emotion(i, player_character, former_companion_warmth, depth,
                                    get_being_distance(i, player_character));
        if (b.demigod == 0 && !has_type_flag(b, tf_avatar)) continue;
        for (int trigger : {chat_introduction_friendly, chat_idle_chatter})
            if (may_say_trigger(i, trigger, true, false)) b.chatter_time_of(trigger) = greeting_time;
        greeting_time += greeting_gap();
    }
}

} // namespace

bool setup_level(int depth) {
    depth = trace_enter(depth, trace_setup_level);
    services.clear_indicators();
    services.clear_static_lights();
    state.busy = 1;
    const int target = game.target_level;
    if (!is_level_index(target)) {
        error_log(depth,
                  format("Illegal level-index %d (high %d)!", target, static_cast<int>(levels.size()) - 1),
                  true);
        shutdown(false);
        return false;
    }
    if (is_level_index(game.current_level)) {
        store_transfer_beings(depth);
        update_level(depth);
        if (!save_level()) return false;
    }
    player = 0;
    player_character = 0;
    // An item chosen for the end of a trip is an index among the items of the level left.
    loot_target_item = 0;
    level = levels[target];
    map_size = level.map_size;
    clear_map_effect_grid();
    std::fill(duration_effects.begin(), duration_effects.end(), effect_template);
    if (level.file_size == 0) {
        create_level(depth);
        return !quit_requested();
    }
    return load_level();
}

bool arrive_at_level(int depth) {
    depth = trace_enter(depth, trace_arrive_at_level);
    if (game.portal.index != 0 && game.portal.index < portals.size()) {
        game.portal = portals[game.portal.index];
        if (game.portal.return_flag != 0) game.came_from_level = game.current_level;
        // Followers are put down round the cell the player came in by.
        game.arrival_x = game.portal.x;
        game.arrival_y = game.portal.y;
    }
    decay_corpses(depth);
    services.ai_catch_up_rounds();
    if (is_level_index(game.current_level)) restore_transfer_beings(depth);
    if (quit_requested()) return false;

    game.current_level = 0;
    const int own = find_being_by_serial(static_cast<int32_t>(game.player_serial));
    player_character = own;
    player = own;
    if (own == 0) return false;

    game.level_entered = 1;
    for (int i = 1; i < static_cast<int>(beings.size()); ++i)
        if (beings[i].present != 0) beings[i].number = 0;
    beings[own].number = 1;

    const bool first_arrival = level.first_arrival == 0;
    if (first_arrival) {
        level.first_arrival = game.game_clock;
        write_first_arrival();
    }
    if (!(level.index < 2 && game.game_clock <= level.first_arrival)) {
        std::string where;
        where_text(level.index, where);
        add_message();
        add_message("$NYou are " + where + ".");
        add_message();
    }

    state.arrival_word = 0;
    // The explore marks belong to the level left (or to a game played before this one).
    services.forget_explore_targets();
    state.explore_cursor_x = state.explore_cursor_y = 0;
    services.clear_indicators();
    services.update_lights();
    services.initial_sight();
    services.update_party_friendliness();
    services.draw_level_minimap();
    settings.separator_time = game.game_clock + arrival_separator_delay;
    state.busy = 0;

    update_duration_effects(depth);
    for (int slot = 1; slot < static_cast<int>(duration_effects.size()); ++slot)
        claim_effect_cells(slot);

    for (int i = 1; i < static_cast<int>(beings.size()); ++i) {
        tbeing& b = beings[i];
        if (b.present == 0 || b.seen_hostiles != 0) continue;
        const int idle = random(idle_turns_range);
        b.idle_turns = static_cast<uint16_t>(idle);
    }
    game.arrival_time = game.game_clock;
    if (level.hub != 0) greet_at_hub(depth);
    return true;
}

void update_level(int) {
    level.last_update = game.game_clock;
    level.area_count = static_cast<uint16_t>(area_high_index());
    int high = 0;
    for (int i = static_cast<int>(level_items.size()) - 1; i >= 1 && high == 0; --i)
        if (level_items[i].serial != 0) high = i;
    level.highest_item = static_cast<uint16_t>(high);
    count_level_beings();
    high = 0;
    for (int i = static_cast<int>(beings.size()) - 1; i >= 1 && high == 0; --i)
        if (beings[i].serial != 0) high = i;
    level.highest_being = static_cast<uint16_t>(high);
    for (int i = 1; i <= high; ++i)
        update_item_count(i);
    high = 0;
    for (int i = static_cast<int>(duration_effects.size()) - 1; i >= 1 && high == 0; --i)
        if (duration_effects[i].kind != 0) high = i;
    level.highest_effect = static_cast<uint16_t>(high);
    if (is_level_index(level.index)) levels[level.index] = level;
}

void where_text(int level_index, std::string& out) {
    if (!is_level_index(level_index)) return;
    if (level.demiplane != 0)
        out = "in Carillo, the trading demiplane";
    else if (level.hub != 0)
        out = "in the Dravok";
    else
        out = format("at dungeon level %d", static_cast<int>(level.index));
}

} // namespace dravok
