#include "generation/vault_templates.h"

#include "generation/areas.h"
#include "generation/grids.h"

namespace dravok {

bool template_in_group(int t, int category, int group) {
    if (t < 1 || t > vault_template_count()) return false;
    const tvault& v = vaults[t];
    if (group >= 1) return group <= 60 && v.group_flags[group - 1] != 0;
    if (category < 1 || category > 3) return false;
    bool included = false;
    for (int g = 1; g <= 60; ++g) {
        if (!v.group_flags[g - 1]) continue;
        if (dungeon.excluded_groups[category - 1][g - 1]) return false;
        if (dungeon.included_groups[category - 1][g - 1]) included = true;
    }
    return included;
}

void count_eligible_templates(int category, int group, int max_size, bool reset_tried, bool reset_counts) {
    const int n_templates = vault_template_count();
    for (int t = 1; t <= n_templates; ++t) {
        tvault& v = vaults[t];
        v.category_ordinals[0] = v.category_ordinals[1] = v.category_ordinals[2] = 0;
        if (reset_tried) v.tried = 0;
        if (reset_counts) v.count_attempt = 0;
    }
    dungeon.eligible_counts[0] = dungeon.eligible_counts[1] = dungeon.eligible_counts[2] = 0;
    for (int k = 1; k <= 3; ++k) {
        if (category != 0 && k != category) continue;
        int n = 0;
        for (int t = 1; t <= n_templates; ++t) {
            tvault& v = vaults[t];
            if (v.max_per_level != 0 && v.count_attempt >= v.max_per_level) continue;
            if (v.max_per_game != 0 && v.count_game >= v.max_per_game) continue;
            if (v.tried) continue;
            if (max_size != 0 && v.size > max_size) continue;
            if (template_in_group(t, k, group)) v.category_ordinals[k - 1] = static_cast<uint16_t>(++n);
        }
        dungeon.eligible_counts[k - 1] = static_cast<uint16_t>(n);
    }
}

int random_eligible_template(int category) {
    if (category < 1 || category > 3) return 0;
    const int r = random(dungeon.eligible_counts[category - 1]) + 1;
    for (int t = 1; t <= vault_template_count(); ++t)
        if (vaults[t].category_ordinals[category - 1] == r) return t;
    return 0;
}

// Stamping templates arrives with the special-area work; until then no template is built and
// the dig loop falls back to the other kinds.
bool special_fits_a(int, int, int) {
    return false;
}
bool special_fits_b(int, int, int) {
    return false;
}
bool create_special(int, int, int, int, int, int) {
    return false;
}

} // namespace dravok
