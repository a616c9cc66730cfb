// Small text operations shared by the texts, menus, log and obituary, and the name generator
// that makes a new name from the letters of an old one. Texts are single-byte strings; CR LF is
// the line break. Called by the log, the menus, the sheets, the obituary and the ascension.
// Coloured and compared numbers and the "name|count" tables are in world/text_helpers.h.
#pragma once
#include <string>
#include <string_view>

namespace dravok {

class Bitmap;

// The first character in upper case (ASCII); empty stays empty.
std::string capitalize(std::string_view text);
// "+" and the number for n >= 1, else the number as it is ("0", "-3").
std::string signed_number_text(int n);
// Every occurrence of old replaced by new; the text unchanged when new contains old.
std::string replace_all(std::string_view text, std::string_view old_part, std::string_view new_part);
// The CR LF breaks, plus one when text follows the last break ("" gives 0).
int count_lines(std::string_view text);
// The non-overlapping occurrences of part.
int count_and_delete(std::string_view text, std::string_view part);
std::string delete_all(std::string_view text, std::string_view part);
// The text without its first n lines (each with its CR LF).
std::string drop_lines(std::string_view text, int n);
// A blank between every two characters (menu titles).
std::string spaced_title(std::string_view text);
// list + ", " + item when both are non-empty, else whichever is.
std::string append_with_comma(std::string_view list, std::string_view item);
// The last "," turned into " and".
std::string last_comma_to_and(std::string_view text);
// The CR LF separated lines joined with ", ", empty lines skipped.
std::string join_list(std::string_view lines);
// The pixel width of the widest CR LF line of the text in the canvas's font, colour codes removed.
int widest_line_width(const Bitmap& canvas, std::string_view text);
// Width as widest_line_width; height = (CR LF count + 1) x line height.
void wrapped_text_size(const Bitmap& canvas, std::string_view text, int line_height, int& width, int& height);
// The hours of play with one decimal and always a "." ("%.1f").
std::string hours_text(double seconds);

// The name generator: the vowels of the seed shuffled, its consonants put back in between.
std::string scramble_name(std::string_view seed);
// A scrambled name that differs from the seed when it can, capitalised.
std::string random_name_from(std::string_view seed);

// A name made fit for a file name: every byte but letters, digits, blank, "-" and "_" becomes
// "_", leading and trailing blanks and dots go, and an empty result is "_". Save files and
// obituaries are named with it, so a name never leads out of its folder.
std::string file_safe_name(std::string_view name);

} // namespace dravok
