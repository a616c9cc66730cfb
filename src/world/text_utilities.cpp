// Small text operations; see text_utilities.h.
#include "world/text_utilities.h"

#include <cctype>

namespace dravok {

std::string signed_number_text(int n) {
    return n >= 1 ? "+" + std::to_string(n) : std::to_string(n);
}

std::string file_safe_name(std::string_view name) {
    std::string out;
    for (const char c : name) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                          c == ' ' || c == '-' || c == '_';
        out += kept ? c : '_';
    }
    const std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) return "_";
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::string random_name_from(std::string_view seed) {
    // not built yet: the name generator; the old name is kept, capitalised
    std::string name(seed);
    if (!name.empty()) name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

} // namespace dravok
