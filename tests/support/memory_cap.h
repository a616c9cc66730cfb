// Runs a piece of the game in a child process under a cap on the memory it may take, as a player's
// machine with little memory would, and measures how far its resident memory grew. A loader that
// trusts a size from a damaged file then fails here (allocation refused, child ends abnormally)
// instead of quietly using gigabytes.
#pragma once
#include <cstddef>
#include <functional>

namespace dravok::testing {

struct tcapped_run {
    bool finished = false;       // the body returned (no allocation failure, crash or hang)
    int result = -1;             // what the body returned
    std::size_t peak_growth = 0; // resident memory at its peak minus before the body, in bytes
};

inline constexpr std::size_t mebibyte = std::size_t(1) << 20;

// The body runs in a fork of the test with at most `cap` more bytes of data memory and a few
// seconds of time; its result must fit in an int.
tcapped_run run_with_memory_cap(std::size_t cap, const std::function<int()>& body);

} // namespace dravok::testing
