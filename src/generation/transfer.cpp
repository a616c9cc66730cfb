// Followers between levels. Until level changes land nobody is in transfer.
#include "generation/transfer.h"

namespace dravok {

void restore_transfer_beings(int) {}

} // namespace dravok
