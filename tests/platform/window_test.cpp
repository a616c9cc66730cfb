// The game window under the dummy video driver: sizes, modes and the presented frame.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/keys.h"
#include "platform/runtime.h"
#include "platform/window.h"

namespace dravok {
namespace {

TEST(PlatformWindow, PresentsFramesAndSwitchesBetweenWindowedAndFullScreen) {
    Window w;
    ASSERT_TRUE(w.create("Dravok", 300, 200));
    EXPECT_EQ(main_window(), &w);
    EXPECT_EQ(w.client_size(), (Size{300, 200}));
    w.show();

    Bitmap frame(100, 50);
    frame.clear(0x22DD22);
    w.present(frame, 2, 2);
    Bitmap shown = w.capture();
    ASSERT_EQ(shown.width(), 300);
    EXPECT_EQ(shown.pixel(2, 2), 0x22DD22u);
    EXPECT_EQ(shown.pixel(101, 51), 0x22DD22u);
    EXPECT_EQ(shown.pixel(1, 1), colours::black); // the margin is black
    EXPECT_EQ(shown.pixel(102, 2), colours::black);

    // A frame larger than the window, placed up and to the left of it, is cut at every edge.
    Bitmap large(320, 210);
    for (int y = 0; y < 210; ++y)
        for (int x = 0; x < 320; ++x)
            large.set_pixel(x, y, Colour(uint32_t(x) << 8 | uint32_t(y)));
    w.present(large, -5, -3);
    shown = w.capture();
    EXPECT_EQ(shown.pixel(0, 0), Colour(5u << 8 | 3u));
    EXPECT_EQ(shown.pixel(299, 199), Colour(304u << 8 | 202u));
    EXPECT_EQ(shown.pixel(150, 100), Colour(155u << 8 | 103u));

    const Rect monitor = monitor_bounds(w.display_index());
    EXPECT_GE(display_count(), 1);
    w.make_borderless_fullscreen();
    EXPECT_TRUE(w.fullscreen());
    EXPECT_FALSE(w.bordered());
    EXPECT_EQ(w.client_size(), (Size{monitor.width(), monitor.height()}));
    EXPECT_EQ(w.position(), (Point{monitor.left, monitor.top}));

    w.make_windowed_centred(104, 54);
    EXPECT_FALSE(w.fullscreen());
    EXPECT_TRUE(w.bordered());
    EXPECT_EQ(w.client_size(), (Size{104, 54}));
    // Centred with its frame: equal room left and right.
    FrameMetrics f = w.frame_metrics();
    int outer_left = w.position().x - f.edge_width;
    int outer_right = outer_left + 104 + 2 * f.edge_width;
    EXPECT_LE(std::abs((outer_left - monitor.left) - (monitor.right - outer_right)), 1);

    w.close();
    EXPECT_FALSE(w.is_open());
    EXPECT_EQ(main_window(), nullptr);
}

// Every key the game can name (the 89 names of the key bindings) is reachable from some key of
// a US keyboard.
TEST(PlatformWindow, EveryNamedGameKeyHasAnSdlKey) {
    ASSERT_TRUE(init_platform_video());
    std::vector<int> codes = {106, 107, 109, 110, 111, 16, 17, 18, 38, 40,  37,  39,  45,  19,  46,
                              36,  35,  33,  34,  8,   13, 27, 9,  32, 187, 188, 189, 190, 226, 220};
    for (int c = 96; c <= 105; ++c)
        codes.push_back(c);
    for (int c = 112; c <= 123; ++c)
        codes.push_back(c);
    for (int c = 65; c <= 90; ++c)
        codes.push_back(c);
    for (int c = 48; c <= 57; ++c)
        codes.push_back(c);
    std::vector<bool> reachable(256, false);
    for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc)
        reachable[virtual_key_of(sc, SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(sc)))] = true;
    for (int c : codes)
        EXPECT_TRUE(reachable[c]) << "no key gives code " << c;
}

} // namespace
} // namespace dravok
