// The lifetime statistics of every game played: time played, deaths, wins and ascensions, kept
// in "Dravok.dst". Shown in the main menu's footer.
#pragma once
#include "records/layout_files.h"

namespace dravok {

extern tstatistics statistics;

} // namespace dravok
