// The current level's beings, indexed from 1.
#pragma once
#include <vector>

namespace dravok {

struct tbeing;

extern std::vector<tbeing> beings;

} // namespace dravok
