// See memory_cap.h.
#include "support/memory_cap.h"

#include <SDL.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>

namespace dravok::testing {
namespace {

constexpr unsigned child_seconds = 20;
constexpr int out_of_memory_status = 90;

// A "Vm...:   1234 kB" line of /proc/self/status, in bytes.
std::size_t status_bytes(const std::string& field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field + ":", 0) == 0) return std::stoull(line.substr(field.size() + 1)) * 1024;
    return 0;
}

void write_all(int fd, const void* data, std::size_t n) {
    const char* p = static_cast<const char*>(data);
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w <= 0) return;
        p += w;
        n -= std::size_t(w);
    }
}

// A refused allocation ends the child at once, so a reader that catches the failure (or a
// library that reports it as a damaged file) cannot hide that it asked for too much.
[[noreturn]] void out_of_memory() {
    _exit(out_of_memory_status);
}
void* checked_malloc(std::size_t n) {
    void* p = std::malloc(n);
    if (!p && n > 0) out_of_memory();
    return p;
}
void* checked_calloc(std::size_t count, std::size_t n) {
    void* p = std::calloc(count, n);
    if (!p && count > 0 && n > 0) out_of_memory();
    return p;
}
void* checked_realloc(void* old, std::size_t n) {
    void* p = std::realloc(old, n);
    if (!p && n > 0) out_of_memory();
    return p;
}

} // namespace

tcapped_run run_with_memory_cap(std::size_t cap, const std::function<int()>& body) {
    int pipe_fds[2];
    if (::pipe(pipe_fds) != 0) return {};
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return {};
    if (child == 0) {
        ::close(pipe_fds[0]);
        ::alarm(child_seconds);
        const rlim_t limit = status_bytes("VmData") + cap;
        const rlimit data{limit, limit};
        ::setrlimit(RLIMIT_DATA, &data);
        // "5" resets the peak resident size, so the peak below is this body's.
        std::ofstream("/proc/self/clear_refs") << "5";
        const std::size_t before = status_bytes("VmRSS");
        std::set_new_handler(out_of_memory);
        // SDL's own defaults are these same C library calls, so memory it took before is freed
        // correctly through them.
        SDL_SetMemoryFunctions(checked_malloc, checked_calloc, checked_realloc, std::free);
        const int result = body();
        const std::size_t peak = status_bytes("VmHWM");
        const std::size_t growth = peak > before ? peak - before : 0;
        write_all(pipe_fds[1], &result, sizeof result);
        write_all(pipe_fds[1], &growth, sizeof growth);
        _exit(0);
    }
    ::close(pipe_fds[1]);
    tcapped_run run;
    int result = 0;
    std::size_t growth = 0;
    const bool got = ::read(pipe_fds[0], &result, sizeof result) == sizeof result &&
                     ::read(pipe_fds[0], &growth, sizeof growth) == sizeof growth;
    ::close(pipe_fds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    run.finished = got && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (run.finished) {
        run.result = result;
        run.peak_growth = growth;
    }
    return run;
}

} // namespace dravok::testing
