// What the melee and the ranged attack share: the item a hand holds, the hit effect of a weapon
// or natural attack run at the defender, the joining of one blow's sentence into the attack's
// message, and the close of an attack (regeneration, anger, life drain, the message, experience
// and death). Called by rules/melee.cpp and rules/ranged.cpp.
#pragma once
#include <string>

#include "records/layout_dice.h"
#include "records/layout_item.h"
#include "records/layout_parts.h"

namespace dravok {

// The item the being holds in hand 1 or 2 of its active set, or the blank item.
titem weapon_hand_item(int being, int hand);
// The hit effect, charged as the action kind, aimed at the defender's cell with the range of the
// distance; with list_aim the aim is the effect's only cell, else the pipeline computes the cells.
void run_attack_hit_effect(int attacker, int defender, const teffect& source, int used_item, int distance,
                           int action_kind, bool list_aim, int depth);
// message := message + " " + sentence, then the effect sentences of the blow, trimmed.
void append_blow_sentence(std::string& message, const std::string& sentence);
// Regeneration counters restart, a struck defender may get angry, a drained defender heals the
// attacker, the message and the experience text are logged, and a killed defender dies.
void finish_attack(int attacker, int defender, bool killed, bool drain, int total, std::string message,
                   const std::string& experience, tdamage& result, int depth);

} // namespace dravok
