// The identifiers of the instrumented routines and their names ("Unit, routine"), shown in the
// error log's call trace. Every instrumented routine carries its identifier as a constant from
// here; add a routine by appending one line to the list below (identifiers stay fixed).
#pragma once
#include <cstdint>
#include <string_view>

namespace dravok {

// X(identifier, "Unit, routine"), identifier 0 first.
#define DRAVOK_TRACE_ROUTINES(X)                                                                             \
    X(none, "-")                                                                                             \
    X(load_database, "World_Database, load_database")                                                        \
    X(load_level, "World_Levels, load_level")                                                                \
    X(save_level, "World_Levels, save_level")                                                                \
    X(load_game, "World_Saves, load_game")                                                                   \
    X(save_game, "World_Saves, save_game")                                                                   \
    X(create_being, "World_Beings, create_being")                                                            \
    X(on_map, "World_Map, on_map")                                                                           \
    X(set_block, "World_Map, set_block")                                                                     \
    X(add_furniture, "World_Map, add_furniture")                                                             \
    X(remove_furniture, "World_Map, remove_furniture")                                                       \
    X(update_furniture_state, "World_Map, update_furniture_state")                                           \
    X(find_free_floor_for_being, "World_Map, find_free_floor_for_being")                                     \
    X(add_being_to_level, "World_Beings, add_being_to_level")                                                \
    X(remove_being, "World_Beings, remove_being")                                                            \
    X(place_being, "World_Beings, place_being")                                                              \
    X(can_move, "World_Beings, can_move")                                                                    \
    X(can_move_to, "World_Beings, can_move_to")                                                              \
    X(draw_screen, "UI_Draw, draw_screen")                                                                   \
    X(initialize_module, "UI_Window, initialize_module")                                                     \
    X(spectator_timer, "UI_Window, spectator_timer")                                                         \
    X(load_title_pictures, "UI_Window, load_title_pictures")                                                 \
    X(setup_menu, "UI_Menus, setup_menu")                                                                    \
    X(setup_dialog, "UI_Dialogs, setup_dialog")

enum trace_id : uint16_t {
#define DRAVOK_TRACE_ID(id, name) trace_##id,
    DRAVOK_TRACE_ROUTINES(DRAVOK_TRACE_ID)
#undef DRAVOK_TRACE_ID
        trace_id_count
};

// The table holds at most this many identifiers (0..419).
inline constexpr int trace_name_capacity = 420;
static_assert(trace_id_count <= trace_name_capacity);

// The name of identifier id; "-" for an identifier no routine carries.
std::string_view trace_name(int id);

} // namespace dravok
