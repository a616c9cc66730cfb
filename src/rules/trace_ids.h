// Call-trace identifiers of the turn engine's chain starters and instrumented routines: each
// routine records its identifier at its depth so an error report can name the chain.
#pragma once
#include <cstdint>

namespace dravok {

constexpr uint16_t trace_form_key_down = 300;
constexpr uint16_t trace_handle_rounds = 301;
constexpr uint16_t trace_player_killed_or_won = 302;

} // namespace dravok
