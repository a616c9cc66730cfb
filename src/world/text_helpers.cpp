#include "world/text_helpers.h"

namespace dravok {

std::string coloured_number_text(int n) {
    const char* colour = n > 0 ? "$S" : (n < 0 ? "$F" : "$B");
    return colour + std::to_string(n);
}

std::string compare_value_text(int required, int actual, bool lower_is_better, const std::string& bracket) {
    const bool unmet = lower_is_better ? actual > required : actual < required;
    return bracket + "(" + (unmet ? "$F" : "$S") + std::to_string(actual) + bracket + ")";
}

std::string column_table_text(const std::string& text, const std::string& separator) {
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find("\r\n", start);
        const bool last = end == std::string::npos;
        const std::string line = text.substr(start, last ? std::string::npos : end - start);
        const std::size_t bar = line.find('|');
        out += bar == std::string::npos ? line : line.substr(bar + 1) + separator + line.substr(0, bar);
        if (last) break;
        out += "\r\n";
        start = end + 2;
    }
    return out;
}

} // namespace dravok
