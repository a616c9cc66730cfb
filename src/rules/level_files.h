// Level files: the whole state of a level left behind (map, areas, floor items, beings with
// their items and first-sight rows, lasting effects), written to "Temporary/Level_NN.dlv" and
// read back on return. The file's sizes and sums live in the level's entry of `levels`, so a
// file of another level or of an earlier visit is refused. Called by level setup and saving.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "records/byte_stream.h"

namespace dravok {

// The file of the level with this index, beside the program.
std::string level_file_path(int level_index);

// Writes the current level's file and keeps its sizes and sums in levels[index]. False (with a
// fatal error-log entry) when the file cannot be written.
bool save_level();
// Reads the current level's file back. A missing file gives the missing-file message, a file
// failing its sums or its counts the corrupt-file message; both false.
bool load_level();

// The counts a level file is read with: the map's size and the lengths of its lists.
struct tlevel_counts {
    int map_size = 0;
    int areas = 0;
    int items = 0;
    int beings = 0;
    int effects = 0;
};
// Whether a decoded level file holds just what a load of it with these counts would read, judged
// without touching the world; the serials of its beings present are added to `present`.
bool level_file_fits(tbyte_stream& stream, const tlevel_counts& counts, std::vector<int32_t>& present);

void write_level_map(tbyte_stream& stream);
// False when the stream ran short.
bool read_level_map(tbyte_stream& stream);
// Rebuilds what the file leaves out: vault zones, beings on the grid, item counts, images.
void restore_map_data();

} // namespace dravok
