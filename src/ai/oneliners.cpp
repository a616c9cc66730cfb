#include "ai/oneliners.h"

namespace dravok {

// not built yet: creatures keep silent: no one-liners on their turn, no situations, no last words
void ai_oneliners(int, bool) {}
void add_situation_or_oneliner(int, int, int, bool, int, int) {}
void say_death_lines(int, int, int) {}

} // namespace dravok
