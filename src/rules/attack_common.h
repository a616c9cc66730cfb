// What the melee and the ranged attack share: the round of blows they keep, each blow's steps
// (the modifiers put back, the damage dealt, the sentence told, a natural attack's recovery), the
// item a hand holds, the hit effect of a weapon or natural attack run at the defender, and the
// close of an attack (timing, regeneration, anger, life drain, the message, experience and
// death). Called by rules/melee.cpp and rules/ranged.cpp.
#pragma once
#include <cstdint>
#include <string>

#include "records/layout_dice.h"
#include "records/layout_item.h"
#include "records/layout_parts.h"

namespace dravok {

// One attack in progress: every blow of it, by hand or by natural attack, adds to the same
// damage total, result and message, and the attack's close reads them.
struct tattack_round {
    int attacker = 0, defender = 0, depth = 0;
    int distance = 0;
    int health_before = 0; // the defender's, when the attack began
    int time_modifier = 0; // the slowest weapon used
    int total = 0;
    tdamage result{};
    bool killed = false, drain = false;
    bool damaged_asleep = false; // a blow struck the defender in its sleep
    uint32_t earliest_ready = 0; // the first natural attack ready again
    std::string message;
    uint8_t saved_modifiers[5] = {};
};

// The defender's health and the attacker's attack modifiers noted, and the distance between them.
tattack_round begin_attack_round(int attacker, int defender, int depth);
// Before each blow: the attack modifiers as they were, then the damage's bonuses against the
// defender.
void begin_blow(tattack_round& round, const tdamage_dice& damage);
// A blow that hit deals its damage to the defender.
void strike(tattack_round& round, tdamage& rolled, int cause);
// Natural attack `index` was used: it is ready again after its time, counted from now.
void note_natural_ready(tattack_round& round, int index, int base_time, int time_multiplier);
// The blow's sentence joins the attack's message; a vampiric blow that did damage drains life,
// and a kill ends the blows.
void tell_blow(tattack_round& round, int verb_group, bool hit, int defence_kind, const titem& item,
               int attack, bool vampiric);
// After the blows: experience for a kill, the modifiers put back, the reactions to the damage,
// the attacker's next action time, its lunge and the sound of battle. Returns the experience text.
std::string settle_attack(tattack_round& round, int action_kind, int base_time, int direction,
                          int sound_kind);
// finish_attack with the round's figures.
void finish_attack_round(tattack_round& round, const std::string& experience);

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
