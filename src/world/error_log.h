// The error log and the call trace. Instrumented routines record their identifier at their depth
// of the current chain; error_log writes an entry with that chain, newest first, to
// "Error-log.txt" beside the program, and a fatal entry shows the message and asks the program
// to stop in order. Called by every unit that reports an internal error.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "world/trace_names.h"

namespace dravok {

// The whole log, newest entry first, one string per line.
extern std::vector<std::string> error_log_lines;

// One entry when depth is not 0: the release, the local date and time and the message, then the
// routines of trace entries 1..depth (at most 100). Fatal: unless the program is already
// quitting, a message box and the quit request.
void error_log(int depth, std::string_view message, bool fatal);

// Start of an instrumented routine: a depth above 0 grows by one and the routine's identifier
// goes into that entry (entries beyond 100 are not kept). Returns the depth to pass on.
// Inline: most calls carry depth 0 and record nothing.
int trace_enter_recorded(int depth, uint16_t id);
inline int trace_enter(int depth, uint16_t id) {
    return depth <= 0 ? depth : trace_enter_recorded(depth, id);
}
// A routine that starts a chain records itself in entry 1 and passes 1 on.
int trace_start(uint16_t id);
// The identifier in trace entry d = 1..100 (0 outside).
uint16_t trace_entry(int d);

// A message box and the quit request, without a log entry (the fatal file messages).
void show_fatal_message(std::string_view text);

// The quit request of the run state.
bool quit_requested();
void request_quit();
void clear_quit_request();
// Whether the quit was forced by a fatal error (the program then ends with a failure status).
bool quit_after_fatal_error();

// A message the player could not be shown, kept as an entry of its own (the text's lines after
// the date); the messages of the log's own fatal entries are in the log already.
void log_unshown_message(std::string_view text);

// The log file beside the program; loaded at start-up when it exists (of a long log only the newest
// megabyte, the rest kept in the file behind it).
std::string error_log_path();
void load_error_log();

} // namespace dravok
