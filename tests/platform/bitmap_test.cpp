// The canvas: shapes, text and copies drawn, stored as PNG, read back and checked by pixel.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/bitmap.h"
#include "platform/image_files.h"
#include "platform/image_list.h"
#include "temp_folder.h"

namespace dravok {
namespace {

// Bounding box of the pixels that differ from the background.
Rect ink_box(const Bitmap& b, Colour background) {
    Rect box{b.width(), b.height(), 0, 0};
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.pixel(x, y) != background) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

TEST(PlatformBitmap, ShapesAndTextSurviveAPngRoundTrip) {
    testing::TempFolder tmp;
    Bitmap b(200, 120);
    b.clear(colours::black);

    // Filled rectangle: right and bottom edges excluded.
    b.fill_rect(Rect{10, 10, 20, 20}, 0x123456);
    // Rectangle with a two-pixel pen and a solid brush.
    b.set_pen(0xFF0000, 2);
    b.set_brush(0x00FF00);
    b.rectangle(Rect{30, 10, 50, 30});
    // Ellipse with a clear brush: outline only.
    b.set_pen(0xFFFF00, 1);
    b.set_brush_clear();
    b.ellipse(Rect{60, 10, 81, 31});
    // Triangle filled blue with a white outline.
    b.set_pen(colours::white, 1);
    b.set_brush(colours::blue);
    const Point tri[] = {{100, 10}, {130, 10}, {100, 40}};
    b.polygon(tri);
    // Rounded rectangle filled grey.
    b.set_brush(colours::grey);
    b.set_pen(colours::grey, 1);
    b.round_rect(Rect{140, 10, 180, 40}, 10, 10);
    // Text in white over a solid dark red background.
    b.set_font(FontSpec{"Verdana", 16, false, colours::white});
    b.set_brush(0x400000);
    b.text_out(10, 60, "Hello \xE9\x80");

    const std::string path = tmp / "canvas.png";
    ASSERT_TRUE(write_png(path, b));
    Bitmap r;
    ASSERT_TRUE(read_png(path, r));
    ASSERT_EQ(r.width(), 200);
    ASSERT_EQ(r.height(), 120);

    EXPECT_EQ(r.pixel(10, 10), 0x123456u);
    EXPECT_EQ(r.pixel(19, 19), 0x123456u);
    EXPECT_EQ(r.pixel(20, 19), colours::black);
    EXPECT_EQ(r.pixel(19, 20), colours::black);

    EXPECT_EQ(r.pixel(30, 10), 0xFF0000u);
    EXPECT_EQ(r.pixel(31, 11), 0xFF0000u); // second pen pixel
    EXPECT_EQ(r.pixel(32, 12), 0x00FF00u); // brush inside
    EXPECT_EQ(r.pixel(49, 29), 0xFF0000u);
    EXPECT_EQ(r.pixel(50, 30), colours::black);

    EXPECT_EQ(r.pixel(70, 10), 0xFFFF00u);      // top of the ellipse
    EXPECT_EQ(r.pixel(70, 20), colours::black); // clear brush keeps the inside
    EXPECT_EQ(r.pixel(60, 10), colours::black); // corner of the box is outside

    EXPECT_EQ(r.pixel(105, 15), colours::blue);
    EXPECT_EQ(r.pixel(128, 38), colours::black);

    EXPECT_EQ(r.pixel(160, 25), colours::grey);
    EXPECT_EQ(r.pixel(140, 10), colours::black); // rounded corner

    // The text's box is filled with the brush and holds white ink.
    Size ext = b.text_extent("Hello \xE9\x80");
    EXPECT_GT(ext.width, 40);
    EXPECT_GE(ext.height, 16);
    EXPECT_EQ(r.pixel(10, 60), 0x400000u);
    EXPECT_EQ(r.pixel(10 + ext.width - 1, 60 + ext.height - 1), 0x400000u);
    EXPECT_EQ(r.pixel(10 + ext.width, 60), colours::black);
    bool white = false;
    for (int y = 60; y < 60 + ext.height; ++y)
        for (int x = 10; x < 10 + ext.width; ++x)
            white |= r.pixel(x, y) == colours::white;
    EXPECT_TRUE(white);
}

TEST(PlatformBitmap, TextIsDrawnInTheFontColourAndMeasured) {
    Bitmap b(300, 60);
    b.set_brush_clear();
    b.set_font(FontSpec{"Tahoma", 20, false, 0x22DD22});
    b.text_out(5, 5, "WWWW");
    Rect ink = ink_box(b, colours::black);
    ASSERT_FALSE(ink.empty());
    Size ext = b.text_extent("WWWW");
    EXPECT_GE(ink.left, 5);
    EXPECT_LE(ink.right, 5 + ext.width + 1);
    EXPECT_LE(ink.bottom, 5 + ext.height);
    // Strokes of W reach full colour.
    bool pure = false;
    for (int y = ink.top; y < ink.bottom; ++y)
        for (int x = ink.left; x < ink.right; ++x)
            pure |= b.pixel(x, y) == 0x22DD22u;
    EXPECT_TRUE(pure);

    // Bold is wider, a larger font is taller, the serif and narrow families load too.
    FontSpec f{"Verdana", 13, false, colours::white};
    b.set_font(f);
    Size regular = b.text_extent("Dungeon");
    b.set_font_bold(true);
    EXPECT_GT(b.text_width("Dungeon"), regular.width);
    b.set_font(FontSpec{"Verdana", 26, false, colours::white});
    EXPECT_GT(b.text_height("Dungeon"), regular.height);
    for (const char* family : {"Georgia", "Arial Narrow"}) {
        b.set_font(FontSpec{family, 13, false, colours::white});
        EXPECT_GT(b.text_width("Dungeon"), 0) << family;
    }
    b.set_font(FontSpec{"Arial Narrow", 13, false, colours::white});
    EXPECT_LT(b.text_width("Dungeon"), regular.width);
    EXPECT_EQ(FontSpec::points_to_pixels(8), 11);
    EXPECT_EQ(FontSpec::points_to_pixels(12), 16);
}

TEST(PlatformBitmap, LinesAndClipping) {
    Bitmap b(20, 20);
    b.set_pen(colours::white, 1);
    b.line(2, 2, 2, 8);
    EXPECT_EQ(b.pixel(2, 2), colours::white);
    EXPECT_EQ(b.pixel(2, 8), colours::white);
    b.move_to(5, 2);
    b.line_to(5, 8);
    EXPECT_EQ(b.pixel(5, 7), colours::white);
    EXPECT_EQ(b.pixel(5, 8), colours::black); // line_to leaves its end point

    b.set_clip(Rect{10, 10, 15, 15});
    b.fill_rect(Rect{0, 0, 20, 20}, colours::red);
    b.line(0, 12, 19, 12);
    b.set_pixel(1, 1, colours::red);
    EXPECT_EQ(b.pixel(9, 9), colours::black);
    EXPECT_EQ(b.pixel(1, 1), colours::black);
    EXPECT_EQ(b.pixel(10, 10), colours::red);
    EXPECT_EQ(b.pixel(12, 12), colours::white);
    EXPECT_EQ(b.pixel(16, 12), colours::black);
    EXPECT_EQ(b.pixel(15, 15), colours::black);
    b.clear_clip();
    b.set_pixel(1, 1, colours::red);
    EXPECT_EQ(b.pixel(1, 1), colours::red);
    // Text after a shape drawn under a smaller clip is clipped only by the current one.
    b.set_font(FontSpec{"Verdana", 12, true, colours::lime});
    b.set_brush_clear();
    b.text_out(0, 0, "MM");
    EXPECT_FALSE(ink_box(b, colours::black).empty());
    int lime = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            lime += b.pixel(x, y) == colours::lime;
    EXPECT_GT(lime, 0);
    EXPECT_EQ(b.pixel(-1, 0), colours::black); // outside reads black
}

TEST(PlatformBitmap, CopiesStretchesAndTransparency) {
    Bitmap sprite(2, 2);
    sprite.set_pixel(0, 0, colours::red);
    sprite.set_pixel(1, 0, colours::white);
    sprite.set_pixel(0, 1, colours::white);
    sprite.set_pixel(1, 1, colours::blue);

    Bitmap dest(8, 8);
    dest.clear(colours::grey);
    dest.draw(0, 0, sprite); // opaque
    EXPECT_EQ(dest.pixel(1, 0), colours::white);

    dest.clear(colours::grey);
    sprite.set_transparent(true, colours::white);
    dest.draw(6, 6, sprite);
    EXPECT_EQ(dest.pixel(6, 6), colours::red);
    EXPECT_EQ(dest.pixel(7, 6), colours::grey); // white left out
    EXPECT_EQ(dest.pixel(7, 7), colours::blue);

    // Stretched to 4x4 by nearest pixel, transparency kept.
    dest.clear(colours::grey);
    dest.stretch_draw(Rect{0, 0, 4, 4}, sprite);
    EXPECT_EQ(dest.pixel(0, 0), colours::red);
    EXPECT_EQ(dest.pixel(1, 1), colours::red);
    EXPECT_EQ(dest.pixel(2, 0), colours::grey);
    EXPECT_EQ(dest.pixel(3, 3), colours::blue);
    EXPECT_EQ(dest.pixel(4, 4), colours::grey);

    // Part of a source, opaque, partly off the destination's edge.
    dest.clear(colours::grey);
    dest.copy_rect(Rect{7, 7, 9, 9}, sprite, Rect{1, 1, 2, 2});
    EXPECT_EQ(dest.pixel(7, 7), colours::blue);
    EXPECT_EQ(dest.pixel(6, 7), colours::grey);

    // A key colour given at the call.
    dest.clear(colours::grey);
    dest.draw_transparent(0, 0, sprite, colours::red);
    EXPECT_EQ(dest.pixel(0, 0), colours::grey);
    EXPECT_EQ(dest.pixel(1, 0), colours::white);

    // Shrinking picks every other pixel.
    Bitmap big(4, 4);
    big.fill_rect(Rect{0, 0, 2, 4}, colours::red);
    big.fill_rect(Rect{2, 0, 4, 4}, colours::blue);
    Bitmap small(2, 2);
    small.copy_rect(small.bounds(), big, big.bounds());
    EXPECT_EQ(small.pixel(0, 0), colours::red);
    EXPECT_EQ(small.pixel(1, 1), colours::blue);

    // Drawing onto itself shifts correctly.
    Bitmap self(4, 1);
    self.set_pixel(0, 0, colours::red);
    self.copy_rect(Rect{1, 0, 4, 1}, self, Rect{0, 0, 3, 1});
    EXPECT_EQ(self.pixel(1, 0), colours::red);
    EXPECT_EQ(self.pixel(2, 0), colours::black);
}

// Opaque stretches by nearest pixel, against the pixel-by-pixel rule: the destination clipped at
// its edges, and source rows and columns outside the source leaving the destination as it was.
TEST(PlatformBitmap, StretchedCopiesMatchTheNearestPixelRule) {
    Bitmap src(5, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            src.set_pixel(x, y, Colour(0x010203u * uint32_t(1 + x + 5 * y)));
    struct stretch {
        Rect dest, from;
    };
    const stretch cases[] = {
        {{0, 0, 10, 8}, {0, 0, 5, 4}},  // twice the size
        {{1, 2, 14, 13}, {0, 0, 5, 4}}, // by a fraction
        {{-3, -2, 9, 9}, {0, 0, 5, 4}}, // past the top-left edge
        {{2, 1, 11, 12}, {3, 2, 8, 7}}, // part of the source lies outside it
        {{0, 0, 3, 2}, {0, 0, 5, 4}},   // smaller
    };
    for (const stretch& c : cases) {
        // A destination unlike itself from row to row, so that a pixel wrongly left shows.
        const auto before = [](int x, int y) { return Colour(0x100000u + uint32_t(x + 12 * y)); };
        Bitmap dest(12, 12);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                dest.set_pixel(x, y, before(x, y));
        dest.copy_rect(c.dest, src, c.from);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                Colour want = before(x, y);
                if (x >= c.dest.left && x < c.dest.right && y >= c.dest.top && y < c.dest.bottom) {
                    const int sx = c.from.left + (x - c.dest.left) * c.from.width() / c.dest.width();
                    const int sy = c.from.top + (y - c.dest.top) * c.from.height() / c.dest.height();
                    if (sx >= 0 && sx < 5 && sy >= 0 && sy < 4) want = src.pixel(sx, sy);
                }
                ASSERT_EQ(dest.pixel(x, y), want)
                    << "at " << x << "," << y << " into " << c.dest.left << "," << c.dest.top << ","
                    << c.dest.right << "," << c.dest.bottom;
            }
    }
}

TEST(PlatformBitmap, GreyscaleRoundsHalfToEvenAndClamps) {
    Bitmap b(3, 1);
    b.set_pixel(0, 0, 0xFF0000); // 0.3 * 255 = 76.5 -> 76
    b.set_pixel(1, 0, 0xFFFFFF);
    b.set_pixel(2, 0, 0x0000FF); // 0.11 * 255 = 28.05
    Bitmap doubled = b;
    b.greyscale(1.0);
    EXPECT_EQ(b.pixel(0, 0), rgb(76, 76, 76));
    EXPECT_EQ(b.pixel(1, 0), rgb(255, 255, 255));
    EXPECT_EQ(b.pixel(2, 0), rgb(28, 28, 28));
    doubled.greyscale(2.0);
    EXPECT_EQ(doubled.pixel(1, 0), rgb(255, 255, 255)); // clamped
    EXPECT_EQ(doubled.pixel(0, 0), rgb(153, 153, 153));
}

TEST(PlatformBitmap, CopyAndMoveKeepPixelsAndState) {
    Bitmap a(3, 3);
    a.set_pixel(2, 2, colours::red);
    a.set_transparent(true, colours::lime);
    Bitmap c = a;
    a.set_pixel(2, 2, colours::blue);
    EXPECT_EQ(c.pixel(2, 2), colours::red);
    EXPECT_TRUE(c.transparent());
    Bitmap m = std::move(c);
    EXPECT_EQ(m.pixel(2, 2), colours::red);
    EXPECT_TRUE(c.empty());
    m.set_size(5, 4);
    EXPECT_EQ(m.width(), 5);
    EXPECT_EQ(m.pixel(2, 2), colours::black);
}

TEST(PlatformImageFiles, DamagedOrMissingPicturesAreRefused) {
    testing::TempFolder tmp;
    Bitmap out(1, 1);
    out.set_pixel(0, 0, colours::red);
    EXPECT_FALSE(read_png(tmp / "missing.png", out));
    FILE* f = std::fopen((tmp / "bad.png").c_str(), "wb");
    std::fputs("\x89PNG\r\n\x1a\n garbage", f);
    std::fclose(f);
    EXPECT_FALSE(read_png(tmp / "bad.png", out));
    EXPECT_FALSE(read_bmp(tmp / "bad.png", out));
    EXPECT_EQ(out.pixel(0, 0), colours::red); // untouched
    EXPECT_FALSE(write_png(tmp / "no_folder/x.png", out));
}

TEST(PlatformImageFiles, BmpSheetIsRead) {
    testing::TempFolder tmp;
    Bitmap sheet(3, 2);
    sheet.set_pixel(2, 1, 0x336699);
    // Written through SDL, as any tool that makes a 24- or 32-bit sheet would.
    ASSERT_EQ(SDL_SaveBMP(sheet.surface(), (tmp / "sheet.dts").c_str()), 0);
    Bitmap back;
    ASSERT_TRUE(read_bmp(tmp / "sheet.dts", back));
    EXPECT_EQ(back.width(), 3);
    EXPECT_EQ(back.pixel(2, 1), 0x336699u);
    EXPECT_EQ(back.pixel(0, 0), colours::black);
}

TEST(PlatformImageList, MaskedAndOpaqueListsDrawByNumber) {
    Bitmap tile(2, 2);
    tile.clear(colours::white);
    tile.set_pixel(0, 0, colours::red);
    Bitmap other(3, 3); // larger: only its top-left 2x2 is taken
    other.clear(colours::blue);

    ImageList masked(2, 2, true);
    EXPECT_EQ(masked.add(tile), 0);
    EXPECT_EQ(masked.add(other), 1);
    EXPECT_EQ(masked.count(), 2);
    ImageList opaque(2, 2, false);
    opaque.add(tile);

    Bitmap dest(4, 4);
    dest.clear(colours::grey);
    masked.draw(dest, 0, 0, 0);
    EXPECT_EQ(dest.pixel(0, 0), colours::red);
    EXPECT_EQ(dest.pixel(1, 1), colours::grey);
    masked.draw(dest, 3, 3, 1); // clipped at the edge
    EXPECT_EQ(dest.pixel(3, 3), colours::blue);
    masked.draw(dest, 0, 0, 7); // no such image
    opaque.draw(dest, 2, 0, 0);
    EXPECT_EQ(dest.pixel(3, 1), colours::white);

    dest.clear(colours::grey);
    masked.draw_stretched(dest, Rect{0, 0, 4, 4}, 0);
    EXPECT_EQ(dest.pixel(1, 1), colours::red);
    EXPECT_EQ(dest.pixel(2, 2), colours::grey);

    Bitmap one = masked.image(0);
    EXPECT_TRUE(one.transparent());
    EXPECT_EQ(one.pixel(0, 0), colours::red);
}

} // namespace
} // namespace dravok
