#include "world/error_log.h"

#include <optional>

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "records/codec.h"
#include "world/globals.h"

namespace dravok {

std::vector<std::string> error_log_lines;

namespace {

constexpr int trace_capacity = call_trace_depth;
bool quit_flag = false;

// The log is rewritten whole; a file that cannot be written is not reported.
void write_error_log_file() {
    std::string text;
    for (const std::string& line : error_log_lines) {
        text += line;
        text += "\r\n";
    }
    write_file(error_log_path(), text);
}

} // namespace

int trace_enter(int depth, uint16_t id) {
    if (depth <= 0) return depth;
    ++depth;
    if (depth <= trace_capacity) game.call_trace_of(depth) = id;
    return depth;
}

int trace_start(uint16_t id) {
    game.call_trace_of(1) = id;
    return 1;
}

uint16_t trace_entry(int d) {
    if (d < 1 || d > trace_capacity) return 0;
    return game.call_trace_of(d);
}

bool quit_requested() {
    return quit_flag;
}
void request_quit() {
    quit_flag = true;
}
void clear_quit_request() {
    quit_flag = false;
}

void show_fatal_message(std::string_view text) {
    show_message(text);
    request_quit();
}

void error_log(int depth, std::string_view message, bool fatal) {
    if (depth == 0) return;
    std::string headline =
        "  Release " + std::to_string(game_release) + "     " + format_log_stamp(local_now()) + "     ";
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
        show_message(text);
        request_quit();
    }
}

std::string error_log_path() {
    return program_folder() + "Error-log.txt";
}

void load_error_log() {
    error_log_lines.clear();
    const std::optional<std::string> file = read_text_file(error_log_path());
    if (!file) return;
    const std::string& text = *file;
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
