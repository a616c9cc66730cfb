// The frame's panels as the rules see them: the flag that the message log must be drawn again.
#pragma once

namespace dravok {

extern bool log_changed;

} // namespace dravok
