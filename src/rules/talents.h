// Using talents: whether a being can use one now and has the stamina, the skill check, the
// effect handed to the effect pipeline, repeating the last talent, the creatures' choice of a
// talent, and the description shown on the talent screens. Called by the key commands, the
// talent screen, the AI and the effect pipeline.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

#include "records/layout_parts.h"

namespace dravok {

constexpr int talent_type_spells = 4, talent_type_monsters = 5;
constexpr int talent_kind_passive = 1;

// A spell talent requires the magic skill and no other skill.
bool is_spell_talent(int talent);
bool can_use_talent_now(int being, int talent);
// The stamina cost fits the being's stamina; the player hears why not when report is set.
bool has_stamina_for_talent(int being, int talent, bool report);
// The talent's skill check; a failure is told, costs 1 stamina and some time.
bool make_talent_skill_check(int being, int talent, int depth);
void prepare_talent_effect(int being, int talent, const teffect& effect, teffect& out);
// Uses the talent with the given effect (a blank effect: the talent's own); false when refused.
bool use_talent(int being, int talent, const teffect& effect, int depth);
void repeat_talent(int being, int depth);
// The AI's pick among its usable talents whose effect kind is among the kinds, against the
// target; the aim cell is left in the talent record. 0 when none fits.
int get_talent(int being, int target, std::span<const int> allowed_kinds, int depth);
// The same choice with the kinds written out at the call, as the creature decisions name them.
inline int get_talent(int being, int target, std::initializer_list<int> kinds, int depth) {
    return get_talent(being, target, std::span<const int>(kinds.begin(), kinds.size()), depth);
}
// Remembers the player's talent use for TALENT_MARKED: the effect, its aim and its target.
void store_last_talent_use(int being, int talent, const teffect& effect, int target, int extra);
// The lowest stamina cost among the owned talents of the types (all when the first is 0) whose
// effect kind is among the kinds; 0 when none.
uint8_t lowest_talent_stamina_cost(int being, std::span<const int> types, std::span<const int> kinds);
// The lines of the talent's description for the talent screens and the creation menu.
void talent_info_to_text(int being, int talent, std::string& out);

} // namespace dravok
