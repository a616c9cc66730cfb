#include "platform/memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace dravok {

namespace {

// The large page of x86-64 and most 64-bit systems: only whole such pages inside the block
// can be served large.
constexpr std::uintptr_t large_page = std::uintptr_t(2) << 20;
// Below this a block's few faults cost less than the advice.
constexpr std::size_t worth_preparing = std::size_t(256) << 10;

} // namespace

void prepare_to_fill(void* start, std::size_t bytes) {
    if (start == nullptr || bytes < worth_preparing) return;
    const auto first = reinterpret_cast<std::uintptr_t>(start);
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    // Both are only advice: a system that refuses them serves the block as before.
#ifdef MADV_HUGEPAGE
    const std::uintptr_t large_from = (first + large_page - 1) & ~(large_page - 1);
    const std::uintptr_t large_to = (first + bytes) & ~(large_page - 1);
    if (large_to > large_from)
        madvise(reinterpret_cast<void*>(large_from), large_to - large_from, MADV_HUGEPAGE);
#endif
#ifdef MADV_POPULATE_WRITE
    // The pages holding the block's ends are the block's too, so the whole pages around it
    // are ours to supply.
    const std::uintptr_t from = first & ~(page - 1);
    const std::uintptr_t to = (first + bytes + page - 1) & ~(page - 1);
    madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
#endif
}

} // namespace dravok
