// The pictures templates name: an icon of the collection kept in the content's icon folder
// as "<name>.svg", or one of the builder's own under the "builder:" prefix. Files are read
// once; a name without a picture is refused with the template and the file it looked for.
#pragma once
#include <map>
#include <string>

#include "raster.h"

namespace dravok::tilebuild {

constexpr const char* own_icon_prefix = "builder:";

class tcontent_icons {
  public:
    // folder: where the content's icon files are; empty when only own pictures are named.
    explicit tcontent_icons(std::string folder) : folder_(std::move(folder)) {}

    // The picture of `icon` in the colour, w x h tiles large. `table` and `id` name the
    // template for messages.
    timage render(const std::string& table, const std::string& id, const std::string& icon, rgb colour,
                  int w_tiles = 1, int h_tiles = 1);
    // What the picture is drawn from (the file's SVG text, or the own picture's name): two
    // names with the same source show the same picture.
    const std::string& source(const std::string& table, const std::string& id, const std::string& icon);

  private:
    std::string folder_;
    std::map<std::string, std::string> sources_; // by icon name
};

} // namespace dravok::tilebuild
