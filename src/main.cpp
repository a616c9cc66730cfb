// The program: creates the game window and runs its event loop until the window closes (or, as a
// box process, shows one message box).
#include "ui/game_window.h"

int main(int argc, char** argv) {
    return dravok::run_game(argc, argv);
}
