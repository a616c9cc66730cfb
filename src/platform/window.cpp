#include "platform/window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/memory.h"
#include "platform/runtime.h"
#include "platform/text_encoding.h"

namespace dravok {

namespace {

Window* first_window = nullptr;

// A frame onto the window in the window's own pixel format, row by row: SDL's plain copy moves
// eight bytes at a time, and this copy is a whole screen every frame. false when the formats
// differ or the surfaces must be locked, for SDL's converting blit to do.
bool copy_same_format(SDL_Surface* from, SDL_Surface* to, int x, int y) {
    if (from->format->format != to->format->format || SDL_MUSTLOCK(from) || SDL_MUSTLOCK(to)) return false;
    const int bytes = from->format->BytesPerPixel;
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + from->w, to->w), bottom = std::min(y + from->h, to->h);
    if (right <= left || bottom <= top) return true;
    const auto* src = static_cast<const unsigned char*>(from->pixels);
    auto* dst = static_cast<unsigned char*>(to->pixels);
    for (int row = top; row < bottom; ++row)
        std::memcpy(dst + std::size_t(row) * to->pitch + std::size_t(left) * bytes,
                    src + std::size_t(row - y) * from->pitch + std::size_t(left - x) * bytes,
                    std::size_t(right - left) * bytes);
    return true;
}

} // namespace

int display_count() {
    if (!init_platform_video()) return 0;
    return std::max(SDL_GetNumVideoDisplays(), 0);
}

Rect monitor_bounds(int index) {
    if (!init_platform_video()) return Rect{0, 0, 1024, 768};
    if (index < 0 || index >= SDL_GetNumVideoDisplays()) index = 0;
    SDL_Rect r{};
    if (SDL_GetDisplayBounds(index, &r) != 0) return Rect{0, 0, 1024, 768};
    return Rect::from_size(r.x, r.y, r.w, r.h);
}

Window* main_window() {
    return first_window;
}

Window::~Window() {
    close();
}

bool Window::create(std::string_view title, int client_width, int client_height) {
    if (window_) return true;
    if (!init_platform_video()) return false;
    std::string t = cp1252_to_utf8(title);
    window_ = SDL_CreateWindow(t.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               std::max(client_width, 1), std::max(client_height, 1), SDL_WINDOW_HIDDEN);
    if (!window_) {
        SDL_LogError(SDL_LOG_CATEGORY_VIDEO, "cannot create the window: %s", SDL_GetError());
        return false;
    }
    if (!first_window) first_window = this;
    bordered_ = true;
    return true;
}

void Window::show() {
    if (!window_) return;
    SDL_ShowWindow(window_);
    // Creating the drawing surface can put a window back where it was created, so the surface
    // is made now and the position chosen while hidden is applied again.
    SDL_GetWindowSurface(window_);
    if (placed_) SDL_SetWindowPosition(window_, placed_at_.x, placed_at_.y);
    SDL_RaiseWindow(window_);
}

void Window::hide() {
    if (window_) SDL_HideWindow(window_);
}

void Window::close() {
    if (!window_) return;
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    if (first_window == this) first_window = nullptr;
}

void Window::set_title(std::string_view title) {
    if (window_) SDL_SetWindowTitle(window_, cp1252_to_utf8(title).c_str());
}

void Window::set_client_size(int width, int height) {
    if (window_) SDL_SetWindowSize(window_, std::max(width, 1), std::max(height, 1));
}

Size Window::client_size() const {
    if (!window_) return Size{};
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return Size{w, h};
}

void Window::set_position(int x, int y) {
    if (!window_) return;
    placed_ = true;
    placed_at_ = Point{x, y};
    SDL_SetWindowPosition(window_, x, y);
}

Point Window::position() const {
    if (!window_) return Point{};
    int x = 0, y = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    return Point{x, y};
}

void Window::set_bordered(bool bordered) {
    if (!window_) return;
    // Kept here too: not every video driver keeps the border state (the dummy one does not).
    bordered_ = bordered;
    SDL_SetWindowBordered(window_, bordered ? SDL_TRUE : SDL_FALSE);
}

bool Window::bordered() const {
    return window_ && bordered_;
}

int Window::display_index() const {
    if (!window_) return 0;
    int i = SDL_GetWindowDisplayIndex(window_);
    return i < 0 ? 0 : i;
}

void Window::make_borderless_fullscreen() {
    if (!window_) return;
    Rect m = monitor_bounds(display_index());
    // A borderless window the size of the monitor: desktops treat it as full screen, and it
    // works without a window manager too (where a full-screen request goes unanswered).
    set_bordered(false);
    set_client_size(m.width(), m.height());
    set_position(m.left, m.top);
}

bool Window::fullscreen() const {
    if (!window_) return false;
    Rect m = monitor_bounds(display_index());
    Size s = client_size();
    return !bordered() && s.width == m.width() && s.height == m.height();
}

void Window::make_windowed_centred(int client_width, int client_height) {
    if (!window_) return;
    Rect m = monitor_bounds(display_index());
    set_bordered(true);
    set_client_size(client_width, client_height);
    FrameMetrics f = frame_metrics();
    int outer_w = client_width + 2 * f.edge_width;
    int outer_h = client_height + f.caption_height + 2 * f.edge_height;
    int left = m.left + (m.width() - outer_w) / 2;
    int top = m.top + (m.height() - outer_h) / 2;
    set_position(left + f.edge_width, top + f.caption_height + f.edge_height);
}

FrameMetrics Window::frame_metrics() const {
    // Typical of a desktop theme; used before the window manager has framed the window.
    FrameMetrics f{23, 4, 4};
    if (!window_ || !bordered()) return f;
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) == 0 && top > 0) {
        f.edge_width = left;
        f.edge_height = bottom;
        f.caption_height = std::max(0, top - bottom);
    }
    return f;
}

void Window::present(const Bitmap& frame, int x, int y) {
    if (!window_) return;
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target) return;
    // Each frame covers the surface whole: a new surface's pages are supplied at once.
    if (target->pixels != prepared_pixels_) {
        prepare_to_fill(target->pixels, std::size_t(target->pitch) * std::size_t(target->h));
        prepared_pixels_ = target->pixels;
    }
    const Uint32 black = SDL_MapRGB(target->format, 0, 0, 0);
    if (frame.surface()) {
        // Black around the frame only: the frame covers the rest, and the window is large.
        const int right = x + frame.width(), bottom = y + frame.height();
        const SDL_Rect border[4] = {{0, 0, target->w, y},
                                    {0, bottom, target->w, target->h - bottom},
                                    {0, y, x, frame.height()},
                                    {right, y, target->w - right, frame.height()}};
        for (const SDL_Rect& r : border)
            if (r.w > 0 && r.h > 0) SDL_FillRect(target, &r, black);
        SDL_Rect dest{x, y, frame.width(), frame.height()};
        if (!copy_same_format(frame.surface(), target, x, y))
            SDL_BlitSurface(frame.surface(), nullptr, target, &dest);
    } else {
        SDL_FillRect(target, nullptr, black);
    }
    SDL_UpdateWindowSurface(window_);
}

Bitmap Window::capture() const {
    Bitmap out;
    if (!window_) return out;
    SDL_Surface* source = SDL_GetWindowSurface(window_);
    if (!source) return out;
    out.set_size(source->w, source->h);
    if (out.surface()) SDL_BlitSurface(source, nullptr, out.surface(), nullptr);
    return out;
}

} // namespace dravok
