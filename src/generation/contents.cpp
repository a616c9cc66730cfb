#include "generation/contents.h"

namespace dravok {

// No content templates are loaded by the generator yet, so there is nothing to rank, place,
// lock, disguise or dim.
int rank_content_templates(int, bool) { return 0; }
void add_forced_contents(int) {}
void set_level_themes(int) {}
void lock_area_furniture(int, int, int, const tdice&, int, int) {}
void doors_to_mimics(int, int, int, int, int) {}
void dim_area_lighhts(int, int, int) {}

} // namespace dravok
