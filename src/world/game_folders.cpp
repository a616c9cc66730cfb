#include "world/game_folders.h"

#include <string>

#include "platform/desktop.h"
#include "platform/files.h"

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

void list_files_with_extension(std::string_view pattern, std::string_view extension,
                               std::vector<std::string>& list) {
    for (const std::string& name : find_files(pattern, ListKind::files)) {
        const std::size_t dot = name.rfind('.');
        if (dot == std::string::npos || std::string_view(name).substr(dot) != extension) continue;
        list.push_back(name.substr(0, dot));
    }
}

} // namespace dravok
