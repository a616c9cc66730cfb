// Desktop services: the modal message box, the clipboard's text, opening a document or web
// address with the desktop's default handler, and starting a generated shell script, both
// detached from the game. Texts are Windows-1252. Called by the error log, the fatal-file
// messages, the book screen, the help menus and the self-updater.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dravok {

// Shows the message and waits until the player closes it. Without a screen (is_headless()) the
// text goes to standard error instead and the call returns at once.
void show_message(std::string_view text, std::string_view title = "Dravok");
// Also given the text of every message that could not be shown in a box (no screen, no fonts,
// taken down by a signal), so that it is kept where the player will find it; empty: none.
void set_unshown_message_handler(std::function<void(std::string_view text)> handler);

// Writes one line of game text to the terminal (standard error, or standard output), as UTF-8.
void write_to_terminal(std::string_view text, bool to_error_stream = true);

// The clipboard's text ("" when empty or unavailable), and setting it. False when it fails.
std::string clipboard_text();
bool set_clipboard_text(std::string_view text);

// Opens a file or a web address with `xdg-open`, without waiting. False when it cannot start.
bool open_document(std::string_view path_or_url);
// Runs a script with /bin/sh in the given working folder (the script's own folder when empty),
// without waiting and detached from the game, so it may outlive it. False when it cannot start.
bool run_script(std::string_view script_path, std::string_view working_folder = "");

// This program's process id (generated scripts wait for it to end before replacing files).
int current_process_id();

// Starts a program detached, with its arguments, in a working folder ("" = ours); the building
// block of the two above. False when it cannot start.
bool start_detached(const std::vector<std::string>& argv, std::string_view working_folder = "");

} // namespace dravok
