// Advice to the system about large blocks of memory the game is about to fill.
#pragma once
#include <cstddef>

namespace dravok {

// Readies a block that is about to be written whole: its pages are supplied at once (in large
// pages where the system offers them) rather than one fault per page as the first writes
// arrive, which at start-up cost thousands of faults. Contents are unchanged; small blocks and
// systems without the advice are left alone.
void prepare_to_fill(void* start, std::size_t bytes);

} // namespace dravok
