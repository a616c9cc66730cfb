#include "generation/stuff.h"

namespace dravok {

void add_level_stuff(int) {}

} // namespace dravok
