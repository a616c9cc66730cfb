// The allocator's thresholds fixed before any benchmark runs. glibc raises its threshold for
// serving a block from fresh mapped pages each time such a block is freed, so without this a
// benchmark's large buffers would be new pages or reused heap depending on which benchmarks ran
// before it.
#include <malloc.h>

namespace {

const bool allocator_fixed = [] {
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
    return true;
}();

} // namespace
