// Key codes from SDL keys, and key, close and timer delivery through the event loop.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/clock.h"
#include "platform/events.h"
#include "platform/keys.h"
#include "platform/runtime.h"
#include "platform/timers.h"

namespace dravok {
namespace {

TEST(PlatformKeys, SdlKeysMapToVirtualKeyCodes) {
    struct Case {
        SDL_Scancode scancode;
        SDL_Keycode keycode;
        int code;
    };
    const Case cases[] = {
        {SDL_SCANCODE_A, SDLK_a, 65},
        {SDL_SCANCODE_Z, SDLK_z, 90},
        {SDL_SCANCODE_Q, SDLK_a, 65}, // layout decides letters (AZERTY "A")
        {SDL_SCANCODE_A, 0x444, 65},  // a non-Latin layout falls back to the position
        {SDL_SCANCODE_1, SDLK_1, 49},
        {SDL_SCANCODE_0, SDLK_0, 48},
        {SDL_SCANCODE_1, SDLK_AMPERSAND, 49}, // the digit row by position
        {SDL_SCANCODE_KP_0, SDLK_KP_0, 96},
        {SDL_SCANCODE_KP_8, SDLK_KP_8, 104},
        {SDL_SCANCODE_KP_8, SDLK_UP, 104}, // keypad codes whatever Num Lock says
        {SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, 107},
        {SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS, 109},
        {SDL_SCANCODE_KP_MULTIPLY, SDLK_KP_MULTIPLY, 106},
        {SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE, 111},
        {SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, 110},
        {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, 13},
        {SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, 16},
        {SDL_SCANCODE_RCTRL, SDLK_RCTRL, 17},
        {SDL_SCANCODE_LALT, SDLK_LALT, 18},
        {SDL_SCANCODE_UP, SDLK_UP, 38},
        {SDL_SCANCODE_DOWN, SDLK_DOWN, 40},
        {SDL_SCANCODE_LEFT, SDLK_LEFT, 37},
        {SDL_SCANCODE_RIGHT, SDLK_RIGHT, 39},
        {SDL_SCANCODE_INSERT, SDLK_INSERT, 45},
        {SDL_SCANCODE_DELETE, SDLK_DELETE, 46},
        {SDL_SCANCODE_HOME, SDLK_HOME, 36},
        {SDL_SCANCODE_END, SDLK_END, 35},
        {SDL_SCANCODE_PAGEUP, SDLK_PAGEUP, 33},
        {SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN, 34},
        {SDL_SCANCODE_PAUSE, SDLK_PAUSE, 19},
        {SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, 8},
        {SDL_SCANCODE_RETURN, SDLK_RETURN, 13},
        {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, 27},
        {SDL_SCANCODE_TAB, SDLK_TAB, 9},
        {SDL_SCANCODE_SPACE, SDLK_SPACE, 32},
        {SDL_SCANCODE_F1, SDLK_F1, 112},
        {SDL_SCANCODE_F5, SDLK_F5, 116},
        {SDL_SCANCODE_F12, SDLK_F12, 123},
        {SDL_SCANCODE_EQUALS, SDLK_EQUALS, 187}, // PLUS
        {SDL_SCANCODE_MINUS, SDLK_PLUS, 187},    // the Nordic "+" key
        {SDL_SCANCODE_COMMA, SDLK_COMMA, 188},
        {SDL_SCANCODE_MINUS, SDLK_MINUS, 189},
        {SDL_SCANCODE_SLASH, SDLK_MINUS, 189}, // the Nordic "-" key
        {SDL_SCANCODE_PERIOD, SDLK_PERIOD, 190},
        {SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS, 226},
        {SDL_SCANCODE_GRAVE, SDLK_BACKQUOTE, 220}, // TILDE
        {SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON, 186},
        {SDL_SCANCODE_APOSTROPHE, SDLK_QUOTE, 222},
        {SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN, 0},
        {SDL_SCANCODE_VOLUMEUP, SDLK_VOLUMEUP, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(virtual_key_of(c.scancode, c.keycode), c.code)
            << SDL_GetScancodeName(c.scancode) << " / " << c.keycode;
}

TEST(PlatformKeys, ModifierStateAndTheOneReportedModifier) {
    KeyEvent e = key_event_of(SDL_SCANCODE_UP, SDLK_UP, KMOD_LSHIFT | KMOD_LCTRL, false);
    EXPECT_EQ(e.key, 38);
    EXPECT_TRUE(e.shift && e.ctrl && !e.alt);
    EXPECT_EQ(modifier_of(e), 16); // Shift before Ctrl

    e = key_event_of(SDL_SCANCODE_F5, SDLK_F5, KMOD_RCTRL | KMOD_RALT, true);
    EXPECT_EQ(modifier_of(e), 17);
    EXPECT_TRUE(e.repeat);
    e = key_event_of(SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT, false);
    EXPECT_EQ(modifier_of(e), 18);
    e = key_event_of(SDL_SCANCODE_A, SDLK_a, KMOD_NUM | KMOD_CAPS, false);
    EXPECT_EQ(modifier_of(e), 0);

    // A lone modifier is its own key, with its own flag set even before SDL reports it.
    e = key_event_of(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_NONE, false);
    EXPECT_EQ(e.key, 16);
    EXPECT_TRUE(e.shift);
    e = key_event_of(SDL_SCANCODE_LALT, SDLK_LALT, KMOD_NONE, false);
    EXPECT_EQ(modifier_of(e), 18);
}

class PlatformEvents : public ::testing::Test {
  protected:
    void SetUp() override {
        set_clock(&clock);
        set_key_handler([this](const KeyEvent& e) { keys.push_back(e); });
    }
    void TearDown() override {
        set_key_handler(nullptr);
        set_close_handler(nullptr);
        destroy_all_timers();
        set_clock(nullptr);
    }
    ManualClock clock;
    std::vector<KeyEvent> keys;
};

TEST_F(PlatformEvents, SdlKeyDownsReachTheHandlerThroughThePump) {
    ASSERT_TRUE(init_platform_video());
    SDL_Event ev{};
    ev.type = SDL_KEYDOWN;
    ev.key.keysym.scancode = SDL_SCANCODE_KP_8;
    ev.key.keysym.sym = SDLK_KP_8;
    ev.key.keysym.mod = KMOD_LSHIFT;
    ev.key.repeat = 1;
    SDL_PushEvent(&ev);
    ev.key.keysym.scancode = SDL_SCANCODE_VOLUMEUP; // no game code: not delivered
    ev.key.keysym.sym = SDLK_VOLUMEUP;
    SDL_PushEvent(&ev);
    pump_messages();
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].key, 104);
    EXPECT_TRUE(keys[0].shift);
    EXPECT_TRUE(keys[0].repeat);
}

TEST_F(PlatformEvents, InjectedKeysArriveInOrderAndNestedPumpsSeeLaterOnes) {
    std::vector<int> order;
    set_key_handler([&](const KeyEvent& e) {
        order.push_back(e.key);
        // A long action pumps messages between its steps.
        if (e.key == 'R') pump_messages();
    });
    inject_key(KeyEvent{'R'});
    inject_key(KeyEvent{vk::escape});
    inject_key(KeyEvent{'A'});
    pump_messages();
    EXPECT_EQ(order, (std::vector<int>{'R', vk::escape, 'A'}));
}

TEST_F(PlatformEvents, CloseRequestGoesToItsHandlerOrEndsTheLoop) {
    int closes = 0;
    set_close_handler([&] { ++closes; });
    inject_close_request();
    pump_messages();
    EXPECT_EQ(closes, 1);

    set_close_handler(nullptr);
    inject_close_request();
    run_event_loop(); // returns because the request ends it
    EXPECT_TRUE(event_loop_ended());
}

TEST_F(PlatformEvents, TimersFireOnceWhenLateAndNeverPileUp) {
    int ticks = 0;
    Timer& t = create_timer("effects", 25, true, [&](Timer&) { ++ticks; });
    pump_messages();
    EXPECT_EQ(ticks, 0);
    clock.advance(24);
    pump_messages();
    EXPECT_EQ(ticks, 0);
    clock.advance(1);
    pump_messages();
    EXPECT_EQ(ticks, 1);
    // 10 intervals late: one tick, and the next one a full interval from now.
    clock.advance(250);
    pump_messages();
    pump_messages();
    EXPECT_EQ(ticks, 2);
    clock.advance(24);
    pump_messages();
    EXPECT_EQ(ticks, 2);
    clock.advance(1);
    pump_messages();
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(ms_until_next_timer(), 25);

    // Disabled timers do not fire; enabling starts a fresh interval.
    t.set_enabled(false);
    clock.advance(100);
    pump_messages();
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(ms_until_next_timer(), -1);
    t.set_enabled(true);
    pump_messages();
    EXPECT_EQ(ticks, 3);
    clock.advance(25);
    pump_messages();
    EXPECT_EQ(ticks, 4);
}

TEST_F(PlatformEvents, ATimerIsNotReenteredFromItsOwnNestedPump) {
    int outer = 0, inner = 0;
    create_timer("spectator", 1000, true, [&](Timer& self) {
        ++outer;
        self.set_tag(self.tag() + 1);
        // The world runs inside the tick and pumps messages meanwhile.
        clock.advance(1000);
        pump_messages();
    });
    create_timer("effects", 25, true, [&](Timer&) { ++inner; });
    clock.advance(1000);
    pump_messages();
    EXPECT_EQ(outer, 1);
    EXPECT_GE(inner, 1); // other timers still run inside the nested pump
    EXPECT_EQ(find_timer("spectator")->tag(), 1);
}

TEST_F(PlatformEvents, TimersCanStopOrDestroyThemselvesAndAreFoundByName) {
    int ticks = 0;
    create_timer("startup", 20, true, [&](Timer& self) {
        self.set_enabled(false); // a one-shot timer
        ++ticks;
    });
    create_timer("update", 1, true, [&](Timer&) { destroy_timer("update"); });
    clock.advance(100);
    pump_messages();
    clock.advance(100);
    pump_messages();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(find_timer("update"), nullptr);
    ASSERT_NE(find_timer("startup"), nullptr);
    EXPECT_FALSE(find_timer("startup")->enabled());

    // Re-creating by name re-arms the same timer; interval 0 never fires.
    Timer& again = create_timer("startup", 0, true, [&](Timer&) { ++ticks; });
    EXPECT_EQ(&again, find_timer("startup"));
    clock.advance(100);
    pump_messages();
    EXPECT_EQ(ticks, 1);
}

} // namespace
} // namespace dravok
