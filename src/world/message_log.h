// The message log: every message to the player goes through add_message, which wraps it to the
// log's pixel width, stamps each line with its expiry time and indent, and files it newest
// first (or oldest first). Also fading after a command, purging and speech lines.
// Called by every rule that tells the player something; drawn by the presentation.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dravok {

// Pixel width of a text in the log's font.
using ttext_measure = std::function<int(std::string_view)>;

// The log's lines: "%10.10d" expiry time, "%3.3d" indent in pixels, then the text with its
// colour codes. An empty line is a blank separator.
extern std::vector<std::string> message_log;

// The log's layout and scroll state (the settings' log fields and the run state's log flags).
struct tlog_view {
    int32_t area_width = 600;     // pixel width of the log area
    int32_t margin = 4;           // log margin in pixels
    int32_t visible_lines = 7;
    int32_t first_shown_line = 0;
    int32_t blank_lines = 0;      // blank lines added since the last message
    int32_t scrollbar_width = 16;
    uint8_t scrollbar = 0;
    uint8_t newest_first = 1;
    uint32_t next_separator_time = 0;
    std::string fade_line;        // the first shown line when the player last gave a command
    bool muted = false;
    bool blank_pending = false;
    bool redraw = false;
};
extern tlog_view log_view;

// The game clock read by the log (time units); set by the world when the game record exists.
extern std::function<uint32_t()> log_game_clock;
// How the log measures text; the presentation installs the log font's measure.
extern ttext_measure log_text_measure;

void add_message(std::string_view text);
void add_message(); // a blank separator line
// A line of speech: "{$B" name suffix ": }" "$D" text, after the text is expanded.
void add_speech_message(int speaker, int target, int item, std::string_view text, std::string_view name_suffix);
// The part of add_speech_message after the being checks: shown name and expanded text.
void add_speech_line(std::string_view shown_name, std::string_view name_suffix, std::string_view text);

void wrap_log_text(const ttext_measure& measure, std::string_view text, int width, std::string& out, bool stamped);
void purge_log();
bool log_line_expired(std::string_view line);
void fade_old_log_lines();
// Notes the first shown line as the fade line (the key handler, on a command).
void note_log_fade_line();
void clear_message_log();

void join_colour_prefix(std::string_view first, std::string_view second, std::string& out);
void colour_code_or_text(std::string_view text, std::string& out);
int colour_codes_width(const ttext_measure& measure, std::string_view text);
void indent_prefix(int indent, bool stamped, std::string& out);
// The text without its "$x" colour codes.
std::string strip_colour_codes(std::string_view text);

} // namespace dravok
