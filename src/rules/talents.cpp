// Talents. Until talents land there is no last talent to repeat.
#include "rules/talents.h"

#include "world/globals.h"

namespace dravok {

// not built yet: there is no last talent to repeat
void repeat_talent(int, int) {}
bool has_stamina_for_talent(int, int, bool) {
    // not built yet: the stamina cost of a talent
    return false;
}
bool use_talent(int, int, const teffect&, int) {
    // not built yet: using a talent
    return false;
}

bool make_talent_skill_check(int, int, int) {
    // not built yet: every talent's skill check passes
    return true;
}
bool is_spell_talent(int talent) {
    constexpr int spell_type = 4;
    return talent >= 1 && talent < int(talents.size()) && talents[talent].type == spell_type;
}
// not built yet: the last talent used is not remembered
void store_last_talent_use(int, int, const teffect&, int, int) {}

int get_talent(int, int, std::initializer_list<int>, int) {
    // not built yet: creatures choosing a talent to use against a target
    return 0;
}

} // namespace dravok
