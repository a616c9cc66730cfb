// Assembles the whole tile set: draws every image in the loader's cut order, derives the
// darker light runs, packs the images onto the sheet and writes "<name>.dti" and "<name>.dts".
#pragma once
#include <string>
#include <vector>

#include "raster.h"

namespace dravok::tilebuild {

// What the database says about one creature, item or talent that the art depends on.
struct tplan_art {
    std::string id;            // the template's identifier, for messages
    std::string icon;          // the picture's name (content_icons.h); empty = the family's default
    uint32_t colour = 0;       // 0xRRGGBB; 0 = chosen from the identifier
    int width = 1, height = 1; // footprint in cells (creatures)
    int variants = 1;
};

struct tart_input {
    std::vector<tplan_art> beings, items, talents; // in database order, from index 1
    std::string icon_folder;                       // the content's icon files
};

// Writes the pair; throws std::runtime_error with the template and field on a bad input, a
// missing picture, or two creatures naming different icons that are the same picture.
void build_tileset(const tart_input& input, const std::string& index_path, const std::string& sheet_path,
                   const std::string& preview_png = {});

} // namespace dravok::tilebuild
