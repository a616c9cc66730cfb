// The program: creates the game window and runs its event loop until the window closes. Started
// with a box request it only shows that message box (see platform/message_box.h).
#include "platform/message_box.h"
#include "ui/game_window.h"

int main(int argc, char** argv) {
    if (dravok::is_message_box_request(argc, argv)) return dravok::run_message_box_request(argc, argv);
    return dravok::run_game();
}
