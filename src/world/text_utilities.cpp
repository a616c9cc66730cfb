// Small text operations; see text_utilities.h.
#include "world/text_utilities.h"

namespace dravok {

std::string signed_number_text(int n) {
    return n >= 1 ? "+" + std::to_string(n) : std::to_string(n);
}

} // namespace dravok
