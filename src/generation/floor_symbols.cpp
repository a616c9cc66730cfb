#include "generation/floor_symbols.h"

#include <string>

#include "generation/areas.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/text_database.h"

namespace dravok {

namespace {

constexpr int largest_side = 9;

// The top left cell of the symbol and its size; false when it has no size or no area.
struct symbol_box {
    int x = 0, y = 0, width = 0, height = 0;
};

bool symbol_box_of(const tstuff& row, int area, symbol_box& out) {
    if (!is_area_ok(area) || !floor_symbol_size(row.object_id, out.width, out.height)) return false;
    const tarea& a = areas[area];
    int cx = a.centre_x, cy = a.centre_y;
    // Polygons and templates are centred on their zone; other areas on the middle of their floor.
    const int zone = row.zone != 0 ? row.zone : vz_main;
    const bool zoned = a.kind == area_polygon || a.kind == area_special || a.kind == area_vault;
    if (zoned && zone >= 1 && zone <= zone_count && a.zone(zone).x != 0) {
        const tzone_rect& z = a.zone(zone);
        cx = z.x + z.width / 2;
        cy = z.y + z.height / 2;
    }
    out.x = cx - out.width / 2;
    out.y = cy - out.height / 2;
    return true;
}

bool box_fits(const symbol_box& b) {
    const int cx = b.x + b.width / 2, cy = b.y + b.height / 2;
    if (!on_map(cx, cy)) return false;
    const int area = cell_at(cx, cy).area;
    for (int y = b.y; y < b.y + b.height; ++y)
        for (int x = b.x; x < b.x + b.width; ++x)
            if (!on_map(x, y) || !is_floor(x, y) || cell_at(x, y).area != area ||
                cell_at(x, y).floor_symbol() != 0)
                return false;
    return true;
}

} // namespace

bool parse_floor_symbol_size(std::string_view name, int& width, int& height) {
    width = height = 0;
    // The size sits between the last two underscores: "sy_seal_2x2_01".
    const std::size_t last = name.rfind('_');
    if (last == std::string_view::npos || last == 0) return false;
    const std::size_t before = name.rfind('_', last - 1);
    if (before == std::string_view::npos) return false;
    const std::string_view size = name.substr(before + 1, last - before - 1);
    if (size.size() != 3 || size[1] != 'x') return false;
    const int w = size[0] - '0', h = size[2] - '0';
    if (w < 1 || w > largest_side || h < 1 || h > largest_side) return false;
    width = w;
    height = h;
    return true;
}

bool floor_symbol_size(int entry, int& width, int& height) {
    width = height = 0;
    return entry >= 1 && parse_floor_symbol_size(section_text("_overlay_names", entry - 1), width, height);
}

bool floor_symbol_fits(const tstuff& row, int area) {
    symbol_box b;
    return symbol_box_of(row, area, b) && box_fits(b);
}

void place_floor_symbol(const tstuff& row, int area, tstuff& out) {
    symbol_box b;
    if (!symbol_box_of(row, area, b) || !box_fits(b)) return;
    int sprite = row.object_id;
    for (int y = b.y; y < b.y + b.height; ++y)
        for (int x = b.x; x < b.x + b.width; ++x)
            cell_at(x, y).floor_symbol() = static_cast<uint16_t>(sprite++);
    areas[area].symbol = 1;
    out.area = static_cast<uint16_t>(area);
    out.result_x = static_cast<uint8_t>(b.x);
    out.result_y = static_cast<uint8_t>(b.y);
    out.pieces_placed = static_cast<uint16_t>(b.width * b.height);
}

} // namespace dravok
