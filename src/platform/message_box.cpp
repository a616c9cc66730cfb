#include "platform/message_box.h"

#include <SDL.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/termination.h"

namespace dravok {

namespace {

constexpr const char* box_request_flag = "--message-box";
constexpr int box_request_argc = 5; // program, flag, game's process id, title, text
constexpr const char* own_program = "/proc/self/exe";
// How often the game looks for a termination request while a box is up.
constexpr long wait_step_ns = 20'000'000;

// In the box process: the game's death (or any ending signal) takes down the whole group, the
// box window SDL draws from a process of its own included.
void kill_own_group(int) {
    kill(0, SIGKILL);
}

int wait_status(pid_t child, bool block) {
    int status = 0;
    for (;;) {
        const pid_t r = waitpid(child, &status, block ? 0 : WNOHANG);
        if (r == child) return status;
        if (r == 0) return -1;
        if (errno != EINTR) return 0x7F00; // lost: counts as a failed exit
    }
}

} // namespace

bool is_message_box_request(int argc, char** argv) {
    return argc == box_request_argc && std::strcmp(argv[1], box_request_flag) == 0;
}

int run_message_box_request(int argc, char** argv) {
    if (!is_message_box_request(argc, argv)) return EXIT_FAILURE;
    struct sigaction action {};
    action.sa_handler = kill_own_group;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaction(s, &action, nullptr);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The game may have ended before the death signal was armed.
    if (getppid() != static_cast<pid_t>(std::atol(argv[2]))) return EXIT_FAILURE;
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, argv[3], argv[4], nullptr) == 0
               ? EXIT_SUCCESS
               : EXIT_FAILURE;
}

tmodal_end show_message_box(std::string_view title, std::string_view text) {
    if (termination_requested()) return tmodal_end::terminated;
    return run_modal_process(
        {own_program, box_request_flag, std::to_string(getpid()), std::string(title), std::string(text)});
}

tmodal_end run_modal_process(const std::vector<std::string>& argv) {
    if (argv.empty()) return tmodal_end::failed;
    // Everything the child needs is prepared before fork: after it only system calls run.
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t child = fork();
    if (child < 0) return tmodal_end::failed;
    if (child == 0) {
        setpgid(0, 0);
        // The child is told when the game dies, however it dies (the signal survives exec).
        prctl(PR_SET_PDEATHSIG, SIGHUP);
        execv(args[0], args.data());
        _exit(127);
    }
    setpgid(child, child); // also here, so the group exists before either side goes on
    const timespec step{0, wait_step_ns};
    for (;;) {
        const int status = wait_status(child, false);
        if (status >= 0)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? tmodal_end::finished : tmodal_end::failed;
        if (termination_requested()) {
            kill(-child, SIGKILL);
            wait_status(child, true);
            return tmodal_end::terminated;
        }
        nanosleep(&step, nullptr);
    }
}

} // namespace dravok
