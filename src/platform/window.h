// The game window: created hidden with a title, shown, sized by its client area, switched between
// a borderless window covering its monitor and a centred bordered window, and given finished
// frames to show. Also the monitors' bounds and the frame metrics of a bordered window. Owned by
// the user interface's window code; events arrive through events.h.
#pragma once
#include <string_view>

#include "platform/bitmap.h"
#include "platform/geometry.h"

struct SDL_Window;

namespace dravok {

// Sizes of a bordered window's frame, in pixels.
struct FrameMetrics {
    int caption_height = 0; // the title bar
    int edge_width = 0;     // left and right borders, each
    int edge_height = 0;    // bottom border (and the top border under the title bar)
};

int display_count();
// The bounds of monitor `index` on the desktop; the first monitor's when the index is unknown.
Rect monitor_bounds(int index);

class Window {
  public:
    Window() = default;
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates the window hidden, with this client size; false when the video system fails.
    bool create(std::string_view title, int client_width, int client_height);
    bool is_open() const { return window_ != nullptr; }
    void show();
    void hide();
    void close(); // destroys the window; the event loop goes on until told to end
    void set_title(std::string_view title);

    void set_client_size(int width, int height);
    Size client_size() const;
    // Position of the client area's top-left corner on the desktop.
    void set_position(int x, int y);
    Point position() const;
    void set_bordered(bool bordered);
    bool bordered() const;

    // The monitor that holds the window (its centre), 0 when none does.
    int display_index() const;
    // Borderless, covering the monitor that holds the window.
    void make_borderless_fullscreen();
    bool fullscreen() const;
    // Bordered with this client size, centred on the monitor that holds the window.
    void make_windowed_centred(int client_width, int client_height);
    // The frame of a bordered window; typical desktop values while the system cannot say.
    FrameMetrics frame_metrics() const;

    // Shows `frame` with its top-left corner at (x, y) of the client area, the rest black.
    void present(const Bitmap& frame, int x = 0, int y = 0);
    // The client area as last presented (for checks and tests).
    Bitmap capture() const;

    SDL_Window* sdl_window() const { return window_; }

  private:
    SDL_Window* window_ = nullptr;
    bool bordered_ = true;
    bool placed_ = false;
    Point placed_at_{};
    // The drawing surface whose pages were last readied for a whole frame.
    const void* prepared_pixels_ = nullptr;
};

// The first window created and still open (owner of message boxes); nullptr when none.
Window* main_window();

} // namespace dravok
