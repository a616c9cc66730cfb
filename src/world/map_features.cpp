#include "world/map_features.h"

#include <cstdint>

#include "world/map.h"

namespace dravok {

void smear_splashes(int, int, int, int) {
    // not built yet: splashes carried along by a moving being
}

void add_splash(int x, int y, int, int, int kind, int) {
    // not built yet: splash sizes, directions and mixing; the cell takes the kind
    if (on_map(x, y)) cell_at(x, y).splash = uint8_t(kind);
}

void get_cell_text(int, int, bool, std::string& out) {
    // not built yet: texts written on cells
    out.clear();
}

} // namespace dravok
