#include "generation/round_areas.h"

namespace dravok {

bool create_circular(int, int, int, int) {
    return false;
}
bool create_ellipse(int, int, int, int) {
    return false;
}
bool create_polygon(int, int, int, int) {
    return false;
}
bool create_natural(int, int, int, int, int) {
    return false;
}
bool natural_step(int, int, int) {
    return false;
}

} // namespace dravok
