#include "world/tag_text.h"

#include <cctype>

#include "world/text_read.h"

namespace dravok {

std::string tag_name(std::string_view pattern, int number) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            out += pattern[i];
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // %[width][.precision]d: precision pads with zeros, width with blanks.
        std::size_t j = i + 1;
        int width = 0, precision = 0;
        while (j < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[j])))
            width = width * 10 + (pattern[j++] - '0');
        if (j < pattern.size() && pattern[j] == '.') {
            ++j;
            while (j < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[j])))
                precision = precision * 10 + (pattern[j++] - '0');
        }
        if (j >= pattern.size() || pattern[j] != 'd') { // not a number field: kept as written
            out += pattern[i];
            continue;
        }
        std::string digits = std::to_string(number < 0 ? -static_cast<long long>(number) : number);
        if (static_cast<int>(digits.size()) < precision) digits.insert(0, precision - digits.size(), '0');
        if (number < 0) digits.insert(0, 1, '-');
        if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), ' ');
        out += digits;
        i = j;
    }
    return out;
}

namespace {

struct ttag_span {
    std::size_t open = std::string_view::npos; // start of "<name>"
    std::size_t value = 0;                     // first character after it
    std::size_t close = 0;                     // start of "</name>"
    std::size_t end = 0;                       // first character after it
};

ttag_span find_tag(std::string_view pattern, int number, std::string_view text) {
    const std::string name = tag_name(pattern, number);
    const std::string opening = "<" + name + ">";
    const std::string closing = "</" + name + ">";
    ttag_span span;
    const std::size_t open = text.find(opening);
    if (open == std::string_view::npos) return span;
    const std::size_t value = open + opening.size();
    const std::size_t close = text.find(closing, value);
    if (close == std::string_view::npos) return span;
    span.open = open;
    span.value = value;
    span.close = close;
    span.end = close + closing.size();
    return span;
}

} // namespace

std::string tag_value(std::string_view pattern, int number, std::string_view text,
                      std::string_view default_value) {
    const ttag_span s = find_tag(pattern, number, text);
    if (s.open == std::string_view::npos) return std::string(default_value);
    return std::string(text.substr(s.value, s.close - s.value));
}

int tag_int_value(std::string_view pattern, int number, std::string_view text, int default_value) {
    const std::string value = tag_value(pattern, number, text, "");
    return text_to_int(trim_text(value), default_value);
}

std::string remove_tag(std::string_view pattern, int number, std::string_view text) {
    const ttag_span s = find_tag(pattern, number, text);
    if (s.open == std::string_view::npos) return std::string(text);
    return std::string(text.substr(0, s.open)) + std::string(text.substr(s.end));
}

} // namespace dravok
