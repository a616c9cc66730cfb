// The view memory grid; see view_memory.h.
#include "world/view_memory.h"
#include "world/grid.h"

namespace dravok {

tgrid<tview_cell> view_memory;

} // namespace dravok
