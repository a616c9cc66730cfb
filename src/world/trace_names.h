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
    X(setup_dialog, "UI_Dialogs, setup_dialog")                                                              \
    X(form_key_down, "UI_KeyEntry, form_key_down")                                                           \
    X(handle_commands, "UI_KeyEntry, handle_commands")                                                       \
    X(handle_main_commands, "UI_MainCommands, handle_main_commands")                                         \
    X(handle_rounds, "Rules_Scheduler, handle_rounds")                                                       \
    X(player_killed_or_won, "Rules_Scheduler, player_killed_or_won")                                         \
    X(being_name, "World_Being, being_name")                                                                 \
    X(is_being_ok, "World_Being, is_being_ok")                                                               \
    X(get_being_plan, "World_Being, get_being_plan")                                                         \
    X(equip_being, "World_Equipment, equip_being")                                                           \
    X(calculate_experience_award, "World_Experience, calculate_experience_award")                            \
    X(award_experience_from_being, "World_ExperienceAward, award_experience_from_being")                     \
    X(check_experience, "World_ExperienceAward, check_experience")                                           \
    X(add_equipment_to_being, "World_ItemChoice, add_equipment_to_being")                                    \
    X(update_item_interests, "World_ItemChoice, update_item_interests")                                      \
    X(drop_unneeded_items, "World_ItemChoice, drop_unneeded_items")                                          \
    X(create_item, "World_ItemCreation, create_item")                                                        \
    X(add_item_to_level, "World_ItemPlacement, add_item_to_level")                                           \
    X(remove_item_from_level, "World_ItemPlacement, remove_item_from_level")                                 \
    X(get_level_item, "World_ItemPlacement, get_level_item")                                                 \
    X(add_item_to_being, "World_ItemPlacement, add_item_to_being")                                           \
    X(remove_item_from_being, "World_ItemPlacement, remove_item_from_being")                                 \
    X(get_being_item, "World_ItemPlacement, get_being_item")                                                 \
    X(drop_all_items, "World_ItemPlacement, drop_all_items")                                                 \
    X(get_being_item_index, "World_ItemPlacement, get_being_item_index")                                     \
    X(get_amount_of_items, "World_ItemPlacement, get_amount_of_items")                                       \
    X(adjust_item_amount, "World_ItemPlacement, adjust_item_amount")                                         \
    X(adjust_wealth, "World_ItemPlacement, adjust_wealth")                                                   \
    X(combine_similar_being_items, "World_ItemPlacement, combine_similar_being_items")                       \
    X(combine_similar_level_items, "World_ItemPlacement, combine_similar_level_items")                       \
    X(decay_corpses, "World_ItemPlacement, decay_corpses")                                                   \
    X(is_item_ok, "World_ItemRecord, is_item_ok")                                                            \
    X(on_explored_map, "World_Map, on_explored_map")                                                         \
    X(get_area, "World_Map, get_area")                                                                       \
    X(get_block_base, "World_Map, get_block_base")                                                           \
    X(is_wall, "World_Map, is_wall")                                                                         \
    X(is_floor, "World_Map, is_floor")                                                                       \
    X(is_free_wall, "World_Map, is_free_wall")                                                               \
    X(is_impenetrable_wall, "World_Map, is_impenetrable_wall")                                               \
    X(add_trap, "World_Map, add_trap")                                                                       \
    X(find_floor_neighbour_in_area, "World_Map, find_floor_neighbour_in_area")                               \
    X(get_furniture, "World_Map, get_furniture")                                                             \
    X(is_furniture, "World_Map, is_furniture")                                                               \
    X(is_door, "World_Map, is_door")                                                                         \
    X(is_light, "World_Map, is_light")                                                                       \
    X(is_furniture_container, "World_Map, is_furniture_container")                                           \
    X(is_closed_container, "World_Map, is_closed_container")                                                 \
    X(is_doorway, "World_Map, is_doorway")                                                                   \
    X(is_near_doorway, "World_Map, is_near_doorway")                                                         \
    X(is_secret_door, "World_Map, is_secret_door")                                                           \
    X(is_free_floor, "World_Map, is_free_floor")                                                             \
    X(is_on_xy, "World_Map, is_on_xy")                                                                       \
    X(is_near, "World_Map, is_near")                                                                         \
    X(finish_menu, "World_MenuModel, finish_menu")                                                           \
    X(regenerate_being, "World_Regeneration, regenerate_being")                                              \
    X(after_kill, "Rules_AfterDamage, after_kill")                                                           \
    X(after_survival, "Rules_AfterDamage, after_survival")                                                   \
    X(after_damage, "Rules_AfterDamage, after_damage")                                                       \
    X(finish_divine_being, "Rules_BeingCreation, finish_divine_being")                                       \
    X(finish_new_being, "Rules_BeingCreation, finish_new_being")                                             \
    X(door_test_ok, "Rules_BeingCreation, door_test_ok")                                                     \
    X(can_open_closed_door, "Rules_BeingCreation, can_open_closed_door")                                     \
    X(can_crush_closed_door, "Rules_BeingCreation, can_crush_closed_door")                                   \
    X(can_close_opened_door, "Rules_BeingCreation, can_close_opened_door")                                   \
    X(update_being, "Rules_BeingUpdate, update_being")                                                       \
    X(adjust_amount, "Rules_Damage, adjust_amount")                                                          \
    X(adjust_health_amount, "Rules_Damage, adjust_health_amount")                                            \
    X(adjust_stamina_amount, "Rules_Damage, adjust_stamina_amount")                                          \
    X(damage_being, "Rules_Damage, damage_being")                                                            \
    X(can_die_hard, "Rules_Damage, can_die_hard")                                                            \
    X(kill_being, "Rules_Damage, kill_being")                                                                \
    X(create_corpse, "Rules_Damage, create_corpse")                                                          \
    X(restore, "Rules_EffectAdjusting, restore")                                                             \
    X(apply_effect_adjust_skill, "Rules_EffectAdjusting, apply_effect_adjust_skill")                         \
    X(apply_effect_boost_ability, "Rules_EffectAdjusting, apply_effect_boost_ability")                       \
    X(apply_effect_gain_experience, "Rules_EffectAdjusting, apply_effect_gain_experience")                   \
    X(apply_effect_health_surge, "Rules_EffectAdjusting, apply_effect_health_surge")                         \
    X(apply_effect_restore_health, "Rules_EffectAdjusting, apply_effect_restore_health")                     \
    X(apply_effect_restore_stamina, "Rules_EffectAdjusting, apply_effect_restore_stamina")                   \
    X(apply_effect_antidote, "Rules_EffectAdjusting, apply_effect_antidote")                                 \
    X(calculate_effect_coordinates, "Rules_EffectAreas, calculate_effect_coordinates")                       \
    X(apply_effect_to_being, "Rules_EffectDispatch, apply_effect_to_being")                                  \
    X(run_immediate_handler, "Rules_EffectDispatch, run_immediate_handler")                                  \
    X(run_furniture_damage, "Rules_EffectDispatch, run_furniture_damage")                                    \
    X(store_infection, "Rules_EffectHarm, store_infection")                                                  \
    X(poison_tick, "Rules_EffectHarm, poison_tick")                                                          \
    X(apply_effect_damage, "Rules_EffectHarm, apply_effect_damage")                                          \
    X(apply_effect_damage_furniture, "Rules_EffectHarm, apply_effect_damage_furniture")                      \
    X(apply_effect_damage_undead, "Rules_EffectHarm, apply_effect_damage_undead")                            \
    X(apply_effect_poison, "Rules_EffectHarm, apply_effect_poison")                                          \
    X(apply_effect_disease, "Rules_EffectHarm, apply_effect_disease")                                        \
    X(apply_effect_die_hard, "Rules_EffectHarm, apply_effect_die_hard")                                      \
    X(may_land, "Rules_EffectManeuvers, may_land")                                                           \
    X(dash, "Rules_EffectManeuvers, dash")                                                                   \
    X(apply_effect_blink, "Rules_EffectManeuvers, apply_effect_blink")                                       \
    X(apply_effect_teleport, "Rules_EffectManeuvers, apply_effect_teleport")                                 \
    X(apply_effect_teleport_level_being, "Rules_EffectManeuvers, apply_effect_teleport_level_being")         \
    X(apply_effect_charge, "Rules_EffectManeuvers, apply_effect_charge")                                     \
    X(apply_effect_leap, "Rules_EffectManeuvers, apply_effect_leap")                                         \
    X(apply_effect_retreat, "Rules_EffectManeuvers, apply_effect_retreat")                                   \
    X(apply_effect_dualstrike, "Rules_EffectManeuvers, apply_effect_dualstrike")                             \
    X(apply_effect_dualshot, "Rules_EffectManeuvers, apply_effect_dualshot")                                 \
    X(apply_effect_multistrike, "Rules_EffectManeuvers, apply_effect_multistrike")                           \
    X(apply_effect_multishot, "Rules_EffectManeuvers, apply_effect_multishot")                               \
    X(apply_effect_charm, "Rules_EffectMind, apply_effect_charm")                                            \
    X(apply_effect_turn_undead_followers_hostile,                                                            \
      "Rules_EffectMind, apply_effect_turn_undead_followers_hostile")                                        \
    X(serve, "Rules_EffectSummoning, serve")                                                                 \
    X(turn_on, "Rules_EffectSummoning, turn_on")                                                             \
    X(arrive, "Rules_EffectSummoning, arrive")                                                               \
    X(apply_effect_summon, "Rules_EffectSummoning, apply_effect_summon")                                     \
    X(apply_effect_challenge, "Rules_EffectSummoning, apply_effect_challenge")                               \
    X(apply_effect_animate, "Rules_EffectSummoning, apply_effect_animate")                                   \
    X(apply_effect_clone, "Rules_EffectSummoning, apply_effect_clone")                                       \
    X(apply_effect_activate_golem, "Rules_EffectSummoning, apply_effect_activate_golem")                     \
    X(apply_effect_banishment, "Rules_EffectSummoning, apply_effect_banishment")                             \
    X(apply_effect_enchant_armor, "Rules_EffectThings, apply_effect_enchant_armor")                          \
    X(apply_effect_enchant_weapon, "Rules_EffectThings, apply_effect_enchant_weapon")                        \
    X(apply_effect_knock, "Rules_EffectThings, apply_effect_knock")                                          \
    X(apply_effect_open_area_doors, "Rules_EffectThings, apply_effect_open_area_doors")                      \
    X(apply_effect_close_area_doors, "Rules_EffectThings, apply_effect_close_area_doors")                    \
    X(apply_effect_set_trap, "Rules_EffectThings, apply_effect_set_trap")                                    \
    X(apply_effect_reveal, "Rules_EffectThings, apply_effect_reveal")                                        \
    X(apply_effect_transform, "Rules_EffectThings, apply_effect_transform")                                  \
    X(apply_effect_alarm, "Rules_EffectThings, apply_effect_alarm")                                          \
    X(charge_talent, "Rules_Effects, charge_talent")                                                         \
    X(store_and_apply, "Rules_Effects, store_and_apply")                                                     \
    X(dispatch, "Rules_Effects, dispatch")                                                                   \
    X(spend_charge, "Rules_Effects, spend_charge")                                                           \
    X(handle_effect, "Rules_Effects, handle_effect")                                                         \
    X(apply_effect, "Rules_Effects, apply_effect")                                                           \
    X(handle_furniture_effect, "Rules_Effects, handle_furniture_effect")                                     \
    X(toggle_furniture, "Rules_Furniture, toggle_furniture")                                                 \
    X(close_furniture, "Rules_Furniture, close_furniture")                                                   \
    X(loot_container, "Rules_Interactions, loot_container")                                                  \
    X(step_through_teleporter, "Rules_Interactions, step_through_teleporter")                                \
    X(handle_portal, "Rules_Interactions, handle_portal")                                                    \
    X(add_duration_effect, "Rules_LastingEffects, add_duration_effect")                                      \
    X(update_duration_effects, "Rules_LastingEffects, update_duration_effects")                              \
    X(update_duration_effects_on_being, "Rules_LastingEffects, update_duration_effects_on_being")            \
    X(apply_map_effects_on_being, "Rules_MapEffects, apply_map_effects_on_being")                            \
    X(update_map_effects_on_being, "Rules_MapEffects, update_map_effects_on_being")                          \
    X(can_natural_melee_attack, "Rules_Melee, can_natural_melee_attack")                                     \
    X(melee_attack, "Rules_Melee, melee_attack")                                                             \
    X(pay_for_struggle, "Rules_Movement, pay_for_struggle")                                                  \
    X(bump_passive, "Rules_Movement, bump_passive")                                                          \
    X(move_step, "Rules_Movement, move_step")                                                                \
    X(can_move_through_restraining_map_effect, "Rules_Movement, can_move_through_restraining_map_effect")    \
    X(enter_map_tile, "Rules_Movement, enter_map_tile")                                                      \
    X(bump_actions, "Rules_Movement, bump_actions")                                                          \
    X(walk, "Rules_Movement, walk")                                                                          \
    X(guard_stalled_turn, "Rules_Scheduler, guard_stalled_turn")                                             \
    X(continue_walk, "Rules_Scheduler, continue_walk")                                                       \
    X(continue_travel, "Rules_Scheduler, continue_travel")                                                   \
    X(rest_step, "Rules_Scheduler, rest_step")                                                               \
    X(player_branch, "Rules_Scheduler, player_branch")                                                       \
    X(handle_level_up_permanent_talents, "Rules_TalentChoice, handle_level_up_permanent_talents")            \
    X(scan_corridor_space, "Generation_Corridors, scan_corridor_space")                                      \
    X(create_corridor, "Generation_Corridors, create_corridor")                                              \
    X(build_kind, "Generation_Dig, build_kind")                                                              \
    X(setup_force_areas, "Generation_Dig, setup_force_areas")                                                \
    X(create_dungeon, "Generation_Dig, create_dungeon")                                                      \
    X(dig_dungeon, "Generation_Dig, dig_dungeon")                                                            \
    X(open_cell, "Generation_Doorways, open_cell")                                                           \
    X(create_doorway, "Generation_Doorways, create_doorway")                                                 \
    X(widen_doorway, "Generation_Doorways, widen_doorway")                                                   \
    X(create_secret_door, "Generation_Doorways, create_secret_door")                                         \
    X(fill_and_check_cells, "Generation_Finishing, fill_and_check_cells")                                    \
    X(finalize_dungeon, "Generation_Finishing, finalize_dungeon")                                            \
    X(create_level, "Generation_LevelCreation, create_level")                                                \
    X(setup_level, "Generation_LevelSetup, setup_level")                                                     \
    X(arrive_at_level, "Generation_LevelSetup, arrive_at_level")                                             \
    X(add_mark, "Generation_Marks, add_mark")                                                                \
    X(add_marks_to_line, "Generation_Marks, add_marks_to_line")                                              \
    X(add_failed_mark, "Generation_Marks, add_failed_mark")                                                  \
    X(fits, "Generation_Placement, fits")                                                                    \
    X(find_location_spot, "Generation_Placement, find_location_spot")                                        \
    X(get_destination_portal, "Generation_Portals, get_destination_portal")                                  \
    X(merge_rooms, "Generation_Rooms, merge_rooms")                                                          \
    X(create_room, "Generation_Rooms, create_room")                                                          \
    X(place_area, "Generation_Shapes, place_area")                                                           \
    X(spawn_beings, "Generation_Spawning, spawn_beings")                                                     \
    X(place_transfer_being, "Generation_Transfer, place_transfer_being")                                     \
    X(restore_transfer_beings, "Generation_Transfer, restore_transfer_beings")                               \
    X(force_transfer_beings, "Generation_Transfer, force_transfer_beings")                                   \
    X(award_disable_experience, "World_ExperienceAward, award_disable_experience")                           \
    X(handle_sentient_item_oneliners, "World_ItemStatuses, handle_sentient_item_oneliners")                  \
    X(derive_figures, "Rules_BeingUpdate, derive_figures")                                                   \
    X(equip_found, "Rules_Equipment, equip_found")                                                           \
    X(get_equipment_slot, "Rules_Equipment, get_equipment_slot")                                             \
    X(equip_item, "Rules_Equipment, equip_item")                                                             \
    X(get_next_matching_equipped_item, "Rules_Equipment, get_next_matching_equipped_item")                   \
    X(get_being_item_type, "Rules_Equipment, get_being_item_type")                                           \
    X(equip_weapons, "Rules_Equipment, equip_weapons")                                                       \
    X(setup_weapon_set, "Rules_Equipment, setup_weapon_set")                                                 \
    X(check_ammunition, "Rules_Equipment, check_ammunition")                                                 \
    X(switch_ammunition, "Rules_Equipment, switch_ammunition")                                               \
    X(open_door, "Rules_Furniture, open_door")                                                               \
    X(crush_door, "Rules_Furniture, crush_door")                                                             \
    X(open_furniture_container, "Rules_Furniture, open_furniture_container")                                 \
    X(toggle_switch, "Rules_Furniture, toggle_switch")                                                       \
    X(disable_furniture, "Rules_Furniture, disable_furniture")                                               \
    X(disable_trap, "Rules_Furniture, disable_trap")                                                         \
    X(force_furniture, "Rules_Furniture, force_furniture")                                                   \
    X(get_item, "Rules_Interactions, get_item")                                                              \
    X(add_group_items, "Rules_ItemChoice, add_group_items")                                                  \
    X(autopick_items, "Rules_ItemChoice, autopick_items")                                                    \
    X(get_being_item_index_with_effect, "Rules_ItemChoice, get_being_item_index_with_effect")                \
    X(passes_mind_check, "Rules_ItemUse, passes_mind_check")                                                 \
    X(after_use, "Rules_ItemUse, after_use")                                                                 \
    X(use_item, "Rules_ItemUse, use_item")                                                                   \
    X(use_trapkit, "Rules_ItemUse, use_trapkit")                                                             \
    X(go_to_level_loot, "Rules_ItemUse, go_to_level_loot")                                                   \
    X(get_usable_device, "Rules_ItemUse, get_usable_device")                                                 \
    X(get_nearest_noted_item, "Rules_NotedItems, get_nearest_noted_item")                                    \
    X(reveal_secret_door, "Rules_Search, reveal_secret_door")                                                \
    X(remove_trap, "Rules_Traps, remove_trap")                                                               \
    X(spring_trap, "Rules_Traps, spring_trap")                                                               \
    X(use_equipment_quickslot, "UI_Lister, use_equipment_quickslot")                                         \
    X(use_quickslot, "UI_Lister, use_quickslot")                                                             \
    X(add_oneliner, "Rules_Chatter, add_oneliner")                                                           \
    X(run_attack_hit_effect, "Rules_AttackCommon, run_attack_hit_effect")                                    \
    X(finish_attack, "Rules_AttackCommon, finish_attack")                                                    \
    X(drop_one, "Rules_Ranged, drop_one")                                                                    \
    X(can_natural_ranged_attack, "Rules_Ranged, can_natural_ranged_attack")                                  \
    X(ranged_attack, "Rules_Ranged, ranged_attack")                                                          \
    X(check_sounds, "Rules_Sound, check_sounds")                                                             \
    X(handle_target_selected, "Rules_Targeting, handle_target_selected")                                     \
    X(is_targetable, "Rules_Targeting, is_targetable")                                                       \
    X(get_ranged_target, "Rules_Targeting, get_ranged_target")                                               \
    X(attack_marked, "Rules_Targeting, attack_marked")                                                       \
    X(reveal_mimic, "Rules_Checks, reveal_mimic")                                                            \
    X(reveal_coffin_being, "Rules_Checks, reveal_coffin_being")                                              \
    X(reveal_living_statue, "Rules_Checks, reveal_living_statue")                                            \
    X(statues_to_beings, "Rules_BeingChecks, statues_to_beings")                                             \
    X(fill_character_stats, "Rules_CharacterSheet, fill_character_stats")                                    \
    X(place_player, "Rules_GameSetup, place_player")                                                         \
    X(create_player, "Rules_GameSetup, create_player")                                                       \
    X(comment_on_level, "Rules_LevelUp, comment_on_level")                                                   \
    X(gain_pending_levels, "Rules_LevelUp, gain_pending_levels")                                             \
    X(finish_level_up, "Rules_LevelUp, finish_level_up")                                                     \
    X(level_up_recruitable_beings, "Rules_LevelUp, level_up_recruitable_beings")                             \
    X(make_talent_skill_check, "Rules_Talents, make_talent_skill_check")                                     \
    X(use_talent, "Rules_Talents, use_talent")                                                               \
    X(repeat_talent, "Rules_Talents, repeat_talent")                                                         \
    X(try_aim, "Rules_Talents, try_aim")                                                                     \
    X(get_talent, "Rules_Talents, get_talent")                                                               \
    X(use_talent_row, "UI_Lister, use_talent_row")

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
