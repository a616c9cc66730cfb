// Reading and removing tagged stretches of a text, "<name>value</name>", where the tag name is
// a pattern with a number in it (for example "item%d" with 3 gives "item3").
#pragma once
#include <string>
#include <string_view>

namespace dravok {

// The pattern with its number field ("%d", or with width and precision such as "%2.2d") filled
// with the number; "%%" is a percent sign.
std::string tag_name(std::string_view pattern, int number);

// The text between the opening tag and the closing tag after it; the default when either is
// missing.
std::string tag_value(std::string_view pattern, int number, std::string_view text,
                      std::string_view default_value);

// tag_value trimmed and read as an integer; the default when empty or not a number.
int tag_int_value(std::string_view pattern, int number, std::string_view text, int default_value);

// The text without the stretch from the start of the opening tag to the end of the first
// closing tag after it; unchanged when either is missing.
std::string remove_tag(std::string_view pattern, int number, std::string_view text);

} // namespace dravok
