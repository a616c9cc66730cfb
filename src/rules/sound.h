// Sounds heard through the dungeon: making a sound at a being or cell (its loudness, the maker's
// stealth, the area's noise), who hears it and whether it wakes or alerts a creature, the player's
// "You hear" lines, and the decay of the areas' noise. Called by movement, doors, combat, yells,
// spells and the round scheduler.
#pragma once
#include <cstdint>

#include "records/layout_parts.h"

namespace dravok {

// The sound kinds the rules make.
enum sound_kind : int {
    sound_walking = 4,
    sound_door = 5,
    sound_toggle = 6,
    sound_bash = 7,
    sound_item = 8,
    sound_battle = 9,
    sound_fight = 10,
    sound_death = 11,
    sound_talk = 12,
    sound_scream = 13,
    sound_alarm = 14,
    sound_roar = 15,
    sound_shriek = 16,
    sound_spell = 17,
};
constexpr int sound_kind_count = 18;

// The game time of the last noise decay.
extern uint32_t last_noise_decay_time;

// Makes a sound of the kind at (x, y), or at the maker's cell when x is 0; the loudness after the
// maker's stealth. A maker of 0 is a sound without a maker (it needs a cell); any other maker
// that is not a valid being, a cell off the map or an unknown kind make no sound (0).
int32_t check_sounds(int maker, int x, int y, int depth, int kind);
// max(0, loudness - trunc((distance - 1) * 1.5)): one step away is full loudness.
int heard_loudness(int loudness, int distance);
bool can_hear_sound(int maker, int listener, const tsound& sound);
// Whether a creature takes the sound as its last noticed sound; a sleeping one may wake here.
bool is_alerted_by_sound(int listener, const tsound& sound);
// Every 15 time units each area's noise drops by 20.
void decay_area_noise();

} // namespace dravok
