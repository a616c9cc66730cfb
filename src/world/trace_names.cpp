#include "world/trace_names.h"

#include <array>

namespace dravok {

namespace {
constexpr std::array<std::string_view, trace_id_count> trace_names = {
#define DRAVOK_TRACE_NAME(id, name) name,
    DRAVOK_TRACE_ROUTINES(DRAVOK_TRACE_NAME)
#undef DRAVOK_TRACE_NAME
};
} // namespace

std::string_view trace_name(int id) {
    if (id < 0 || id >= trace_id_count) return "-";
    return trace_names[id];
}

} // namespace dravok
