// Areas and the area graph: the current level's `areas`, their registration by the builders,
// the exit-neighbour and touching lists with door states, dead-end chains, breadth-first
// numbering and the per-area counts taken when a level is finished. Owner: the level
// generator; callers: the generator, level creation and dressing, the rules and the AI.
#pragma once
#include <string>

#include "rules/being_creation.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/item_placement.h"
#include "world/map.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok {

constexpr int area_corridor = 1, area_room = 2, area_circular = 3, area_ellipse = 4, area_polygon = 5,
              area_tunnel = 6, area_cave = 7, area_special = 8, area_vault = 9;
// A cell keeps its area number in one byte: no area may be numbered beyond 255.
constexpr int max_area_number = 255;
constexpr int zone_main = 2;
constexpr int door_unset = 0, door_empty = 1, door_opened = 2, door_closed = 3, door_locked = 4;

extern const char* const door_state_names[5];

// Templates are entries 1.. of `vaults`; an empty table holds none.
int vault_template_count();
bool is_area_ok(int area);
int area_high_index();
void clear_area_temp();
void clear_area_marks();
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
int most_connected_area(const int* list, int count); // list[1..count]
int pick_neighbour_area(int being, int choice, bool allow_corridors, bool allow_occupied, bool door_test);
int usable_vault_zone(int area, int template_index);
bool area_has_portal(int area);
bool portal_near(int x, int y, int r);
void find_cell_zone_exits();
void count_special_cells();
void number_areas_from(int start, bool need_discovered, bool need_second_flag);

} // namespace dravok
