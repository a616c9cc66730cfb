// Small text operations of the game's texts: coloured numbers and compared values, and turning
// "name|count" lines into a table. Used by item descriptions and the screens that list things.
#pragma once
#include <string>

namespace dravok {

// "$S+3" style: the colour of the sign ("$S" above 0, "$F" below, "$B" for 0) and the number.
std::string coloured_number_text(int n);
// "(14)" in the bracket colour with the actual value green when the requirement is met, red when not.
std::string compare_value_text(int required, int actual, bool lower_is_better, const std::string& bracket);
// Every line "name|count" becomes "count x name" (separator " x " when none is given).
std::string column_table_text(const std::string& text, const std::string& separator = " x ");

} // namespace dravok
