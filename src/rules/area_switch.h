// The wear of an area's switch: every use of a switch-driven effect raises the chance that the
// switch breaks off. Called by the handlers that a switch can run.
#pragma once

namespace dravok {

// Counts one use of the area's switch; true when the switch broke and was removed.
bool break_area_switch(int area, int factor);

} // namespace dravok
