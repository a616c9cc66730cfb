#include "rules/transfer.h"

#include <cstdio>

#include "generation/areas.h"
#include "generation/locations.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "rules/action_time.h"
#include "rules/being_checks.h"
#include "rules/being_creation.h"
#include "rules/followers.h"
#include "rules/item_use.h"
#include "rules/lasting_effects.h"
#include "rules/movement.h"
#include "rules/talents.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/coins.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/history_file.h"
#include "world/indicators.h"
#include "world/item_placement.h"
#include "world/lasting_effects.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/message_log.h"
#include "world/pictures.h"
#include "world/player.h"
#include "world/regeneration.h"
#include "world/services.h"
#include "world/tables.h"
#include "world/transfer.h"

namespace dravok {

namespace {

constexpr int pursuit_distance = 4;
constexpr int pursuit_attitude = -19;
constexpr int pursuit_mind = 7;
constexpr int ability_mind = 3;
constexpr int new_item_list = 50;
constexpr uint32_t arrival_interval = 15;
constexpr int force_tries = 1000;
constexpr uint16_t any_exit_cells = 200;

bool slot_used(int slot) {
    return slot >= 1 && slot < static_cast<int>(transfer_beings.size()) && transfer_beings[slot].serial != 0;
}

bool targets(const teffect& e, int32_t serial) {
    return e.kind != 0 && e.target == static_cast<uint16_t>(serial);
}

// Moves the used slots to the front, keeping their order, items and effects.
void close_gaps() {
    int free = 1;
    for (int slot = 1; slot < static_cast<int>(transfer_beings.size()); ++slot) {
        if (!slot_used(slot)) continue;
        if (slot != free) {
            transfer_beings[free] = transfer_beings[slot];
            transfer_items[free] = transfer_items[slot];
            transfer_beings[slot] = blank_being;
            std::fill(transfer_items[slot].begin(), transfer_items[slot].end(), blank_item);
        }
        ++free;
    }
    int e_free = 1;
    for (int e = 1; e < static_cast<int>(transfer_effects.size()); ++e) {
        if (transfer_effects[e].kind == 0) continue;
        if (e != e_free) {
            transfer_effects[e_free] = transfer_effects[e];
            transfer_effects[e] = effect_template;
        }
        ++e_free;
    }
}

int used_slots() {
    int n = 0;
    for (int slot = 1; slot < static_cast<int>(transfer_beings.size()); ++slot)
        n += slot_used(slot) ? 1 : 0;
    return n;
}

std::string format(const char* pattern, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

} // namespace

bool follows_to_next_level(int being) {
    if (!is_being_ok(being) || !is_single_cell_being(being)) return false;
    const tbeing& b = beings[being];
    if (b.present == 0) return false;
    if (has_type_flag(b, tf_player)) return true;
    const int32_t character = player_character >= 1 ? beings[player_character].serial : 0;
    if (character != 0 && b.master == character) return true;
    const int entry = player_character >= 1 ? services.find_emotion_entry(being, player_character) : 0;
    if (entry == 0) return false;
    const temotion& e = b.attitude[entry - 1];
    return e.distance < pursuit_distance && e.value < pursuit_attitude &&
           b.ability_of(ability_mind) >= pursuit_mind && !services.is_afraid_of(being, player_character, 0);
}

void store_transfer_beings(int) {
    // Beings a forced transfer could not put down keep waiting in front of the new ones.
    close_gaps();
    const int waiting = used_slots();
    game.transfer_count = static_cast<uint16_t>(waiting);
    if (player == 0) return;

    for (tbeing& b : beings)
        b.turn_mark = 0;
    int followers = 0, effects = 0;
    for (int i = 1; i < static_cast<int>(beings.size()); ++i) {
        if (!follows_to_next_level(i)) continue;
        beings[i].turn_mark = 1;
        update_item_count(i);
        ++followers;
        for (int e = 1; e < static_cast<int>(duration_effects.size()); ++e)
            effects += targets(duration_effects[e], beings[i].serial) ? 1 : 0;
    }

    const int slots_needed = waiting + followers + 1;
    if (static_cast<int>(transfer_beings.size()) < slots_needed) {
        transfer_beings.resize(slots_needed, blank_being);
        transfer_items.resize(slots_needed, std::vector<titem>(new_item_list, blank_item));
    }
    int effect_slot = 1;
    while (effect_slot < static_cast<int>(transfer_effects.size()) && transfer_effects[effect_slot].kind != 0)
        ++effect_slot;
    if (static_cast<int>(transfer_effects.size()) < effect_slot + effects)
        transfer_effects.resize(effect_slot + effects, effect_template);

    int slot = waiting;
    for (int i = 1; i < static_cast<int>(beings.size()); ++i) {
        if (beings[i].turn_mark != 1) continue;
        reset_transfer_being(i);
        ++game.transfer_count;
        ++slot;
        transfer_beings[slot] = beings[i];
        const int items = beings[i].highest_item;
        std::vector<titem>& list = transfer_items[slot];
        if (static_cast<int>(list.size()) <= items)
            list.resize(static_cast<std::size_t>(items) + 1, blank_item);
        for (int k = 1; k <= items; ++k)
            list[k] = being_items[i][k];
        for (int e = 1; e < static_cast<int>(duration_effects.size()); ++e) {
            if (!targets(duration_effects[e], beings[i].serial)) continue;
            transfer_effects[effect_slot++] = duration_effects[e];
            duration_effects[e] = effect_template;
        }
        remove_being(i, 0);
    }
    for (tbeing& b : beings)
        if (b.present != 0) b.left_behind = 1;
    game.next_arrival_time = game.game_clock;
}

int place_transfer_being(int slot, int x, int y, int depth) {
    depth = trace_enter(depth, trace_place_transfer_being);
    if (!slot_used(slot)) return 0;
    const int i = add_being_to_level(x, y, transfer_beings[slot], depth, 0);
    if (i == 0) return 0;
    const int items = transfer_beings[slot].highest_item;
    std::vector<titem>& list = being_items[i];
    if (static_cast<int>(list.size()) <= items) list.resize(static_cast<std::size_t>(items) + 1);
    std::fill(list.begin(), list.end(), blank_item);
    for (int k = 1; k <= items && k < static_cast<int>(transfer_items[slot].size()); ++k)
        list[k] = transfer_items[slot][k];
    for (teffect& e : transfer_effects) {
        if (!targets(e, beings[i].serial)) continue;
        add_duration_effect(e, depth);
        e = effect_template;
    }
    enter_map_tile(i, depth);
    beings[i].next_action_time =
        i == player ? game.game_clock : game.game_clock + static_cast<uint32_t>(action_time(i, 55, true));
    transfer_beings[slot] = blank_being;
    std::fill(transfer_items[slot].begin(), transfer_items[slot].end(), blank_item);
    if (game.transfer_count > 0) --game.transfer_count;
    return i;
}

void restore_transfer_beings(int depth) {
    depth = trace_enter(depth, trace_restore_transfer_beings);
    if (game.transfer_count == 0 || !on_map(game.arrival_x, game.arrival_y)) return;
    int slot = 0;
    for (int s = 1; s < static_cast<int>(transfer_beings.size()) && slot == 0; ++s)
        if (slot_used(s) && static_cast<uint32_t>(transfer_beings[s].serial) == game.player_serial) slot = s;
    for (int s = 1; s < static_cast<int>(transfer_beings.size()) && slot == 0; ++s)
        if (slot_used(s)) slot = s;
    if (slot == 0) {
        game.transfer_count = 0;
        return;
    }
    const tbeing& waiting = transfer_beings[slot];
    const bool own = static_cast<uint32_t>(waiting.serial) == game.player_serial;
    int x = 0, y = 0;
    find_free_floor_for_being(game.arrival_x, game.arrival_y, std::max<int>(waiting.width, 1), x, y, depth,
                              std::max<int>(waiting.height, 1));
    if (on_map(x, y)) {
        const int i = place_transfer_being(slot, x, y, depth);
        if (i != 0 && i != player && player != 0 && services.can_see(player, 0, x, y))
            add_message(format("%s arrives.", being_name(i, name_the_capital).c_str()));
        if (i != 0 && own) player = player_character = i;
    } else if (own) {
        error_log(depth,
                  format("Could not find a place for player! Not enough room around %3.3d,%3.3d on level %d!",
                         static_cast<int>(game.arrival_x), static_cast<int>(game.arrival_y),
                         static_cast<int>(level.index)),
                  true);
        return;
    }
    game.next_arrival_time = game.game_clock + arrival_interval;
    if (game.transfer_count == 0) game.portal = tportal{};
}

void force_transfer_beings(int depth) {
    depth = trace_enter(depth, trace_force_transfer_beings);
    clear_area_marks();
    for (int slot = 1; slot < static_cast<int>(transfer_beings.size()); ++slot) {
        if (!slot_used(slot)) continue;
        tstuff request = blank_stuff;
        request.area =
            on_map(game.arrival_x, game.arrival_y) ? cell_at(game.arrival_x, game.arrival_y).area : 0;
        request.width = request.height = 1;
        if (request.area != 0) find_location_spot(request, depth, request);
        for (int tries = 0; !on_map(request.result_x, request.result_y) && tries < force_tries; ++tries) {
            request.area = 0;
            request.max_exit_cells = any_exit_cells;
            find_location(request, depth, request);
            if (request.area != 0) find_location_spot(request, depth, request);
        }
        if (!on_map(request.result_x, request.result_y) ||
            place_transfer_being(slot, request.result_x, request.result_y, depth) == 0) {
            error_log(depth, format("Could not force transfer being %d before level change!", slot), false);
            return;
        }
    }
    game.transfer_count = 0;
}

void compact_transfer_beings() {
    close_gaps();
    int effects = 0;
    for (const teffect& e : transfer_effects)
        effects += e.kind != 0 ? 1 : 0;
    game.transfer_effect_count = static_cast<uint16_t>(effects);
}

} // namespace dravok
