#include "generation/contents.h"

#include "world/globals.h"

namespace dravok {

bool content_eligible(int group, int content) {
    if (content < 1 || content >= static_cast<int>(contents.size())) return false;
    const tcontent& c = contents[content];
    if (c.used) return false;
    if (c.max_per_game != 0 && c.count_game >= c.max_per_game) return false;
    if (c.max_per_level != 0 && c.count_level >= c.max_per_level) return false;
    for (uint16_t g : c.groups) {
        if (g == 0) break;
        if (g == group) return true;
    }
    return false;
}

int rank_content_templates(int group, bool reset) {
    for (std::size_t i = 1; i < contents.size(); ++i) {
        tcontent& c = contents[i];
        c.ordinal = 0;
        if (reset) {
            c.count_level = 0;
            c.used = 0;
        }
    }
    if (group == 0) return 0;
    int n = 0;
    for (std::size_t i = 1; i < contents.size(); ++i)
        if (content_eligible(group, static_cast<int>(i))) contents[i].ordinal = static_cast<uint16_t>(++n);
    return n;
}

// Forced contents, themes, locks, mimics and dimmed lights arrive with the dressing work; until
// then the level keeps its layout undressed.
void add_forced_contents(int) {}
void set_level_themes(int) {}
void lock_area_furniture(int, int, int, const tdice&, int, int) {}
void doors_to_mimics(int, int, int, int, int) {}
void dim_area_lighhts(int, int, int) {}

} // namespace dravok
