// Reading effects and placement rows from their JSON objects into the packed records.
#pragma once
#include "context.h"

namespace dravok::dbbuild {

// Fills an effect of the given source (1 talent .. 5 item hit) and checks it.
void read_effect(const tplace& p, const json& e, teffect& out, int source);
// Fills a placement request or stuff row and checks it.
void read_stuff(const tplace& p, const json& r, tstuff& out);
// A formula counts as set (the game's test, without owner parts).
bool is_dice_set_simple(const tdice& d);
bool is_damage_set_simple(const tdamage_dice& d);

} // namespace dravok::dbbuild
