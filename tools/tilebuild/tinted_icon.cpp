// Tinted, outlined collection icons; see tinted_icon.h.
#include "tinted_icon.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace dravok::tilebuild {
namespace {

std::string hex(rgb c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", int(c.r * 255 + 0.5), int(c.g * 255 + 0.5),
                  int(c.b * 255 + 0.5));
    return buf;
}

std::string replaced(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size())
        s.replace(at, from.size(), to);
    return s;
}

// The side of the square the icon is drawn in, from its viewBox "0 0 W H".
double view_side(const std::string& svg) {
    const std::size_t at = svg.find("viewBox=\"");
    double x = 0, y = 0, w = 0, h = 0;
    if (at == std::string::npos ||
        std::sscanf(svg.c_str() + at + 9, "%lf %lf %lf %lf", &x, &y, &w, &h) != 4 || w <= 0 || h <= 0)
        throw std::runtime_error("the icon's SVG has no viewBox");
    return std::max(w, h);
}

// Everything between the opening <svg ...> tag and the closing </svg>.
std::string body_of(const std::string& svg) {
    const std::size_t open = svg.find("<svg");
    const std::size_t start = open == std::string::npos ? open : svg.find('>', open);
    const std::size_t end = svg.rfind("</svg>");
    if (start == std::string::npos || end == std::string::npos || end < start)
        throw std::runtime_error("the icon's file is not an SVG");
    return svg.substr(start + 1, end - start - 1);
}

} // namespace

rgb outline_colour(rgb colour) {
    const double luma = 0.299 * colour.r + 0.587 * colour.g + 0.114 * colour.b;
    return luma < 0.35 ? mix(colour, rgb{1, 1, 1}, 0.72) : rgb{0.08, 0.08, 0.08};
}

timage render_tinted_svg(const std::string& svg, rgb colour, int w_tiles, int h_tiles) {
    const double box = view_side(svg);
    const std::string body = body_of(svg);
    const int w = art_tile * w_tiles, h = art_tile * h_tiles;
    // The ring keeps about the same width in screen pixels at any footprint, thick enough to
    // survive the halving to 32-pixel tiles.
    const double ring = 2.5 + 0.75 * (std::min(w_tiles, h_tiles) - 1);
    const double side = std::min(w, h) - 2 * ring - 1;
    const double s = side / box;
    const rgb light = mix(colour, rgb{1, 1, 1}, 0.45), dark = scale(colour, 0.55);
    const std::string edge = hex(outline_colour(colour));
    char head[1024];
    std::snprintf(
        head, sizeof head,
        R"SVG(<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">)SVG"
        R"SVG(<defs><linearGradient id="g" x1="0" y1="0" x2="0.4" y2="1"><stop offset="0" stop-color="%s"/>)SVG"
        R"SVG(<stop offset="0.5" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient></defs>)SVG"
        R"SVG(<g transform="translate(%g %g) scale(%g)">)SVG",
        w, h, w, h, hex(light).c_str(), hex(colour).c_str(), hex(dark).c_str(), (w - side) / 2,
        (h - side) / 2, s);
    // The ring is the icon stroked wide underneath the fill: outside it is the outline, in the
    // icon's narrow gaps it shows as the inner lines.
    char ring_group[256];
    std::snprintf(ring_group, sizeof ring_group,
                  R"SVG(<g stroke="%s" stroke-width="%g" stroke-linejoin="round" stroke-linecap="round">)SVG",
                  edge.c_str(), 2 * ring / s);
    const std::string text = std::string(head) + ring_group + replaced(body, "currentColor", edge) + "</g>" +
                             replaced(body, "currentColor", "url(#g)") + "</g></svg>";
    return render_svg(text, w, h);
}

} // namespace dravok::tilebuild
