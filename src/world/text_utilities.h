// Small text operations shared by the texts, menus, log and obituary.
#pragma once
#include <string>
#include <string_view>

namespace dravok {

// "+" and the number for n >= 1, else the number as it is ("0", "-3").
std::string signed_number_text(int n);

// A name made fit for a file name: every byte but letters, digits, blank, "-" and "_" becomes
// "_", leading and trailing blanks and dots go, and an empty result is "_". Save files and
// obituaries are named with it, so a name never leads out of its folder.
std::string file_safe_name(std::string_view name);

// A new name made from the letters of the old one, capitalised.
std::string random_name_from(std::string_view seed);

} // namespace dravok
