// Level contents and themes: ranking content templates, finding a content's area and
// furnishing it (its rows, light, locks, entrance and floor), forced contents and themes, and
// the level-wide lock, mimic and light-dimming passes. Owner: the level generator; callers:
// level creation.
#pragma once

#include "records/layout_dice.h"
#include "records/layout_parts.h"

namespace dravok {

bool content_eligible(int group, int content);
int rank_content_templates(int group, bool reset);
int pick_ranked_content(int n);
int next_ranked_content(int content);
// out's area is the content's area (0 when none fits).
void find_area_for_content(int n, int content, int depth, tstuff& out);
void add_content_stuff(int content, const tstuff& request, int depth);
void add_content_light(const tstuff& request, int depth);
// Floors: one odd kind for the whole area; odd kinds to their light shade (special areas and
// vaults); a checkerboard of the centre's kind and its shade.
void unify_area_floor(int area);
void even_area_floor(int area);
void vary_area_floor(int area);
void add_forced_contents(int depth);
void set_level_themes(int depth);
void lock_area_furniture(int area, int chance, int furniture, const tdice& formula, int value, int depth);
void doors_to_mimics(int area, int chance, int creature_template, int secret_doors, int depth);
void dim_area_lights(int area, int chance, int depth);

} // namespace dravok
