// Small readers for template text: trimming, case-blind comparison and whole-text integers with a
// default. Used by the dice parser and the other readers of human-written content.
#pragma once
#include <string_view>

namespace dravok {

// Without leading and trailing blanks and control characters.
std::string_view trim_text(std::string_view text);

// ASCII letters compared without regard to case.
bool equals_ignoring_case(std::string_view a, std::string_view b);

// The whole text as a decimal integer (optional sign, digits only, within 32 bits); the default
// for anything else, the empty text included.
int text_to_int(std::string_view text, int default_value);

} // namespace dravok
