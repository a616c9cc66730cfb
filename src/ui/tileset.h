// The tile set as key entry sees it: loading it again after the tile size changed.
#pragma once

namespace dravok {

// False when the tile set could not be loaded.
bool load_tileset();

} // namespace dravok
