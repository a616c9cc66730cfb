// The program's own display vocabulary that no content file holds: the shown names of the
// statuses with their harmful marks. Read by the status and look panels and the texts that
// list statuses.
#pragma once
#include <string_view>

#include "platform/colour.h"

namespace dravok {

// The name a status is shown by, "-" for one never shown (and for numbers out of range).
std::string_view status_display_name(int status);
bool status_harmful(int status);

} // namespace dravok
