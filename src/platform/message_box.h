// The modal message box, shown by a second copy of this program: the game only waits for that
// box process, so a signal (termination.h) always reaches it, and on a termination request the
// box process is killed at once. The box process dies with the game even when the game is
// killed outright, so no box outlives it. Called by show_message (desktop.h) and by main.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace dravok {

// True when the program was started as a box process; main then runs the request and exits.
bool is_message_box_request(int argc, char** argv);
// Shows the box of a box request; the exit status is 0 once the player has closed it.
int run_message_box_request(int argc, char** argv);

enum class tmodal_end { finished, failed, terminated };

// Shows a box (UTF-8 texts) through a box process and waits until it is closed: `failed` when no
// box could be shown (no screen), `terminated` when a termination request took it down.
tmodal_end show_message_box(std::string_view title, std::string_view text);

// Runs a program (argv[0] is its path) as a child in a process group of its own and waits for
// it; `finished` when it exits with status 0. A termination request kills the whole group.
tmodal_end run_modal_process(const std::vector<std::string>& argv);

} // namespace dravok
