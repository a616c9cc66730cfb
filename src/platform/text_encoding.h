// Conversion between the game's 8-bit text (Windows-1252) and UTF-8, used where text leaves
// the game: drawing with SDL_ttf, the terminal, the clipboard, message boxes and file names.
#pragma once
#include <string>
#include <string_view>

namespace dravok {

// Every byte maps to one character; the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same number.
std::string cp1252_to_utf8(std::string_view text);

// Characters outside Windows-1252 (and malformed UTF-8 bytes) become '?'.
std::string utf8_to_cp1252(std::string_view text);

// The Unicode code point of one Windows-1252 byte.
char32_t cp1252_code_point(unsigned char byte);

} // namespace dravok
