// Special areas and vaults: choosing a hand-made template by its groups and limits, and
// stamping it into the level. Owner: the level generator; callers: the dig loop, the finishing
// passes.
#pragma once

namespace dravok {

bool template_in_group(int t, int category, int group);
void count_eligible_templates(int category, int group, int max_size, bool reset_tried, bool reset_counts);
int random_eligible_template(int category);
bool special_fits_a(int x, int y, int direction);
bool special_fits_b(int x, int y, int direction);
bool create_special(int x, int y, int direction, int depth, int template_value, int kind);
// Before a new attempt at the same level: the templates the discarded attempt placed were never
// placed in this game.
void forget_attempt_templates();

} // namespace dravok
