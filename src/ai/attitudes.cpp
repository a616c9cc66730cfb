// Attitudes: who stands up for a being that is attacked.
#include "ai/attitudes.h"

namespace dravok {

// not built yet: the defender chosen from the attitude tables; for now nobody defends anybody.
int find_defender(int, int) {
    return 0;
}

} // namespace dravok
