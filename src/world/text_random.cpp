#include "world/text_random.h"

#include "world/error_log.h"
#include "world/random.h"

namespace dravok {

int text_random(int n) {
    return n <= 0 ? 0 : random(n);
}

int text_d100() {
    return d100();
}

void text_error(std::string_view message) {
    error_log(1, message, false);
}

} // namespace dravok
