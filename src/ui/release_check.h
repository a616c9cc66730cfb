// The release check and self-update: a detached script fetches "Release.txt" from the release
// host, a later check reads it, and the update script replaces the installation with the newest
// release after the program has ended. Called by start-up, the update timer, the update menu and
// the window's close handler.
#pragma once
#include <string>

namespace dravok {

// This program's release; a "Release.txt" with a higher first line offers an update.
constexpr int game_release = 15;

// The release host of the build ("" = no update check and no web rows); tests may set another.
const std::string& release_host();
void set_release_host(std::string host);
// The address of a path on the release host ("https://host/path").
std::string release_address(const std::string& path);

// Writes "Get_Release.sh" and starts it detached; nothing waits for it.
void fetch_release_file();
// Reads "Release.txt" when present and sets update_available for a newer release; deletes it.
void check_release_file();
// Writes "Update.sh" and starts it detached (after the program has shut down).
void write_update_script();
// Deletes the fetch and update scripts and the archive (start-up and shutdown).
void delete_update_files();

} // namespace dravok
