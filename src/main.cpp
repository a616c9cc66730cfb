// The program: creates the game window and runs its event loop until the window closes.
#include "ui/game_window.h"

int main() {
    return dravok::run_game();
}
