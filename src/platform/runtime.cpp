#include "platform/runtime.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/fonts.h"
#include "platform/timers.h"

namespace dravok {

bool init_platform_video() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    // A windowed game must not switch the desktop's compositor off.
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Frames are whole bitmaps copied to the window: the plain window surface shows them as
    // they are, while a GPU texture for it would load and start OpenGL (most of the start-up).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "dravok: cannot start the video system: %s\n", SDL_GetError());
        return false;
    }
    // The game reads key codes only; text input (and an input method popping up) is not wanted.
    SDL_StopTextInput();
    return true;
}

void shutdown_platform() {
    destroy_all_timers();
    clear_font_cache();
    if (TTF_WasInit()) TTF_Quit();
    SDL_Quit();
}

bool is_headless() {
    const char* h = std::getenv("DRAVOK_HEADLESS");
    if (h && std::strcmp(h, "1") == 0) return true;
    const char* v = std::getenv("SDL_VIDEODRIVER");
    return v && std::strcmp(v, "dummy") == 0;
}

} // namespace dravok
