// Using items; see item_use.h.
#include "world/item_use.h"

namespace dravok {

std::string book_name;
std::string book_text;
int32_t book_line_count = 0;
int32_t book_top_line = 1;
uint8_t book_at_end = 0;

bool use_item(int, int, int) {
    // not built yet: using an item
    return false;
}

} // namespace dravok
