// The frame's panels as the rules see them.
#include "ui/frame_links.h"

namespace dravok {

bool log_changed = false;

} // namespace dravok
