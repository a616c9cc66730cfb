// The game's folders beside the program (Temporary, Save, Obituary, Screenshot): creating them
// at start-up, emptying the temporary folder and listing files by extension. Called by the
// window's start-up, the module initialisation, shutdown and the save list.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace dravok {

// False, after a message naming the folder, when one cannot be created.
bool create_game_folders();
void clear_temporary_folder();
// Adds the name, without its extension, of every file matching the pattern ("Save/*.dsg")
// whose extension is exactly the given one (case-sensitive, with the dot).
void list_files_with_extension(std::string_view pattern, std::string_view extension,
                               std::vector<std::string>& list);

} // namespace dravok
