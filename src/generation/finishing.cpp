#include "generation/finishing.h"

#include <cstring>

#include "generation/areas.h"
#include "generation/grids.h"
#include "generation/standin_world.h"

namespace dravok {

// The dead-end, hallway, mark, natural-smoothing and connection passes join this frame with
// their own work; what runs now are the passes every finished level needs: empty cells become
// filler, walls standing in open floor become floor, doors without walls lose their furniture,
// the area graph is rebuilt, doors are opened by chance and `areas` is cut to the areas built.
void finalize_dungeon(int depth) {
    const int n = map_size;
    for (int x = 1; x <= n; ++x)
        for (int y = 1; y <= n; ++y) {
            tcell& c = cell_at(x, y);
            if (c.block == 0) {
                c.block = dungeon.filler_block;
                continue;
            }
            const int furniture = get_furniture(x, y, 0);
            if (c.block < 41) {
                bool open = true;
                for (int d = 0; d < 4 && open; ++d) {
                    static const int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
                    const int nx = x + dx[d], ny = y + dy[d];
                    open = is_floor(nx, ny, 0) && get_furniture(nx, ny, 0) == 0;
                }
                if (open) {
                    const int floor = most_common_neighbour_floor(x, y);
                    if (floor != 0) c.block = static_cast<uint8_t>(floor);
                }
            }
            if ((furniture >= 8 && furniture <= 11)) {
                int walls = is_wall(x, y - 1, 0) + is_wall(x + 1, y, 0) + is_wall(x, y + 1, 0) + is_wall(x - 1, y, 0);
                if (walls < 2) remove_furniture(x, y, false, depth);
            }
        }
    calculate_area_exits();
    for (int x = 1; x <= n; ++x)
        for (int y = 1; y <= n; ++y)
            if (is_furniture(x, y, 8, 0, 0) && d100() <= dungeon.open_door_chance) cell_at(x, y).furniture_state = 1;
    clear_grid(corridor_end_grid);
    areas.resize(dungeon.next_area >= 1 ? dungeon.next_area : 1);
}

// Turning a leftover mark into a doorway arrives with the finishing passes; until then a
// refused mark is simply dropped.
void mark_to_doorway(const tmark&, int) {}

} // namespace dravok
