#include "ui/minimap.h"

namespace dravok {

void draw_minimap(int, int, int) {
    // not built yet: the level drawn in miniature
}

} // namespace dravok
