// The current level's areas (entry 0 unused), made by the generator and read at run time.
#pragma once
#include <vector>

namespace dravok {

struct tarea;

extern std::vector<tarea> areas;

} // namespace dravok
