// The release check and the self-update: the newest release number fetched in the background
// and compared at the next start, and the update script that replaces the game's files.
// Called by the window's start-up, the update timer, the update menu and shutdown.
#pragma once

namespace dravok {

void run_release_check();
void start_release_fetch();
void write_and_start_update_script();
void delete_update_files();

} // namespace dravok
