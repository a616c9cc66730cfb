#include "world/message_log.h"
#include "records/layout_game.h"

#include <algorithm>
#include <cstdio>

#include "platform/bitmap.h"
#include "platform/fonts.h"
#include "world/game_record.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/text_database.h"

namespace dravok {

std::vector<std::string> message_log;
int32_t log_area_width = 600;
bool log_changed = true;

// Without a font file (a bare test machine) a fixed 7 pixels per character stands in.
static ttext_measure font_measure(std::string family, int height, bool bold) {
    return [family = std::move(family), height, bold](std::string_view s) {
        if (TTF_Font* f = open_cached_font(family, height, bold)) return measure_text_cached(f, s).width;
        return static_cast<int>(s.size()) * 7;
    };
}

ttext_measure log_text_measure = font_measure("Tahoma", 13, false);

void use_log_font(std::string_view family, int height, bool bold) {
    log_text_measure = font_measure(std::string(family), height, bold);
}

static uint32_t log_game_clock() {
    return game.game_clock;
}

constexpr uint32_t log_line_lifetime = 300; // time units a line stays before it may be purged
constexpr uint32_t separator_interval = 45; // time units between separators

static bool is_bare_colour_code(std::string_view s) {
    return s.size() == 2 && s[0] == '$';
}

void join_colour_prefix(std::string_view first, std::string_view second, std::string& out) {
    if (first.empty() || (is_bare_colour_code(first) && is_bare_colour_code(second)))
        out.assign(second);
    else if (is_bare_colour_code(first))
        out = std::string(first) + std::string(second);
    else
        out = std::string(first) + " " + std::string(second);
}

void colour_code_or_text(std::string_view text, std::string& out) {
    if (is_bare_colour_code(text))
        out.clear();
    else
        out.assign(text);
}

int colour_codes_width(const ttext_measure& measure, std::string_view text) {
    std::string codes;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '$') {
            codes += text.substr(i, 2);
            ++i;
        }
    return codes.empty() ? 0 : measure(codes);
}

void indent_prefix(int indent, bool stamped, std::string& out) {
    out.clear();
    if (!stamped) return;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3.3d", indent);
    out = buf;
}

std::string strip_colour_codes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '$' && i + 1 < text.size()) {
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

void wrap_log_text(const ttext_measure& measure, std::string_view input, int width, std::string& out,
                   bool stamped) {
    out.clear();
    std::string text;
    text.reserve(input.size() + 8);
    for (std::size_t i = 0; i < input.size(); ++i) {
        if (input[i] == '\\' && i + 1 < input.size() && input[i + 1] == 'n') {
            text += "\r\n";
            ++i;
        } else {
            text += input[i];
        }
    }
    text += ' ';

    std::string stamp;
    if (stamped) {
        uint32_t clock = log_game_clock();
        char buf[16];
        std::snprintf(buf, sizeof buf, "%10.10u", clock + log_line_lifetime);
        stamp = buf;
        settings.separator_time = clock + separator_interval;
    }

    std::string line, word = "$B", current = "$B", word_colour = "$B", pending_indent, scratch, prefix;
    bool indent_pending = false;
    int indent = 0;
    auto emit = [&](const std::string& l) {
        indent_prefix(indent, stamped, prefix);
        out += stamp + prefix + l + "\r\n";
    };

    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '$' && i + 1 < text.size()) {
            current = text.substr(i, 2);
            if (is_bare_colour_code(word))
                word = current;
            else
                word += current;
            i += 2;
        } else if (c == '{' && stamped && text.find('}', i) != std::string::npos) {
            std::size_t close = text.find('}', i);
            word = text.substr(i + 1, close - i - 1);
            pending_indent = strip_colour_codes(word);
            indent_pending = true;
            i = close + 1;
        } else if (c == ' ' || c == '\r' || c == '\n') {
            bool line_break = c != ' ';
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            std::string candidate = line.empty() ? word : line + " " + word;
            int w = measure(candidate) - colour_codes_width(measure, candidate) + indent;
            if (w <= width) {
                join_colour_prefix(line, word, scratch);
                line = scratch;
                if (line_break) {
                    emit(line);
                    line = current;
                }
            } else {
                emit(line);
                if (line_break) {
                    emit(word);
                    word.clear();
                }
                join_colour_prefix(word_colour, word, scratch);
                line = scratch;
                if (indent_pending && stamped) {
                    indent = measure(pending_indent);
                    indent_pending = false;
                }
            }
            word.clear();
            word_colour = current;
        } else if (c == '[' && text.compare(i, 2, "[[") == 0 && text.find("]]", i) != std::string::npos) {
            // A key cap is one word: "[[ ARROW DOWN ]]" never breaks between its names.
            const std::size_t close = text.find("]]", i) + 2;
            word += text.substr(i, close - i);
            i = close;
        } else {
            word += c;
            ++i;
        }
    }
    if (stamped) {
        if (!is_bare_colour_code(line)) {
            indent_prefix(indent, stamped, prefix);
            out += stamp + prefix + line;
        }
    } else if (!line.empty()) {
        colour_code_or_text(line, scratch);
        out += scratch + "\r\n";
    }
}

void wrap_log_text(const Bitmap& canvas, std::string_view text, int width, std::string& out, bool stamped) {
    wrap_log_text([&canvas](std::string_view s) { return canvas.text_width(s); }, text, width, out, stamped);
}

int colour_codes_width(const Bitmap& canvas, std::string_view text) {
    return colour_codes_width([&canvas](std::string_view s) { return canvas.text_width(s); }, text);
}

bool log_line_expired(std::string_view line) {
    uint64_t stamp = 0;
    if (line.size() >= 10) {
        for (int k = 0; k < 10; ++k) {
            char c = line[k];
            if (c < '0' || c > '9') {
                stamp = 0;
                break;
            }
            stamp = stamp * 10 + static_cast<uint64_t>(c - '0');
        }
    }
    return stamp <= log_game_clock();
}

static int32_t last_page_start() {
    return std::max<int32_t>(0, static_cast<int32_t>(message_log.size()) - settings.log_lines);
}

void purge_log() {
    long keep = 4L * settings.log_lines;
    if (settings.newest_first) {
        for (long l = static_cast<long>(message_log.size()) - 1; l >= keep; --l)
            if (log_line_expired(message_log[l])) message_log.erase(message_log.begin() + l);
        settings.log_top_line = 0;
        settings.log_scroll = 0;
    } else {
        long l = 0;
        while (l <= static_cast<long>(message_log.size()) - keep) {
            if (log_line_expired(message_log[l]))
                message_log.erase(message_log.begin() + l);
            else
                ++l;
        }
        settings.log_top_line = last_page_start();
        settings.log_scroll = 0;
    }
    log_changed = true;
}

// Steps every message and separator shares: purge, the first page of blanks of the
// oldest-first layout, and a pending blank line.
static void prepare_log() {
    purge_log();
    if (!settings.newest_first && message_log.empty()) {
        message_log.assign(static_cast<std::size_t>(std::max(settings.log_lines, 0)), std::string());
        settings.log_blank_lines = settings.log_lines;
    }
    if (state.blank_line_pending) {
        message_log.insert(message_log.begin(), std::string());
        state.blank_line_pending = 0;
    }
}

void add_message(std::string_view text) {
    if (state.log_muted) return;
    int width =
        log_area_width - 2 * settings.log_margin - (settings.scrollbar ? settings.scrollbar_width : 0);
    prepare_log();
    settings.log_blank_lines = 0;
    std::string wrapped;
    wrap_log_text(log_text_measure, text, width, wrapped, true);
    std::vector<std::string> lines;
    std::size_t start = 0;
    // Split into lines the way a string list reads text: a final line break ends the last
    // line, it does not start an empty one.
    while (start < wrapped.size()) {
        std::size_t p = wrapped.find("\r\n", start);
        lines.push_back(wrapped.substr(start, p == std::string::npos ? std::string::npos : p - start));
        if (p == std::string::npos) break;
        start = p + 2;
    }
    if (settings.newest_first) {
        message_log.insert(message_log.begin(), lines.begin(), lines.end());
        settings.log_top_line = 0;
        settings.log_scroll = 0;
    } else {
        message_log.insert(message_log.end(), lines.begin(), lines.end());
        settings.log_top_line = last_page_start();
        settings.log_scroll = 0;
    }
    log_changed = true;
}

void add_message() {
    if (state.log_muted) return;
    prepare_log();
    if (message_log.empty() || settings.log_blank_lines == settings.log_lines) return;
    if (settings.newest_first) {
        message_log.insert(message_log.begin(), std::string());
        settings.log_top_line = 0;
        settings.log_scroll = 0;
    } else {
        message_log.emplace_back();
        settings.log_top_line = last_page_start();
        settings.log_scroll = 0;
    }
    ++settings.log_blank_lines;
    settings.separator_time = log_game_clock() + separator_interval;
    log_changed = true;
}

void scroll_log(int lines) {
    const int oldest = std::max(0, int(message_log.size()) - settings.log_lines);
    settings.log_scroll = std::clamp(settings.log_scroll + lines, 0, oldest);
    // The offset counts back from the newest page, which is at the top or at the bottom.
    settings.log_top_line =
        settings.newest_first ? settings.log_scroll : last_page_start() - settings.log_scroll;
    log_changed = true;
}

void note_log_fade_line() {
    std::size_t first = static_cast<std::size_t>(std::max(settings.log_top_line, 0));
    settings.fade_line = first < message_log.size() ? message_log[first] : std::string();
}

void fade_old_log_lines() {
    if (message_log.empty() || settings.fade_line.empty()) return;
    long n = static_cast<long>(message_log.size());
    for (long k = 0; k < n; ++k) {
        long l = settings.newest_first ? n - 1 - k : k;
        std::string& line = message_log[l];
        bool last = line == settings.fade_line;
        std::string plain = strip_colour_codes(line);
        if (plain != line) {
            line = plain;
            log_changed = true;
        }
        if (last) break;
    }
}

void clear_message_log() {
    message_log.clear();
    settings.log_top_line = 0;
    settings.log_scroll = 0;
    settings.log_blank_lines = 0;
    settings.separator_time = 0;
    settings.fade_line.clear();
    state.blank_line_pending = 0;
}

void add_speech_line(std::string_view shown_name, std::string_view name_suffix, std::string_view text) {
    if (trim_text(text).empty()) return;
    std::string body;
    body.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            continue;
        }
        body += text[i];
    }
    add_message("{$B" + std::string(shown_name) + std::string(name_suffix) + ": }" + "$D" + body);
}

} // namespace dravok
