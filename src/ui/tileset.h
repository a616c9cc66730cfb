// Loading the tile set: reads "<name>.dti" and "<name>.dts" from the data folder, checks them,
// and cuts the sheet into the terrain, object and icon image lists at the current tile size,
// plus the eight threat arrows. Called once by the module initialisation and again after a
// change of tile size.
#pragma once
#include <string>

#include "records/tileset_file.h"

namespace dravok {

// The tile set named in the settings, for the loaded database. False after the fatal message.
bool load_tileset();

// The same from explicit files and counts: the unit of work behind load_tileset. On success
// `coin_icon` is the icon image of the coin item plan (0 when the plan is 0).
bool load_tileset_files(const std::string& index_path, const std::string& sheet_path,
                        const ttileset_expectation& expect, int tile_size, int icon_size, int& coin_icon);

// Only the index's figures (first images, variants, light runs) that the world asks for, without
// cutting the sheet: for work that creates beings and levels but draws nothing (benchmarks and
// tests). False, with nothing set, when the index is missing or does not fit the database.
bool load_sprite_figures(const std::string& index_path, const ttileset_expectation& expect);

} // namespace dravok
