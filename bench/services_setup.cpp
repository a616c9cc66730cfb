// The benchmarks run the rules as the game does: with the rules' and the AI's services installed
// (the AI's sight among them) before any benchmark starts.
#include "ui/game_services.h"

namespace {

const bool services_installed = [] {
    dravok::install_game_services();
    return true;
}();

} // namespace
