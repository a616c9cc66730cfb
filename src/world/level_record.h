// The current level's record: its name, place among the dungeons, size and generator settings.
#pragma once

namespace dravok {

struct tlevel;

extern tlevel level;

} // namespace dravok
