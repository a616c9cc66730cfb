// The game's folders beside the program (Temporary, Save, Obituary, Screenshot): creating them
// at start-up and emptying the temporary folder. Called by the window's start-up, the module
// initialisation and shutdown.
#pragma once

namespace dravok {

// False, after a message naming the folder, when one cannot be created.
bool create_game_folders();
void clear_temporary_folder();

} // namespace dravok
