// Talents: using the last talent again on the marked target. Called by the main commands.
#pragma once
#include <initializer_list>

#include "records/layout.h"

namespace dravok {

void repeat_talent(int being, int depth);
// Whether the being has the stamina the talent costs (report: tell the player when not).
bool has_stamina_for_talent(int being, int talent, bool report);
// A creature's choice among its usable talents of the allowed effect kinds against the target;
// the aim cell is kept in the talent record. 0 when none.
int get_talent(int being, int target, std::initializer_list<int> kinds, int depth);
// Uses the talent; a blank effect means the talent's own.
bool use_talent(int being, int talent, const teffect& effect, int depth);

// The talent's skill check; on failure it charges the failure time itself.
bool make_talent_skill_check(int being, int talent, int depth);
bool is_spell_talent(int talent);
void store_last_talent_use(int being, int talent, const teffect& effect, int target, int extra);

} // namespace dravok
