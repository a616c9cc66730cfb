#include "platform/desktop.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "platform/text_encoding.h"

namespace dravok {

namespace {

std::function<void(std::string_view)>& unshown_message_handler() {
    static std::function<void(std::string_view)> handler;
    return handler;
}

} // namespace

void set_unshown_message_handler(std::function<void(std::string_view text)> handler) {
    unshown_message_handler() = std::move(handler);
}

void show_message(std::string_view text, std::string_view title) {
    // Without a screen, or when the box could not be shown or was taken down by a signal, the
    // text still reaches the terminal, and the handler's keeping.
    if (!is_headless() &&
        show_message_box(cp1252_to_utf8(title), cp1252_to_utf8(text)) == tmodal_end::finished)
        return;
    write_to_terminal(std::string(title) + ": " + std::string(text));
    if (unshown_message_handler()) unshown_message_handler()(text);
}

void write_to_terminal(std::string_view text, bool to_error_stream) {
    std::string line = cp1252_to_utf8(text);
    line += '\n';
    std::fputs(line.c_str(), to_error_stream ? stderr : stdout);
    std::fflush(to_error_stream ? stderr : stdout);
}

int current_process_id() {
    return static_cast<int>(getpid());
}

std::string clipboard_text() {
    if (!init_platform_video()) return {};
    char* text = SDL_GetClipboardText();
    if (!text) return {};
    std::string out = utf8_to_cp1252(text);
    SDL_free(text);
    return out;
}

bool set_clipboard_text(std::string_view text) {
    if (!init_platform_video()) return false;
    return SDL_SetClipboardText(cp1252_to_utf8(text).c_str()) == 0;
}

bool start_detached(const std::vector<std::string>& argv, std::string_view working_folder) {
    if (argv.empty()) return false;
    std::string folder = working_folder.empty() ? std::string() : system_path(working_folder);
    // Everything the child needs is prepared before fork: after it only system calls run.
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // A program that cannot be started reports it through this pipe; a started one closes it
    // unwritten when exec replaces the process.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return false;
    pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (child == 0) {
        // The middle process starts the program in a session of its own and leaves once it has
        // started, so the program is not our child and is never left waiting to be reaped.
        setsid();
        pid_t grandchild = fork();
        if (grandchild < 0) _exit(1);
        if (grandchild > 0) {
            close(report[1]);
            char failed = 0;
            ssize_t n;
            while ((n = read(report[0], &failed, 1)) < 0 && errno == EINTR) {
            }
            _exit(n > 0 ? 127 : 0);
        }
        close(report[0]);
        const char failed = 1;
        if (!folder.empty() && chdir(folder.c_str()) != 0) {
            (void)!write(report[1], &failed, 1);
            _exit(127);
        }
        int devnull = open("/dev/null", O_RDWR);
        if (devnull >= 0) {
            dup2(devnull, STDIN_FILENO);
            if (devnull > STDERR_FILENO) close(devnull);
        }
        execvp(args[0], args.data());
        (void)!write(report[1], &failed, 1);
        _exit(127);
    }
    close(report[0]);
    close(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool open_document(std::string_view path_or_url) {
    return start_detached({"xdg-open", system_path(path_or_url)});
}

bool run_script(std::string_view script_path, std::string_view working_folder) {
    std::string folder(working_folder);
    if (folder.empty()) {
        auto slash = script_path.rfind('/');
        if (slash != std::string_view::npos) folder = std::string(script_path.substr(0, slash + 1));
    }
    return start_detached({"/bin/sh", system_path(script_path)}, folder);
}

} // namespace dravok
