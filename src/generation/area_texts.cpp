#include "generation/area_texts.h"

#include <string>

#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/map_vocab.h"
#include "world/area_queries.h"
#include "world/level_areas.h"
#include "world/tables.h"
#include "world/text_database.h"

namespace dravok {

void set_area_texts() {
    for (int a = 1; a <= area_high_index(); ++a) {
        tarea& r = areas[a];
        if (r.content < 1 || r.content >= static_cast<int>(contents.size())) continue;
        const std::string name(contents[r.content].name.view());
        if (const int section = find_text_section(name + "_description"); section > 0) {
            r.text = section;
            r.text_entry = draw_from_section(section);
        }
        for (int zone = 1; zone <= vault_zone_count; ++zone) {
            if (r.zone(zone).x == 0) continue;
            const int section = find_text_section(name + "_" + std::string(vault_zone_names[zone]));
            if (section <= 0) continue;
            r.zone_text[zone - 1] = static_cast<uint16_t>(section);
            r.zone_entry[zone - 1] = static_cast<uint16_t>(draw_from_section(section));
        }
        if (const int section = find_text_section(name + "_report"); section > 0) r.report = section;
    }
}

} // namespace dravok
