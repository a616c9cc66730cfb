// Call-trace identifiers of the turn engine's chain starters and instrumented routines: each
// routine records its identifier at its depth so an error report can name the chain.
#pragma once
#include <cstdint>

namespace dravok {

// Kept at the top of the identifier range, clear of the shared list that grows from 0.
constexpr uint16_t trace_form_key_down = 417;
constexpr uint16_t trace_handle_rounds = 418;
constexpr uint16_t trace_player_killed_or_won = 419;

} // namespace dravok
