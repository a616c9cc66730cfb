// Small lookups every unit uses: the position of a number or a name in a table (the lookup of
// all vocabulary tables by name), the first set byte of a range, the first entry found inside
// a text, clamping, and the rounding of figures for display.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "world/text_read.h"

namespace dravok {

// First index 0..high holding value; -1 when none.
int index_of_int(std::span<const int32_t> values, int32_t value);

// First index whose entry equals name ignoring case; with n >= 1 only the entry's first n
// characters are compared with the whole name. -1 when none.
template <class Entries> int index_of_name(const Entries& entries, std::string_view name, int n = 0) {
    int i = 0;
    for (const auto& entry : entries) {
        std::string_view e(entry);
        if (n >= 1 && e.size() > static_cast<std::size_t>(n)) e = e.substr(0, static_cast<std::size_t>(n));
        if (equals_ignoring_case(e, name)) return i;
        ++i;
    }
    return -1;
}

// First index in first..last holding a non-zero byte; 0 when none, or when first < 0 or last
// lies beyond the array.
int first_nonzero_byte(std::span<const uint8_t> bytes, int first, int last);

// First index in first..last whose entry occurs in text (case-sensitive); -1 when none or when
// the bounds lie outside the array.
int index_containing(std::span<const std::string> entries, int first, int last, std::string_view text);

// lo when v < lo, else hi when v > hi, else v.
constexpr int clamp(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

// A figure as shown to the player: exact below 10, to tens below 1000, to hundreds above
// (half to even).
int round_for_display(int n);

// The actual value in brackets, coloured "$F" when it misses the requirement and "$S" when it
// meets it; with lower_is_better the actual value must not exceed the required one.
std::string compare_value_text(int required, int actual, bool lower_is_better,
                               std::string_view bracket_colour);

} // namespace dravok
