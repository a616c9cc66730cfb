// End to end in the real executable, on the X display the benchmark runs under (xvfb-run): from
// starting the program to the main menu on the screen, and from a key press sent to the window to
// the redrawn frame on a level with 200 creatures (a save made here, loaded through the menus).
// Frames are read back from the X server, so the times include the whole path a player sees.
// Skipped without a display or without the built game.
#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/runtime.h"
#include "platform/timers.h"
#include "platform/window.h"
#include "records/being_flags.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/level_setup.h"
#include "rules/save_game.h"
#include "ui/game_window.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;
using steady = std::chrono::steady_clock;
using x_window = ::Window; // the game's own Window is the window class of its platform layer

constexpr int creatures_on_level = 200;
// The machine may be busy: starting the program is given long.
constexpr auto frame_timeout = std::chrono::seconds(20);

// A program folder of its own: the built executable beside a copy of its Data/.
std::optional<fs::path> game_folder(const std::string& name) {
    const fs::path built = fs::path(DRAVOK_DATA_DIR).parent_path();
    if (!fs::exists(built / "dravok") || !fs::exists(built / "Data" / "Dravok.dbs")) return std::nullopt;
    const fs::path dir = fs::temp_directory_path() / ("dravok-window-bench-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy_file(built / "dravok", dir / "dravok");
    fs::copy(built / "Data", dir / "Data", fs::copy_options::recursive);
    return dir;
}

class x_display {
  public:
    // Windows of a program that just ended vanish under the queries: those errors are ignored.
    x_display() : d_(XOpenDisplay(nullptr)) {
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    ~x_display() {
        drop_shared_image();
        if (d_) XCloseDisplay(d_);
    }
    explicit operator bool() const { return d_ != nullptr; }

    // The viewable top-level window titled "Dravok"; 0 while there is none.
    x_window find_game_window() { return find_in(DefaultRootWindow(d_)); }

    // The window's pixels in a box, as 32-bit words. Read through shared memory where the server
    // offers it: a poll then costs the server one copy, and the frames it waits for are not held
    // up behind the transfer of the last picture.
    std::vector<uint32_t> pixels(x_window w, int x, int y, int width, int height) {
        std::vector<uint32_t> out;
        if (XImage* shared = shared_image(width, height);
            shared && XShmGetImage(d_, w, shared, x, y, AllPlanes)) {
            copy_rows(shared, width, height, out);
            return out;
        }
        XImage* image = XGetImage(d_, w, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
        if (!image) return out;
        copy_rows(image, width, height, out);
        XDestroyImage(image);
        return out;
    }
    static void copy_rows(XImage* image, int width, int height, std::vector<uint32_t>& out) {
        out.resize(size_t(width) * size_t(height));
        // 32-bit pixels are copied a row at a time: a call a pixel made each poll take longer
        // than the frames it watches for.
        const bool direct = image->bits_per_pixel == 32 && image->data != nullptr;
        for (int row = 0; row < height; ++row) {
            uint32_t* dst = out.data() + size_t(row) * size_t(width);
            if (direct) {
                std::memcpy(dst, image->data + size_t(row) * size_t(image->bytes_per_line),
                            size_t(width) * 4);
                continue;
            }
            for (int col = 0; col < width; ++col)
                dst[col] = uint32_t(XGetPixel(image, col, row));
        }
    }
    bool size_of(x_window w, int& width, int& height) {
        XWindowAttributes a{};
        if (!XGetWindowAttributes(d_, w, &a)) return false;
        width = a.width;
        height = a.height;
        return true;
    }

    // A key press and release sent to the window, as a window manager would deliver it.
    void key(x_window w, KeySym symbol) {
        for (int type : {KeyPress, KeyRelease}) {
            XKeyEvent e{};
            e.type = type;
            e.display = d_;
            e.window = w;
            e.root = DefaultRootWindow(d_);
            e.subwindow = None;
            e.time = CurrentTime;
            e.same_screen = True;
            e.keycode = XKeysymToKeycode(d_, symbol);
            XSendEvent(d_, w, True, type == KeyPress ? KeyPressMask : KeyReleaseMask,
                       reinterpret_cast<XEvent*>(&e));
        }
        XFlush(d_);
    }

  private:
    Display* d_;
    XShmSegmentInfo segment_{};
    XImage* shared_ = nullptr;
    bool no_shared_memory_ = false;

    // A shared-memory image of the size asked for, made again when the size changes; nullptr
    // where the server (or the system) has no shared memory for us.
    XImage* shared_image(int width, int height) {
        if (no_shared_memory_ || width <= 0 || height <= 0) return nullptr;
        if (shared_ && shared_->width == width && shared_->height == height) return shared_;
        drop_shared_image();
        const int screen = DefaultScreen(d_);
        if (!XShmQueryExtension(d_) || DefaultDepth(d_, screen) < 24) {
            no_shared_memory_ = true;
            return nullptr;
        }
        shared_ = XShmCreateImage(d_, DefaultVisual(d_, screen), unsigned(DefaultDepth(d_, screen)), ZPixmap,
                                  nullptr, &segment_, unsigned(width), unsigned(height));
        if (!shared_) {
            no_shared_memory_ = true;
            return nullptr;
        }
        segment_.shmid =
            shmget(IPC_PRIVATE, size_t(shared_->bytes_per_line) * size_t(height), IPC_CREAT | 0600);
        segment_.shmaddr =
            segment_.shmid < 0 ? nullptr : static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
        if (segment_.shmaddr == nullptr || segment_.shmaddr == reinterpret_cast<char*>(-1)) {
            if (segment_.shmid >= 0) shmctl(segment_.shmid, IPC_RMID, nullptr);
            segment_.shmaddr = nullptr;
            XDestroyImage(shared_);
            shared_ = nullptr;
            no_shared_memory_ = true;
            return nullptr;
        }
        shared_->data = segment_.shmaddr;
        segment_.readOnly = False;
        XShmAttach(d_, &segment_);
        XSync(d_, False);
        // Marked for removal now: it goes when both sides have let go of it.
        shmctl(segment_.shmid, IPC_RMID, nullptr);
        return shared_;
    }
    void drop_shared_image() {
        if (!shared_) return;
        XShmDetach(d_, &segment_);
        XSync(d_, False);
        shmdt(segment_.shmaddr);
        shared_->data = nullptr;
        XDestroyImage(shared_);
        shared_ = nullptr;
    }

    x_window find_in(x_window parent) {
        x_window root = 0, up = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(d_, parent, &root, &up, &children, &count)) return 0;
        x_window found = 0;
        for (unsigned i = 0; i < count && found == 0; ++i) {
            XTextProperty name{};
            XWindowAttributes a{};
            if (XGetWMName(d_, children[i], &name) && name.value) {
                const std::string title(reinterpret_cast<const char*>(name.value), name.nitems);
                if (title == "Dravok" && XGetWindowAttributes(d_, children[i], &a) &&
                    a.map_state == IsViewable)
                    found = children[i];
                XFree(name.value);
            }
            if (found == 0) found = find_in(children[i]);
        }
        if (children) XFree(children);
        return found;
    }
};

// The executable started in its folder on the benchmark's display.
pid_t start_program(const fs::path& dir) {
    const pid_t child = fork();
    if (child == 0) {
        unsetenv("SDL_VIDEODRIVER");
        if (chdir(dir.c_str()) != 0) _exit(127);
        execl((dir / "dravok").c_str(), "dravok", nullptr);
        _exit(127);
    }
    return child;
}

// Ends the program and waits until its window is gone, so the next start finds its own.
void stop_program(x_display& x, pid_t child) {
    if (child <= 0) return;
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const auto end = steady::now() + frame_timeout;
    while (x.find_game_window() != 0 && steady::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

x_window wait_for_window(x_display& x) {
    const auto end = steady::now() + frame_timeout;
    while (steady::now() < end) {
        if (x_window w = x.find_game_window()) return w;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 0;
}

// The main menu as the program shows it once it has settled.
std::vector<uint32_t> settled_main_menu(x_display& x, const fs::path& dir) {
    const pid_t child = start_program(dir);
    std::vector<uint32_t> frame;
    if (x_window w = wait_for_window(x)) {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        int width = 0, height = 0;
        if (x.size_of(w, width, height)) frame = x.pixels(w, 0, 0, width, height);
    }
    stop_program(x, child);
    return frame;
}

// Two frames that differ in at most a few pixels (the statistics line, a blinking cursor).
bool nearly_equal(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size() || a.empty()) return false;
    size_t differ = 0;
    for (size_t i = 0; i < a.size(); ++i)
        differ += a[i] != b[i];
    return differ * 100 < a.size();
}

double median_ms(std::vector<double> seconds) {
    if (seconds.empty()) return 0;
    std::sort(seconds.begin(), seconds.end());
    return 1000.0 * seconds[seconds.size() / 2];
}

void BM_window_start_to_main_menu(benchmark::State& bench) {
    x_display x;
    if (!x) return bench.SkipWithError("no X display (run under xvfb-run)");
    const auto first = game_folder("menu-reference");
    if (!first) return bench.SkipWithError("the build has not made the game yet");
    const std::vector<uint32_t> menu = settled_main_menu(x, *first);
    if (menu.empty()) return bench.SkipWithError("the game window did not open");
    std::vector<double> samples;
    for (auto _ : bench) {
        const auto dir = game_folder("menu");
        const auto start = steady::now();
        const pid_t child = start_program(*dir);
        bool shown = false;
        // The window is looked up on every poll: it may be made again as the program lays it out.
        while (!shown && steady::now() - start < frame_timeout) {
            int width = 0, height = 0;
            const x_window w = x.find_game_window();
            if (w != 0 && x.size_of(w, width, height))
                shown = nearly_equal(x.pixels(w, 0, 0, width, height), menu);
        }
        const double seconds = std::chrono::duration<double>(steady::now() - start).count();
        stop_program(x, child);
        if (!shown) {
            std::fprintf(stderr, "iteration %zu: window %lu\n", samples.size(),
                         (unsigned long)wait_for_window(x));
            return bench.SkipWithError("the main menu did not show");
        }
        bench.SetIterationTime(seconds);
        samples.push_back(seconds);
    }
    bench.counters["median_ms"] = median_ms(samples);
}
BENCHMARK(BM_window_start_to_main_menu)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

// In a child process (the game's state stays out of the benchmark): the program's start in the
// folder, a sturdy character on level 1 among 200 more creatures, and the game saved.
bool make_crowded_save(const fs::path& dir) {
    const pid_t child = fork();
    if (child == 0) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("DRAVOK_HEADLESS", "1", 1);
        ManualClock clock;
        set_program_folder(dir.string() + "/");
        set_clock(&clock);
        // The child starts from the state the benchmarks before it left: a fresh program's.
        clear_quit_request();
        state = tstate{};
        if (!init_platform_video() || !create_game_window() || !form_create()) _exit(1);
        form_show();
        clock.advance(25);
        run_due_timers();
        if (game_mode != mode_menu) _exit(2);
        game.target_level = 1;
        game.current_level = 0;
        if (!setup_level(1)) _exit(3);
        std::vector<std::pair<int, int>> free;
        for (int x = 2; x < map_size; ++x)
            for (int y = 2; y < map_size; ++y)
                if (cell_at(x, y).block >= first_floor_block && is_free_floor(x, y, 1, 1, 0, 0, 1))
                    free.emplace_back(x, y);
        if (free.size() < size_t(creatures_on_level) + 1) _exit(4);
        // The benchmark's keys step the character west and back east: it starts on a cell with
        // free floor on both sides, and no creature is placed in that row's few cells.
        const auto free_at = [&](int x, int y) {
            return std::find(free.begin(), free.end(), std::make_pair(x, y)) != free.end();
        };
        std::vector<std::pair<int, int>> roomy;
        for (const auto& [x, y] : free)
            if (free_at(x - 2, y) && free_at(x - 1, y) && free_at(x + 1, y) && free_at(x + 2, y))
                roomy.emplace_back(x, y);
        if (roomy.empty()) _exit(9);
        const auto [hx, hy] = roomy[roomy.size() / 2];
        std::erase_if(free, [hx, hy](const std::pair<int, int>& c) {
            return c.second == hy && std::abs(c.first - hx) <= 2;
        });
        const int hero =
            add_being_to_level(hx, hy, blank_being, 1, find_being_plan_by_name("be_debug_player"));
        if (hero == 0) _exit(5);
        beings[hero].type_flags[tf_player] = 1;
        beings[hero].commanded = 1;
        game.player_serial = uint32_t(beings[hero].serial);
        player = player_character = hero;
        // Plain creatures of every kind, each up to the limit its plan sets.
        std::vector<int> kinds;
        for (int p = 1; p < int(being_plans.size()); ++p) {
            const std::string id = being_plans[p].identifier.str();
            bool plain = true;
            for (const char* word :
                 {"god", "demon", "celestial", "spectator", "player", "avatar", "dragon", "lich"})
                plain = plain && id.find(word) == std::string::npos;
            if (plain) kinds.push_back(p);
        }
        size_t kind = 0;
        int placed = 0;
        // Spread over the level, then packed where room is left.
        const size_t stride = std::max<size_t>(1, free.size() / creatures_on_level);
        for (size_t pass = 0; pass < 2; ++pass)
            for (size_t i = pass; i < free.size() && placed < creatures_on_level; i += pass == 0 ? stride : 1)
                if (is_free_floor(free[i].first, free[i].second, 1, 1, 0, 0, 1) &&
                    add_being_to_level(free[i].first, free[i].second, blank_being, 1,
                                       kinds[kind++ % kinds.size()]) != 0)
                    ++placed;
        if (placed < creatures_on_level) {
            std::fprintf(stderr, "crowded save: %d creatures placed among %zu free cells\n", placed,
                         free.size());
            _exit(6);
        }
        if (!arrive_at_level(1)) _exit(8);
        update_being(hero, 1);
        game_mode = mode_main;
        _exit(save_game() ? 0 : 7);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "crowded save: status %d\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool region_changed(x_display& x, x_window w, int bx, int by, int bw, int bh,
                    const std::vector<uint32_t>& before, steady::time_point until) {
    while (steady::now() < until)
        if (x.pixels(w, bx, by, bw, bh) != before) return true;
    return false;
}

void BM_window_key_to_frame_200_creatures(benchmark::State& bench) {
    x_display x;
    if (!x) return bench.SkipWithError("no X display (run under xvfb-run)");
    const auto dir = game_folder("crowd");
    if (!dir) return bench.SkipWithError("the build has not made the game yet");
    if (!make_crowded_save(*dir)) return bench.SkipWithError("the crowded level could not be saved");
    const pid_t child = start_program(*dir);
    const x_window w = wait_for_window(x);
    if (w == 0) {
        stop_program(x, child);
        return bench.SkipWithError("the game window did not open");
    }
    // CONTINUE GAME, then the save.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    for (KeySym k : {XK_Down, XK_Return, XK_Return}) {
        x.key(w, k);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    std::this_thread::sleep_for(std::chrono::seconds(2));
    int width = 0, height = 0;
    x.size_of(w, width, height);
    // The middle of the map view, where the character stands: a step scrolls it.
    const int bw = width / 4, bh = height / 4, bx = width / 2 - bw / 2, by = height * 2 / 5 - bh / 2;
    int step = 0;
    std::vector<double> samples;
    for (auto _ : bench) {
        const std::vector<uint32_t> before = x.pixels(w, bx, by, bw, bh);
        const auto start = steady::now();
        x.key(w, (step++ % 2) == 0 ? XK_Left : XK_Right);
        const bool changed = region_changed(x, w, bx, by, bw, bh, before, start + std::chrono::seconds(1));
        const double seconds = std::chrono::duration<double>(steady::now() - start).count();
        if (!changed) {
            stop_program(x, child);
            return bench.SkipWithError("no frame followed the key");
        }
        bench.SetIterationTime(seconds);
        samples.push_back(seconds);
        // Let the step's animation end before the next key.
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    stop_program(x, child);
    bench.counters["median_ms"] = median_ms(samples);
}
BENCHMARK(BM_window_key_to_frame_200_creatures)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(31);

} // namespace
} // namespace dravok
