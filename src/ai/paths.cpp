// Paths. Until path finding lands no path is found and no step can be taken, so travel ends
// at its first step.
#include "ai/paths.h"

namespace dravok {

tpath path_result{};
const tpath empty_path{};

bool pathfind(int, int, int, int, int, bool, int) {
    // not built yet: finding a path
    return false;
}
bool take_path_step(int, int) {
    return false;
}

bool autopilot_path(int, int, int) {
    // not built yet: the autopilot's path to the cursor
    return false;
}

} // namespace dravok
