// Level contents and themes: ranking content templates, forced contents and themes, locks,
// mimics and dimmed lights. Owner: the level generator; callers: level creation. The ranking
// is complete; the dressing steps come with their own work.
#pragma once

#include "records/layout.h"

namespace dravok {

bool content_eligible(int group, int content);
int rank_content_templates(int group, bool reset);
void add_forced_contents(int depth);
void set_level_themes(int depth);
void lock_area_furniture(int area, int chance, int furniture, const tdice& formula, int value, int depth);
void doors_to_mimics(int area, int chance, int creature_template, int secret_doors, int depth);
void dim_area_lighhts(int area, int chance, int depth);

} // namespace dravok
