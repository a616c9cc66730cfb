// The message log: every message to the player goes through add_message, which wraps it to the
// log's pixel width, stamps each line with its expiry time and indent, and files it newest
// first (or oldest first). Also fading after a command, purging and speech lines.
// Called by every rule that tells the player something; drawn by the interface.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dravok {

class Bitmap;

// Pixel width of a text in the log's font.
using ttext_measure = std::function<int(std::string_view)>;

// The log's lines: "%10.10d" expiry time, "%3.3d" indent in pixels, then the text with its
// colour codes. An empty line is a blank separator.
extern std::vector<std::string> message_log;

// The pixel width of the log area (set by the presentation's layout).
// The log's other fields live in the settings record (margin, visible lines, first shown line,
// blank-line counter, scroll bar, order, separator time, fade line) and the run state (muted,
// blank line pending); the clock is the game record's.
extern int32_t log_area_width;
// The log changed since the log panel was last drawn.
extern bool log_changed;

// How the log measures text: by default the platform's text measure in the log font set by
// use_log_font; tests and the presentation may install another.
extern ttext_measure log_text_measure;
// Measures log text in this game font (family, pixel height, bold) from now on.
void use_log_font(std::string_view family, int height, bool bold);

void add_message(std::string_view text);
void add_message(); // a blank separator line
// A line of speech: "{$B" name suffix ": }" "$D" text, after the text is expanded.
void add_speech_message(int speaker, int target, int item, std::string_view text,
                        std::string_view name_suffix);
// The part of add_speech_message after the being checks: shown name and expanded text.
void add_speech_line(std::string_view shown_name, std::string_view name_suffix, std::string_view text);

void wrap_log_text(const ttext_measure& measure, std::string_view text, int width, std::string& out,
                   bool stamped);
// The same, measuring in the canvas's font.
void wrap_log_text(const Bitmap& canvas, std::string_view text, int width, std::string& out, bool stamped);
void purge_log();
bool log_line_expired(std::string_view line);
void fade_old_log_lines();
// Notes the first shown line as the fade line (the key handler, on a command).
// Moves the shown page of the log by the lines toward the older ones (negative: toward the
// newest), within the log; a new message brings back the newest page.
void scroll_log(int lines);
void note_log_fade_line();
void clear_message_log();

void join_colour_prefix(std::string_view first, std::string_view second, std::string& out);
void colour_code_or_text(std::string_view text, std::string& out);
int colour_codes_width(const ttext_measure& measure, std::string_view text);
int colour_codes_width(const Bitmap& canvas, std::string_view text);
void indent_prefix(int indent, bool stamped, std::string& out);
// The text without its "$x" colour codes.
std::string strip_colour_codes(std::string_view text);

} // namespace dravok
