// Using items: reading, drinking, zapping and applying what a being carries. Called by the
// dialog answers, the quickslots and the AI.
#pragma once

namespace dravok {

// True when the item was used.
bool use_item(int being, int item, int depth);

} // namespace dravok
