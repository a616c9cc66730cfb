#include "records/being_flags.h"

#include "records/vocabulary.h"

namespace dravok {

// The name tables are the content vocabulary's own lists: one list, two views.
const std::array<std::string_view, type_flag_count> type_flag_names = vocab::type_flags;

// Statuses are numbered from 1 here; the vocabulary keeps "-" at 0.
const std::array<std::string_view, status_count> status_names = [] {
    std::array<std::string_view, status_count> names{};
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = vocab::statuses[i + 1];
    return names;
}();

} // namespace dravok
