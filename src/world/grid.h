// A square grid of map cells the size of the largest map, 1-based and x-major.
#pragma once
#include <array>

#include "records/layout_base.h"

namespace dravok {

// A 128 x 128 grid, 1-based and x-major: cell (x, y) is element (x-1)·128 + (y-1).
template <class T> struct tgrid {
    std::array<T, max_map_size * max_map_size> cells;

    T& operator()(int x, int y) { return cells[(x - 1) * max_map_size + (y - 1)]; }
    const T& operator()(int x, int y) const { return cells[(x - 1) * max_map_size + (y - 1)]; }
    void fill(const T& value) { cells.fill(value); }
};

} // namespace dravok
