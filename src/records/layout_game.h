// The game record: clock, serial counters, level change state, chatter cooldowns, races
// met, talent use counts, key history and call trace. Written first in a save game.
#pragma once
#include <cstddef>
#include <cstdint>

#include "records/layout_base.h"
#include "records/layout_parts.h"

namespace dravok {

#pragma pack(push, 1)

// One remembered key press; byte 4 is filled with the last action kind after the action.
struct tkey_entry {
    uint8_t key;         // 0
    uint8_t modifier;    // 1
    uint8_t command;     // 2
    uint8_t game_mode;   // 3
    uint8_t action_kind; // 4
    uint8_t level;       // 5, level index
};
static_assert(sizeof(tkey_entry) == 6);
static_assert(offsetof(tkey_entry, modifier) == 1 && offsetof(tkey_entry, command) == 2);
static_assert(offsetof(tkey_entry, game_mode) == 3 && offsetof(tkey_entry, action_kind) == 4);
static_assert(offsetof(tkey_entry, level) == 5);

struct tgame {
    uint32_t size_signature[size_signature_count];        // 0
    uint16_t item_plan_count;                             // 56, table counts at save time
    uint16_t being_plan_count;                            // 58
    uint16_t level_count;                                 // 60
    uint16_t portal_count;                                // 62
    uint16_t content_count;                               // 64
    uint16_t vault_count;                                 // 66
    uint32_t arrival_time;                                // 68
    double save_time;                                     // 72
    uint32_t game_clock;                                  // 80
    uint32_t next_map_point_time;                         // 84
    uint32_t start_seed;                                  // 88
    uint32_t save_seed;                                   // 92
    uint32_t player_serial;                               // 96, the player's own character
    uint32_t being_serial;                                // 100, the last serial handed to a being
    uint32_t item_serial;                                 // 104
    uint32_t effect_serial;                               // 108
    uint16_t came_from_level;                             // 112, the level number used on arrival
    uint16_t target_level;                                // 114, the level being entered
    uint16_t current_level;                               // 116, the previous one while changing
    uint16_t portal_zone;                                 // 118, selects zone-bound portals
    uint16_t chatter_word;                                // 120
    uint16_t death_x;                                     // 122
    uint16_t death_y;                                     // 124
    uint8_t highest_player_level;                         // 126
    uint8_t arrival_x;                                    // 127
    uint8_t arrival_y;                                    // 128
    uint8_t clock_days;                                   // 129
    uint8_t clock_hours;                                  // 130
    uint8_t clock_minutes;                                // 131
    uint32_t clock_update_time;                           // 132
    uint16_t transfer_count;                              // 136, beings in transfer between levels
    uint16_t transfer_effect_count;                       // 138
    uint32_t next_arrival_time;                           // 140, the next level event
    tportal portal;                                       // 144, the portal in use
    uint16_t killer;                                      // 390, killer index
    uint32_t chatter_cooldown[chatter_trigger_count];     // 392, trigger t at 388 + 4t
    uint8_t race_encountered[race_last - race_first + 1]; // 624, race r at 611 + r
    uint16_t talent_uses[talent_count];                   // 744, talent t at 742 + 2t
    tkey_entry key_history[key_history_count];            // 1044, newest first
    uint16_t call_trace[call_trace_depth];                // 1164, entries 1..100
    uint32_t seconds_played;                              // 1364
    uint32_t key_presses;                                 // 1368
    uint16_t numbered_beings;                             // 1372
    uint16_t level_entered;                               // 1374

    uint32_t& chatter_cooldown_of(int t) { return at1(chatter_cooldown, t); }
    uint32_t chatter_cooldown_of(int t) const { return at1(chatter_cooldown, t); }
    // Race r counts from 13, the first being plan that is a race.
    uint8_t& race_encountered_of(int r) { return at1(race_encountered, r - race_first + 1); }
    uint8_t race_encountered_of(int r) const { return at1(race_encountered, r - race_first + 1); }
    uint16_t& talent_uses_of(int t) { return at1(talent_uses, t); }
    uint16_t talent_uses_of(int t) const { return at1(talent_uses, t); }
    tkey_entry& key_history_of(int n) { return at1(key_history, n); }
    const tkey_entry& key_history_of(int n) const { return at1(key_history, n); }
    uint16_t& call_trace_of(int depth) { return at1(call_trace, depth); }
    uint16_t call_trace_of(int depth) const { return at1(call_trace, depth); }
};
static_assert(sizeof(tgame) == 1376);
static_assert(offsetof(tgame, item_plan_count) == 56 && offsetof(tgame, vault_count) == 66);
static_assert(offsetof(tgame, arrival_time) == 68 && offsetof(tgame, save_time) == 72);
static_assert(offsetof(tgame, game_clock) == 80 && offsetof(tgame, next_map_point_time) == 84);
static_assert(offsetof(tgame, start_seed) == 88 && offsetof(tgame, save_seed) == 92);
static_assert(offsetof(tgame, player_serial) == 96 && offsetof(tgame, being_serial) == 100);
static_assert(offsetof(tgame, item_serial) == 104 && offsetof(tgame, effect_serial) == 108);
static_assert(offsetof(tgame, came_from_level) == 112 && offsetof(tgame, target_level) == 114);
static_assert(offsetof(tgame, current_level) == 116 && offsetof(tgame, portal_zone) == 118);
static_assert(offsetof(tgame, chatter_word) == 120 && offsetof(tgame, death_x) == 122);
static_assert(offsetof(tgame, death_y) == 124 && offsetof(tgame, highest_player_level) == 126);
static_assert(offsetof(tgame, arrival_x) == 127 && offsetof(tgame, arrival_y) == 128);
static_assert(offsetof(tgame, clock_days) == 129 && offsetof(tgame, clock_hours) == 130);
static_assert(offsetof(tgame, clock_minutes) == 131 && offsetof(tgame, clock_update_time) == 132);
static_assert(offsetof(tgame, transfer_count) == 136 && offsetof(tgame, transfer_effect_count) == 138);
static_assert(offsetof(tgame, next_arrival_time) == 140 && offsetof(tgame, portal) == 144);
static_assert(offsetof(tgame, killer) == 390 && offsetof(tgame, chatter_cooldown) == 392);
static_assert(offsetof(tgame, race_encountered) == 624 && offsetof(tgame, talent_uses) == 744);
static_assert(offsetof(tgame, key_history) == 1044 && offsetof(tgame, call_trace) == 1164);
static_assert(offsetof(tgame, seconds_played) == 1364 && offsetof(tgame, key_presses) == 1368);
static_assert(offsetof(tgame, numbered_beings) == 1372 && offsetof(tgame, level_entered) == 1374);

#pragma pack(pop)

} // namespace dravok
