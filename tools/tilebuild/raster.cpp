// Pixel operations of the tile-set builder; see raster.h.
#include "raster.h"

#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace dravok::tilebuild {

rgb rgb_hex(uint32_t hex) {
    return {((hex >> 16) & 255) / 255.0, ((hex >> 8) & 255) / 255.0, (hex & 255) / 255.0};
}
rgb mix(rgb a, rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
rgb scale(rgb c, double f) {
    return {std::clamp(c.r * f, 0.0, 1.0), std::clamp(c.g * f, 0.0, 1.0), std::clamp(c.b * f, 0.0, 1.0)};
}

void path_rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

tcanvas::tcanvas(int width, int height) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cr_ = cairo_create(surface_);
}
tcanvas::~tcanvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

static timage from_surface(cairo_surface_t* s) {
    cairo_surface_flush(s);
    timage img;
    img.width = cairo_image_surface_get_width(s);
    img.height = cairo_image_surface_get_height(s);
    img.argb.resize(std::size_t(img.width) * img.height);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < img.height; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + std::size_t(y) * stride);
        for (int x = 0; x < img.width; ++x) {
            const uint32_t p = row[x];
            const uint32_t a = p >> 24;
            if (a == 0) {
                img.at(x, y) = 0;
                continue;
            }
            // Cairo stores premultiplied colour; the sheet wants it straight.
            auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
            img.at(x, y) = (a << 24) | (un((p >> 16) & 255) << 16) | (un((p >> 8) & 255) << 8) | un(p & 255);
        }
    }
    return img;
}

timage tcanvas::finish() {
    return from_surface(surface_);
}

void set_colour(cairo_t* cr, rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

timage shade(const timage& img, double light) {
    timage out = img;
    const double night[3] = {10, 11, 20};
    for (uint32_t& p : out.argb) {
        const double c[3] = {double((p >> 16) & 255), double((p >> 8) & 255), double(p & 255)};
        uint32_t v[3];
        for (int i = 0; i < 3; ++i)
            v[i] = uint32_t(std::clamp(night[i] + (c[i] - night[i]) * light, 0.0, 255.0) + 0.5);
        p = (p & 0xFF000000u) | (v[0] << 16) | (v[1] << 8) | v[2];
    }
    return out;
}

void add_grain(timage& img, uint32_t seed, double amount) {
    tnoise n(seed);
    for (uint32_t& p : img.argb) {
        if ((p >> 24) == 0) continue;
        const double d = (n.unit() - 0.5) * 2 * amount * 255;
        uint32_t v[3];
        for (int i = 0; i < 3; ++i) {
            const int shift = 16 - 8 * i;
            v[i] = uint32_t(std::clamp(double((p >> shift) & 255) + d, 0.0, 255.0));
        }
        p = (p & 0xFF000000u) | (v[0] << 16) | (v[1] << 8) | v[2];
    }
}

std::vector<timage> cut_parts(const timage& img, int w_tiles, int h_tiles) {
    std::vector<timage> parts;
    const int tw = img.width / w_tiles, th = img.height / h_tiles;
    for (int ty = 0; ty < h_tiles; ++ty)
        for (int tx = 0; tx < w_tiles; ++tx) {
            timage part;
            part.width = tw;
            part.height = th;
            part.argb.resize(std::size_t(tw) * th);
            for (int y = 0; y < th; ++y)
                for (int x = 0; x < tw; ++x)
                    part.at(x, y) = img.at(tx * tw + x, ty * th + y);
            parts.push_back(std::move(part));
        }
    return parts;
}

timage render_svg(const std::string& svg, int width, int height) {
    GError* error = nullptr;
    RsvgHandle* handle =
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error);
    if (!handle) {
        std::string what = error ? error->message : "unknown";
        if (error) g_error_free(error);
        throw std::runtime_error("bad SVG: " + what + "\n" + svg);
    }
    tcanvas canvas(width, height);
    RsvgRectangle viewport{0, 0, double(width), double(height)};
    if (!rsvg_handle_render_document(handle, canvas.cr(), &viewport, &error)) {
        std::string what = error ? error->message : "unknown";
        if (error) g_error_free(error);
        g_object_unref(handle);
        throw std::runtime_error("SVG not drawn: " + what);
    }
    g_object_unref(handle);
    return canvas.finish();
}

} // namespace dravok::tilebuild
