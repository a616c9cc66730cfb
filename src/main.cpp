// The program: creates the game window and runs its event loop until the window closes.
// "--capture FILE" (for checks without a screen) writes the first shown frame as PNG and ends.
#include <cstring>
#include <string>

#include "platform/bitmap.h"
#include "platform/events.h"
#include "platform/image_files.h"
#include "platform/runtime.h"
#include "platform/window.h"

int main(int argc, char** argv) {
    using namespace dravok;
    std::string capture_path;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--capture") == 0) capture_path = argv[i + 1];

    Window window;
    if (!window.create("Dravok", 1121, 627)) return 1;
    Bitmap frame(1121, 627);
    frame.set_font(FontSpec{"Georgia", 48, true, 0xBBBBBB});
    frame.set_brush_clear();
    Size s = frame.text_extent("DRAVOK");
    frame.text_out((frame.width() - s.width) / 2, (frame.height() - s.height) / 2, "DRAVOK");

    set_paint_handler([&] {
        window.present(frame);
        if (!capture_path.empty()) {
            write_png(capture_path, window.capture());
            end_event_loop();
        }
    });
    set_close_handler([] { end_event_loop(); });
    window.make_windowed_centred(frame.width(), frame.height());
    window.show();
    window.present(frame);
    run_event_loop();
    window.close();
    shutdown_platform();
    return 0;
}
