#include "world/error_log.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "world/codec.h"
#include "world/host.h"

namespace dravok {

std::vector<std::string> error_log_lines;

namespace {

constexpr int trace_capacity = 100;
uint16_t trace_stack[trace_capacity] = {};
bool quit_flag = false;
std::string log_folder;

const std::string& folder() {
    if (log_folder.empty()) log_folder = program_folder_path();
    return log_folder;
}

std::string two_digits(int v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", v);
    return buffer;
}

// The log is rewritten whole; a file that cannot be written is not reported.
void write_error_log_file() {
    std::ofstream file(error_log_path(), std::ios::binary | std::ios::trunc);
    if (!file) return;
    for (const std::string& line : error_log_lines) file << line << "\r\n";
}

} // namespace

int trace_enter(int depth, uint16_t id) {
    if (depth <= 0) return depth;
    ++depth;
    if (depth <= trace_capacity) trace_stack[depth - 1] = id;
    return depth;
}

int trace_start(uint16_t id) {
    trace_stack[0] = id;
    return 1;
}

uint16_t trace_entry(int d) {
    if (d < 1 || d > trace_capacity) return 0;
    return trace_stack[d - 1];
}

bool quit_requested() { return quit_flag; }
void request_quit() { quit_flag = true; }
void clear_quit_request() { quit_flag = false; }

void show_fatal_message(std::string_view text) {
    show_message_box(text);
    request_quit();
}

void error_log(int depth, std::string_view message, bool fatal) {
    if (depth == 0) return;
    const tlocal_time t = local_time_now();
    std::string headline = "  Release " + std::to_string(game_release) + "     " + std::to_string(t.year) + "-" +
                           two_digits(t.month) + "-" + two_digits(t.day) + " " + two_digits(t.hour) + ":" +
                           two_digits(t.minute) + "     ";
    headline += message;

    std::vector<std::string> entry = {"", headline, ""};
    const int listed = depth < trace_capacity ? depth : trace_capacity;
    for (int d = 1; d <= listed; ++d) {
        std::string line = "  ";
        line += trace_name(trace_entry(d));
        if (d < listed) line += " ->";
        entry.push_back(std::move(line));
    }
    entry.emplace_back();
    entry.emplace_back();
    error_log_lines.insert(error_log_lines.begin(), entry.begin(), entry.end());
    write_error_log_file();

    if (fatal && !quit_requested()) {
        std::string text(message);
        text += "\r\n\r\nShutting down!";
        show_message_box(text);
        request_quit();
    }
}

std::string error_log_path() { return folder() + "Error-log.txt"; }

void set_error_log_folder(std::string f) {
    if (!f.empty() && f.back() != '/') f += '/';
    log_folder = std::move(f);
}

void load_error_log() {
    error_log_lines.clear();
    std::ifstream file(error_log_path(), std::ios::binary);
    if (!file) return;
    std::stringstream content;
    content << file.rdbuf();
    const std::string text = content.str();
    // Lines end in CR LF, LF or CR.
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            error_log_lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) error_log_lines.push_back(std::move(line));
}

} // namespace dravok
