// Costs of the canvas operations a frame is made of: masked sprites, texts and full copies.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/bitmap.h"
#include "platform/image_list.h"

namespace dravok {
namespace {

// A 59x33 view of 32-pixel tiles: terrain opaque, then objects masked on top.
void BM_PlatformSpriteLayer(benchmark::State& state) {
    ImageList terrain(32, 32, false), objects(32, 32, true);
    Bitmap tile(32, 32);
    for (int i = 0; i < 16; ++i) {
        tile.clear(rgb(i * 10, 40, 40));
        terrain.add(tile);
        tile.clear(colours::white);
        tile.fill_rect(Rect{8, 8, 24, 24}, rgb(200, i * 10, 0));
        objects.add(tile);
    }
    Bitmap layer(59 * 32, 33 * 32);
    for (auto _ : state) {
        for (int y = 0; y < 33; ++y)
            for (int x = 0; x < 59; ++x) {
                terrain.draw(layer, x * 32, y * 32, (x + y) % 16);
                if ((x * 7 + y) % 3 == 0) objects.draw(layer, x * 32, y * 32, x % 16);
            }
        benchmark::DoNotOptimize(layer.row(0));
    }
}
BENCHMARK(BM_PlatformSpriteLayer)->Unit(benchmark::kMillisecond);

// Fifty lines of log and panel text, the same texts every frame as in play.
void BM_PlatformTextLines(benchmark::State& state) {
    Bitmap panel(1024, 800);
    panel.set_font(FontSpec{"Verdana", 13, false, 0xBBBBBB});
    panel.set_brush_clear();
    std::string lines[50];
    for (int i = 0; i < 50; ++i)
        lines[i] = "The goblin hits you with a rusty dagger for " + std::to_string(i) + " damage.";
    for (auto _ : state) {
        for (int i = 0; i < 50; ++i)
            panel.text_out(10, 10 + i * 15, lines[i]);
        benchmark::DoNotOptimize(panel.row(0));
    }
}
BENCHMARK(BM_PlatformTextLines)->Unit(benchmark::kMillisecond);

// Composing a 1920x1080 frame from a full-size layer.
void BM_PlatformFrameCopy(benchmark::State& state) {
    Bitmap frame(1920, 1080), layer(1920, 1080);
    layer.clear(rgb(10, 20, 30));
    for (auto _ : state) {
        frame.draw(0, 0, layer);
        benchmark::DoNotOptimize(frame.row(0));
    }
}
BENCHMARK(BM_PlatformFrameCopy)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dravok
