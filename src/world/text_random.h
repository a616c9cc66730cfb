// The text units' access to the game's random draws and its error log.
// Kept in one place so the text database, the expansion and the log share one seam.
#pragma once
#include <string_view>

namespace dravok {

// A draw in 0..n-1 from the game's random generator.
int text_random(int n);
// A roll of 1..100.
int text_d100();
// A non-fatal entry in the error log.
void text_error(std::string_view message);

} // namespace dravok
