// Finding and drawing the pictures templates name; see content_icons.h.
#include "content_icons.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "icons.h"
#include "tinted_icon.h"

namespace dravok::tilebuild {
namespace {

bool is_own(const std::string& icon) {
    return icon.rfind(own_icon_prefix, 0) == 0;
}

// Icon names become file names: keep them to the collection's plain lower-case words.
bool plain_name(const std::string& icon) {
    if (icon.empty()) return false;
    for (char c : icon)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_')) return false;
    return true;
}

} // namespace

const std::string& tcontent_icons::source(const std::string& table, const std::string& id,
                                          const std::string& icon) {
    auto it = sources_.find(icon);
    if (it != sources_.end()) return it->second;
    const std::string where = table + " \"" + id + "\": field icon: ";
    if (is_own(icon)) {
        const std::string name = icon.substr(std::string(own_icon_prefix).size());
        if (!is_icon(name)) throw std::runtime_error(where + "the builder has no picture \"" + icon + "\"");
        return sources_[icon] = icon;
    }
    if (!plain_name(icon)) throw std::runtime_error(where + "\"" + icon + "\" is not an icon name");
    const std::filesystem::path file = std::filesystem::path(folder_) / (icon + ".svg");
    std::ifstream in(file, std::ios::binary);
    if (folder_.empty() || !in)
        throw std::runtime_error(where + "icon \"" + icon + "\" has no file " + file.string() +
                                 " (run tools/icons/fetch_icons.mjs)");
    std::ostringstream text;
    text << in.rdbuf();
    return sources_[icon] = text.str();
}

timage tcontent_icons::render(const std::string& table, const std::string& id, const std::string& icon,
                              rgb colour, int w_tiles, int h_tiles) {
    const std::string& svg = source(table, id, icon);
    if (is_own(icon))
        return render_icon(svg.substr(std::string(own_icon_prefix).size()), colour, w_tiles, h_tiles);
    try {
        return render_tinted_svg(svg, colour, w_tiles, h_tiles);
    } catch (const std::exception& e) {
        throw std::runtime_error(table + " \"" + id + "\": field icon: " + icon + ".svg: " + e.what());
    }
}

} // namespace dravok::tilebuild
