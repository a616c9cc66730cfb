// Creature one-liners: what a creature says on its turn. Called by the decision chain. Until
// one-liners land creatures keep silent.
#pragma once

namespace dravok {

void ai_oneliners(int being, bool in_cell);

} // namespace dravok
