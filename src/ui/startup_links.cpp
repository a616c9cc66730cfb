// Minimal bodies of the services in startup_links.h whose owners have not landed. The world
// file services are complete (folders, temporary folder, title pictures); the others do the
// least that keeps the start-up path honest: the database is checked as a coded file, the
// menus only switch the game mode.
#include "ui/startup_links.h"

#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/title_screens.h"
#include "world/globals.h"

namespace dravok {

bool create_game_folders() {
    for (const char* name : {"Temporary", "Save", "Obituary", "Screenshot"}) {
        const std::string path = program_folder() + name + "/";
        if (folder_exists(path) || create_folder(path)) continue;
        show_message("Could not create folder \"" + path + "\"!");
        return false;
    }
    return true;
}

void clear_temporary_folder() {
    const std::string folder = program_folder() + "Temporary/";
    if (!folder_exists(folder)) return;
    for (const std::string& name : list_folder(folder, "*", ListKind::files))
        delete_file(folder + name);
}

void load_settings() {
    load_view_size();
}
void load_statistics() {}
void save_statistics() {}
void count_game_end(bool, uint32_t) {}
void write_history_file(const std::string& path) {
    std::string text;
    for (const std::string& line : history)
        text += line + "\r\n";
    write_file(path, text);
}

void load_title_pictures() {
    title_picture_count = 0;
    for (int k = 1; k <= 10; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "Dravok.p%02d", k);
        if (!read_png(program_folder() + "Data/" + name, title_pictures[k])) break;
        title_picture_count = k;
    }
}

bool load_avatars() {
    return false;
}
void setup_avatars(int) {}

std::string spaced_title(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (!out.empty()) out += ' ';
        out += c;
    }
    return out;
}
void clear_all_indicators() {}
void setup_game_over_dialog() {}

} // namespace dravok
