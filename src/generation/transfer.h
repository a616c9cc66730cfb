// Followers between levels: the beings in transfer arrive one per round round the player.
// Called by the round scheduler when their arrival time has come.
#pragma once

namespace dravok {

void restore_transfer_beings(int depth);

} // namespace dravok
