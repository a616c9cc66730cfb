// Areas and the area graph: the current level's `areas`, their registration by the builders,
// the exit-neighbour and touching lists with door states, dead-end chains, breadth-first
// numbering and the per-area counts taken when a level is finished. Owner: the level
// generator; callers: the generator, level creation and dressing, the rules and the AI.
#pragma once
#include <string>

#include "world/area_queries.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/map.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok {

// A cell keeps its area number in one byte: no area may be numbered beyond 255.
constexpr int max_area_number = 255;
constexpr int zone_main = 2;

extern const char* const door_state_names[5];

void area_kind_name(int id, int area, std::string& out);
void add_to_areas(int area, int origin_x, int origin_y, int direction, int x1, int y1, int x2, int y2,
                  int kind, int cell_count, int vault_template);
void add_area_connection(int a, int b, int x, int y);
void add_touching_area(int a, int b);
void set_connection_door_state(int a, int b, int state);
void calculate_area_exits();
// The cells round (x, y) as the exits see them, taken before a change there; then the exits
// recounted for the areas that change can reach, as calculate_area_exits would count them
// (the areas' cells lying inside their rectangles).
struct texits_snapshot {
    struct cell {
        bool floor = false;
        uint8_t area = 0;
    };
    cell cells[3][3];
};
texits_snapshot take_exits_snapshot(int x, int y);
void update_area_exits_near(int x, int y, const texits_snapshot& before);
void update_area_door_states();
void update_area_door_state(int x, int y, bool toggled);
bool areas_connected(int a, int b);
bool areas_touching(int a, int b);
bool areas_connected_2(int a, int b);
int usable_vault_zone(int area, int template_index);
bool area_has_portal(int area);
bool portal_near(int x, int y, int r);
void find_cell_zone_exits();
void count_special_cells();
void number_areas_from(int start, bool need_discovered, bool need_second_flag);

} // namespace dravok
