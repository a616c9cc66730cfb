#include "platform/termination.h"

#include <SDL.h>

#include <array>
#include <csignal>

namespace dravok {

namespace {

constexpr std::array<int, 3> ending_signals = {SIGTERM, SIGINT, SIGHUP};

volatile std::sig_atomic_t requested = 0;

void on_signal(int signal_number) {
    if (requested) {
        // The player insists: the default action ends the program now.
        std::signal(signal_number, SIG_DFL);
        std::raise(signal_number);
        return;
    }
    requested = 1;
}

} // namespace

void install_termination_handlers() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction action {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocking wait returns at once and looks at the request.
    action.sa_flags = 0;
    for (int s : ending_signals)
        sigaction(s, &action, nullptr);
}

void remove_termination_handlers() {
    for (int s : ending_signals)
        std::signal(s, SIG_DFL);
    requested = 0;
}

bool termination_requested() {
    return requested != 0;
}

} // namespace dravok
