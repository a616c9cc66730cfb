// Assembles the whole tile set: draws every image in the loader's cut order, derives the
// darker light runs, packs the images onto the sheet and writes "<name>.dti" and "<name>.dts".
#pragma once
#include <string>
#include <vector>

#include "raster.h"

namespace dravok::tilebuild {

// What the database says about one creature, item or talent that the art depends on.
struct tplan_art {
    std::string id;            // the template's identifier, for messages and keyword icons
    std::string icon;          // the builder's icon name; empty = chosen from the identifier
    uint32_t colour = 0;       // 0xRRGGBB; 0 = chosen from the icon
    int width = 1, height = 1; // footprint in cells (creatures)
    int variants = 1;
};

struct tart_input {
    std::vector<tplan_art> beings, items, talents; // in database order, from index 1
};

// Writes the pair; throws std::runtime_error with the template and field on a bad input.
void build_tileset(const tart_input& input, const std::string& index_path, const std::string& sheet_path,
                   const std::string& preview_png = {});

// The icon a template without one of its own gets from the words of its identifier.
std::string default_creature_icon(const std::string& id);
std::string default_item_icon(const std::string& id);
std::string default_talent_icon(const std::string& id);

} // namespace dravok::tilebuild
