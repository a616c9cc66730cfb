// Attitudes. Until the attitude tables land nobody defends anybody.
#include "ai/attitudes.h"

namespace dravok {

int find_defender(int, int) {
    return 0;
}

} // namespace dravok
