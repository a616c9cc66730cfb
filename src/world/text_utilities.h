// Small text operations shared by the texts, menus, log and obituary.
#pragma once
#include <string>

namespace dravok {

// "+" and the number for n >= 1, else the number as it is ("0", "-3").
std::string signed_number_text(int n);

} // namespace dravok
