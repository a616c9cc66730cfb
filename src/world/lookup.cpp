#include "world/lookup.h"

#include "world/rounding.h"

namespace dravok {

int index_of_int(std::span<const int32_t> values, int32_t value) {
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i] == value) return static_cast<int>(i);
    return -1;
}

int first_nonzero_byte(std::span<const uint8_t> bytes, int first, int last) {
    if (first < 0 || last >= static_cast<int>(bytes.size())) return 0;
    for (int i = first; i <= last; ++i)
        if (bytes[static_cast<std::size_t>(i)] != 0) return i;
    return 0;
}

int index_containing(std::span<const std::string> entries, int first, int last, std::string_view text) {
    if (first < 0 || last >= static_cast<int>(entries.size())) return -1;
    for (int i = first; i <= last; ++i)
        if (text.find(entries[static_cast<std::size_t>(i)]) != std::string_view::npos) return i;
    return -1;
}

int round_for_display(int n) {
    if (n < 10) return n;
    if (n < 1000) return round_half_even(n / 10.0) * 10;
    return round_half_even(n / 100.0) * 100;
}

std::string compare_value_text(int required, int actual, bool lower_is_better,
                               std::string_view bracket_colour) {
    const bool missed = lower_is_better ? actual > required : actual < required;
    std::string out(bracket_colour);
    out += "(";
    out += missed ? "$F" : "$S";
    out += std::to_string(actual);
    out += bracket_colour;
    out += ")";
    return out;
}

} // namespace dravok
