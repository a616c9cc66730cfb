#include "world/error_log.h"

#include <algorithm>
#include <optional>
#include <span>

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "records/codec.h"
#include "world/game_record.h"

namespace dravok {

std::vector<std::string> error_log_lines;

namespace {

constexpr int trace_capacity = call_trace_depth;
bool quit_flag = false;
bool showing_logged_message = false;
// Only the newest part of a long log is read at start-up; the older rest stays in the file from
// this offset on and is copied behind the lines in memory at every rewrite.
constexpr std::size_t loaded_log_bytes = std::size_t(1) << 20;
std::optional<uint64_t> unread_log_from;
bool fatal_quit_flag = false; // set with the quit request by a fatal error

// The log is rewritten whole; a file that cannot be written is not reported.
void write_error_log_file() {
    std::string text;
    for (const std::string& line : error_log_lines) {
        text += line;
        text += "\r\n";
    }
    // A log removed meanwhile has no older rest any more.
    if (unread_log_from && !file_exists(error_log_path())) unread_log_from.reset();
    if (unread_log_from) {
        if (write_file_with_tail(error_log_path(), text, error_log_path(), *unread_log_from))
            unread_log_from = text.size();
        return;
    }
    write_file(error_log_path(), text);
}

} // namespace

int trace_enter_recorded(int depth, uint16_t id) {
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
    fatal_quit_flag = false;
}
bool quit_after_fatal_error() {
    return fatal_quit_flag;
}

void show_fatal_message(std::string_view text) {
    show_message(text);
    request_quit();
    fatal_quit_flag = true;
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
        showing_logged_message = true;
        show_message(text);
        showing_logged_message = false;
        request_quit();
        fatal_quit_flag = true;
    }
}

void log_unshown_message(std::string_view text) {
    if (showing_logged_message) return;
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text) {
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (!line.empty()) lines.push_back(std::move(line));
        line.clear();
    }
    if (!line.empty()) lines.push_back(std::move(line));
    if (lines.empty()) return;
    std::vector<std::string> entry = {"", "  Release " + std::to_string(game_release) + "     " +
                                              format_log_stamp(local_now()) + "     " + lines[0]};
    for (std::size_t i = 1; i < lines.size(); ++i)
        entry.push_back("  " + lines[i]);
    entry.emplace_back();
    entry.emplace_back();
    error_log_lines.insert(error_log_lines.begin(), entry.begin(), entry.end());
    write_error_log_file();
}

std::string error_log_path() {
    return program_folder() + "Error-log.txt";
}

void load_error_log() {
    error_log_lines.clear();
    unread_log_from.reset();
    FileReader file;
    if (!file.open(error_log_path())) return;
    std::string text(std::size_t(std::min<uint64_t>(file.size(), loaded_log_bytes)), '\0');
    if (!file.read_at(0, std::span<uint8_t>(reinterpret_cast<uint8_t*>(text.data()), text.size()))) return;
    if (text.size() < file.size()) {
        // The newest entries come first: whole lines of the first part are read.
        const std::size_t end = text.rfind('\n');
        text.resize(end == std::string::npos ? 0 : end + 1);
        unread_log_from = text.size();
    }
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
