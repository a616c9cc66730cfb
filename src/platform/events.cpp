#include "platform/events.h"

#include <SDL.h>

#include <algorithm>
#include <deque>
#include <variant>

#include "platform/termination.h"
#include "platform/timers.h"

namespace dravok {

namespace {

struct CloseRequest {};
using Injected = std::variant<KeyEvent, CloseRequest>;

struct Loop {
    KeyHandler on_key;
    CloseHandler on_close;
    CloseHandler on_termination;
    PaintHandler on_paint;
    std::deque<Injected> injected;
    bool ended = false;
    bool termination_delivered = false;
};

Loop& loop() {
    static Loop l;
    return l;
}

void deliver_key(const KeyEvent& e) {
    if (e.key != 0 && loop().on_key) loop().on_key(e);
}

void deliver_close() {
    if (loop().on_close)
        loop().on_close();
    else
        end_event_loop();
}

void deliver_paint() {
    if (loop().on_paint) loop().on_paint();
}

void handle_sdl_event(const SDL_Event& ev) {
    switch (ev.type) {
    case SDL_KEYDOWN:
        deliver_key(
            key_event_of(ev.key.keysym.scancode, ev.key.keysym.sym, ev.key.keysym.mod, ev.key.repeat != 0));
        break;
    case SDL_QUIT:
        deliver_close();
        break;
    case SDL_WINDOWEVENT:
        switch (ev.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            deliver_close();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
            deliver_paint();
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
}

// One round: a termination request (as one close request), injected events, then SDL's queue,
// then due timers.
void pump_once() {
    if (!termination_requested()) {
        loop().termination_delivered = false;
    } else if (!loop().termination_delivered) {
        loop().termination_delivered = true;
        if (loop().on_termination) loop().on_termination();
        deliver_close();
    }
    while (!loop().injected.empty()) {
        Injected next = loop().injected.front();
        loop().injected.pop_front();
        if (auto* k = std::get_if<KeyEvent>(&next))
            deliver_key(*k);
        else
            deliver_close();
    }
    if (SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_Event ev;
        while (SDL_PollEvent(&ev))
            handle_sdl_event(ev);
    }
    run_due_timers();
}

} // namespace

KeyEvent key_event_of(int sdl_scancode, int sdl_keycode, unsigned mod, bool repeat) {
    KeyEvent e;
    e.key = virtual_key_of(sdl_scancode, sdl_keycode);
    e.shift = (mod & KMOD_SHIFT) != 0 || e.key == vk::shift;
    e.ctrl = (mod & KMOD_CTRL) != 0 || e.key == vk::control;
    e.alt = (mod & (KMOD_ALT | KMOD_MODE)) != 0 || e.key == vk::alt;
    e.repeat = repeat;
    return e;
}

void set_key_handler(KeyHandler handler) {
    loop().on_key = std::move(handler);
}

void set_close_handler(CloseHandler handler) {
    loop().on_close = std::move(handler);
}

void set_termination_handler(CloseHandler handler) {
    loop().on_termination = std::move(handler);
}

void set_paint_handler(PaintHandler handler) {
    loop().on_paint = std::move(handler);
}

void pump_messages() {
    pump_once();
}

void run_event_loop() {
    loop().ended = false;
    const bool sdl = SDL_WasInit(SDL_INIT_EVENTS) != 0;
    while (!loop().ended) {
        pump_once();
        if (loop().ended) break;
        int64_t wait = ms_until_next_timer();
        if (!loop().injected.empty()) continue;
        // Wake for the next timer, and at least every 100 ms so a stopped clock cannot hang us.
        int timeout = wait < 0 ? 100 : static_cast<int>(std::min<int64_t>(wait, 100));
        if (sdl) {
            SDL_Event ev;
            if (SDL_WaitEventTimeout(&ev, timeout)) handle_sdl_event(ev);
        } else if (timeout > 0) {
            SDL_Delay(static_cast<Uint32>(timeout));
        }
    }
}

void end_event_loop() {
    loop().ended = true;
}

bool event_loop_ended() {
    return loop().ended;
}

void inject_key(const KeyEvent& key) {
    loop().injected.emplace_back(key);
}

void inject_close_request() {
    loop().injected.emplace_back(CloseRequest{});
}

} // namespace dravok
