// A game started the player's way; see game_start.h.
#include "support/game_start.h"

#include <unistd.h>

#include "platform/desktop.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "platform/runtime.h"
#include "platform/timers.h"
#include "platform/window.h"
#include "ui/draw.h"
#include "ui/game_window.h"
#include "ui/graphics.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/message_log.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/world_lifecycle.h"

namespace dravok::testing {

namespace fs = std::filesystem;

started_game::started_game(const std::string& name) {
    folder = fs::temp_directory_path() / ("dravok_game_" + std::to_string(::getpid()) + "_" + name);
    fs::remove_all(folder);
    fs::create_directories(folder / "Data");
    const fs::path built(DRAVOK_DATA_DIR);
    for (const char* file : {"Dravok.dbs", "Dravok.dti", "Dravok.dts"}) {
        if (!fs::exists(built / file)) return;
        fs::copy_file(built / file, folder / "Data" / file);
    }
    ready_ = true;
}

started_game::~started_game() {
    stop();
    // A script the game started may still be writing in the folder: no throwing here.
    std::error_code ec;
    fs::remove_all(folder, ec);
}

void started_game::stop() {
    if (!running_) return;
    running_ = false;
    destroy_all_timers();
    game_window.close();
    free_graphics();
    free_world();
    set_clock(nullptr);
    // The program's error log goes with its folder.
    set_unshown_message_handler({});
    set_program_folder("");
    clear_quit_request();
    state = tstate{};
    game_mode = 0;
}

bool started_game::start() {
    set_program_folder(folder.string() + "/");
    set_clock(&clock);
    clear_quit_request();
    state = tstate{};
    settings = tsettings{};
    if (on_created) on_created();
    if (!init_platform_video() || !create_game_window()) return false;
    running_ = true;
    if (!form_create()) return false;
    form_show();
    clock.advance(25);
    run_due_timers();
    return state.initialised && game_mode == mode_menu && !quit_requested();
}

bool started_game::restart() {
    stop();
    return start();
}

void started_game::press(int key, tshift_state shift) {
    form_key_down(key, shift);
}

bool started_game::logged(const std::string& text) const {
    for (const std::string& line : message_log)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

std::string started_game::screenshot(const std::string& name) {
    draw_screen();
    const fs::path dir = fs::path(DRAVOK_DATA_DIR).parent_path().parent_path() / "screens";
    fs::create_directories(dir);
    const std::string path = (dir / (name + ".png")).string();
    write_png(path, screen_bitmap);
    return path;
}

} // namespace dravok::testing
