// The names of the game's vocabularies: creature type flags, statuses, item flags, damage
// types, effect kinds, shapes, furniture, blocks, zones and the other numbered lists that
// content refers to by name. Read by the database builder (names to numbers) and by the text
// expansion (race names). Entry 0 is the "none" entry of every 1-based list.
#pragma once
#include <array>
#include <string_view>

namespace dravok::vocab {

inline constexpr std::array<std::string_view, 220> type_flags = {
    "-", "animal", "celestial", "construct", "elemental", "fiend", "flora", "humanoid", "insect",
    "monstrosity", "ooze", "shapeshifter", "undead", "aasimar", "air", "ant", "ape", "bat", "bee",
    "bear", "beholder", "beetle", "brain", "bullywug", "centaur", "centipede", "chained_god",
    "crab", "crocodile", "cube", "cyclops", "deathknight", "demon", "demigod", "devil", "derro",
    "displacer", "dog", "dragon", "drider", "drow", "dwarf", "duergar", "elephant", "earth", "elf",
    "ettercap", "ettin", "experiment", "fire", "fly", "frog", "fungus", "gargoyle", "ghast",
    "ghost", "ghoul", "giant", "gibberling", "giff", "githyanki", "gnoll", "gnome", "goblin", "god",
    "golem", "gorgon", "griffon", "grimlock", "half_orc", "halfling", "harpy", "hobgoblin",
    "homunculus", "human", "jackal", "kenku", "kobold", "kuo_toa", "lich", "lion", "lizard",
    "lizardman", "manticore", "mercane", "mimic", "mindflayer", "minotaur", "myconid", "mummy",
    "naga", "nightwalker", "octopode", "ogre", "orc", "overgod", "owlbear", "panther", "planetar",
    "plant", "pudding", "rat", "roper", "sahuagin", "salamander", "scorpion", "shadow", "skeleton",
    "slaad", "slug", "snake", "solar", "spectre", "spider", "statue", "stirge", "tiefling", "tiger",
    "thrikreen", "troll", "umberhulk", "unicorn", "vampire", "vegepygmy", "wasp", "water", "wight",
    "wraith", "wolf", "worm", "xorn", "yuan_ti", "zombie", "succubus", "neuter", "male", "female",
    "tiny", "small", "medium", "large", "huge", "good", "neutral", "evil", "player", "companion",
    "player_and_companions", "former_player", "former_companion", "spectator", "original_god",
    "unique", "living", "passive", "immobile", "inactive", "flying", "telepathic", "emotionless",
    "unstirring", "ignore_emotion_presets", "shopkeeper", "trader", "shop_inhabitant",
    "has_oneliners", "keep_unidentified_name", "gets_hostile", "hostile_on_home_trespassing",
    "ignore_switch_teleport", "emits_light", "knows_level_traps", "can_be_recruited",
    "can_be_tamed", "master", "can_be_master", "seek_master", "follower", "pack",
    "can_be_pack_leader", "animated", "summoned", "unsummoned", "possessed", "cloned", "activated",
    "charmed", "confused", "mindflayer_thrall", "summoned_by_player_or_good", "spawned_in_cell",
    "has_not_left_cell", "fleeing_from_cell", "divine_essence", "avatar", "can_open_doors",
    "can_crush_doors", "can_close_doors", "can_use_items", "leaves_slime_trail", "no_level_up",
    "no_xp", "created_from_level_stuff", "kobold_leader", "goblin_king", "hobgoblin_warlord",
    "matron_mother", "giant_king", "imprisoned_one", "company_member", "sister_1", "sister_2",
    "report_only_once_per_race", "all", "same_plan", "all_except_same_plan", "same_type",
    "all_except_same_type", "same_race", "all_except_same_race",
};

inline constexpr std::array<std::string_view, 120> statuses = {
    "-", "increased_body", "increased_motion", "increased_mind", "increased_spirit",
    "decreased_body", "decreased_motion", "decreased_mind", "decreased_spirit", "increased_disable",
    "increased_dodge", "increased_melee", "increased_magic", "increased_ranged", "increased_search",
    "increased_stealth", "decreased_disable", "decreased_dodge", "decreased_melee",
    "decreased_magic", "decreased_ranged", "decreased_search", "decreased_stealth",
    "increased_blunt", "increased_pierce", "increased_slash", "increased_mental",
    "increased_energy", "increased_fire", "increased_cold", "increased_lightning", "increased_acid",
    "increased_sonic", "increased_poison", "increased_holy", "increased_necrotic",
    "decreased_blunt", "decreased_pierce", "decreased_slash", "decreased_mental",
    "decreased_energy", "decreased_fire", "decreased_cold", "decreased_lightning", "decreased_acid",
    "decreased_sonic", "decreased_poison", "decreased_holy", "decreased_necrotic",
    "increased_movement", "decreased_movement", "regenerating_health", "regenerating_stamina",
    "stoneskinned", "diseased", "poisoned", "caught_in_web", "caught_in_slime",
    "immunity_critical_hits", "immunity_disease", "immunity_poison", "immunity_web",
    "immunity_slime", "protection_critical_hits", "animate", "banish", "blink", "damage", "knock",
    "restrain", "summon", "poison", "stoneskin", "charge", "dualstrike", "dualwield",
    "elemental_melee", "great_reach", "improved_melee_criticals", "leap", "multistrike",
    "shield_bash", "close_combat_ranged", "dualshot", "elemental_ranged",
    "improved_ranged_criticals", "multishot", "strengthened_shots", "animal_friend", "die_hard",
    "evasion", "health_surge", "lone_wolf", "natural_leader", "silver_spoon", "squirm",
    "stonesense", "sentient_item_in_possession", "sentient_item_equipped", "use_devices",
    "device_animate", "device_antidote", "device_banish", "device_blink", "device_boost",
    "device_clone", "device_damage", "device_heal", "device_mobility", "device_poison",
    "device_regeneration", "device_restore", "device_restrain", "device_summon", "encumbered_1",
    "encumbered_2", "encumbered_3", "encumbered_4", "encumbered_5", "encumbered_6",
};

inline constexpr std::array<std::string_view, 79> item_flags = {
    "-", "wearable", "shield", "weapon", "ammunition", "jewellery", "device", "valuable", "tool",
    "other", "armor", "robe", "helmet", "cloak", "belt", "boots", "bracers", "gauntlets", "axe",
    "blade", "bow", "crossbow", "club", "dart", "flail", "hammer", "hoopak", "mace", "polearm",
    "sling", "staff", "spear", "sword", "whip", "arrow", "bolt", "bullet", "amulet", "lenses",
    "pick", "ring", "book", "food", "orb", "potion", "scroll", "wand", "horn", "figurine",
    "lantern", "key", "trapkit", "trap", "coin", "gem", "corpse", "bones", "cosmic_essence",
    "divine_essence", "melee", "ranged", "throw", "reach", "two_handed", "versatile", "armor_light",
    "armor_medium", "armor_heavy", "great", "enchanted", "sentient", "has_oneliners", "returning",
    "vampiric", "humanoid", "everlasting", "ignore", "usable_only_from_dialog", "report",
};

inline constexpr std::array<std::string_view, 14> damage_types = {
    "-", "blunt", "pierce", "slash", "mental", "energy", "fire", "cold", "lightning", "acid",
    "sonic", "poison", "holy", "necrotic",
};

inline constexpr std::array<std::string_view, 5> abilities = {
    "-", "body", "motion", "mind", "spirit",
};

inline constexpr std::array<std::string_view, 8> skills = {
    "-", "disable", "dodge", "magic", "melee", "ranged", "search", "stealth",
};

inline constexpr std::array<std::string_view, 76> effect_kinds = {
    "-", "boost_ability", "health_surge", "die_hard", "gain_experience", "damage", "restore_health",
    "restore_stamina", "increase_ability", "decrease_ability", "increase_skill", "decrease_skill",
    "increase_resistance", "decrease_resistance", "increase_movement", "decrease_movement",
    "charge", "dualstrike", "leap", "multistrike", "retreat", "dualshot", "multishot", "alarm",
    "animate", "animate_advanced", "antidote", "banish", "blink", "charm", "clone", "confusion",
    "disease", "heroism", "knock", "mobility", "poison", "possess", "possess_break", "regeneration",
    "restoration", "slime", "stoneskin", "summon_animals", "summon_celestials", "summon_demons",
    "summon_devils", "summon_elementals", "summon_panthers", "summon_slaad", "summon_snakes",
    "summon_spiders", "summon_spiders_drow", "summon_unicorn", "summon_warriors",
    "summon_wolves_vampiric", "summon_yochlol", "transform", "web", "set_trap", "activate_golem",
    "enchant_armor", "enchant_weapon", "enchant_weapon_vampiric", "reveal", "open_area_doors",
    "open_area_locked_doors", "open_area_cell_doors", "close_area_doors", "close_area_locked_doors",
    "close_area_cell_doors", "challenge", "teleport_level_being", "damage_undead", "teleport",
    "turn_undead_followers_hostile",
};

inline constexpr std::array<std::string_view, 15> effect_shapes = {
    "-", "special", "self", "single", "bolt", "ray", "cone", "ball", "chain", "seen_hostiles",
    "cloud", "wall", "spot", "free", "opposite_free",
};

inline constexpr std::array<std::string_view, 7> effect_sources = {
    "-", "talent", "natural_attack", "trap", "item_activate", "item_hit", "switch",
};

inline constexpr std::array<std::string_view, 21> attack_classes = {
    "-", "punch", "kick", "touch", "claw", "slam", "hug", "bite", "gore", "crush", "sting", "drool",
    "tail", "wing", "tentacle", "gaze", "spit", "breath", "spikes", "spores", "tongue",
};

inline constexpr std::array<std::string_view, 61> furniture = {
    "-", "fu_stairs_down", "fu_stairs_up", "fu_teleporter", "fu_light_torch", "fu_light_stand",
    "fu_light_brazier", "fu_light_campfire", "fu_door", "fu_door_lockable", "fu_door_cell",
    "fu_door_secret", "fu_chest", "fu_chest_shop", "fu_barrel", "fu_barrel_shop", "fu_crate",
    "fu_crate_shop", "fu_coffin", "fu_sarcophagus", "fu_armorstand", "fu_armorstand_shop",
    "fu_weaponrack", "fu_weaponrack_shop", "fu_bookcase", "fu_bookcase_shop", "fu_table",
    "fu_table_shop", "fu_altar", "fu_pedestal", "fu_cauldron", "fu_statue_gargoyle",
    "fu_statue_humanoid", "fu_statue_symbol", "fu_statue_other", "fu_statue_clonomancer",
    "fu_wall_disappearing", "fu_switch", "fu_table_broken", "fu_chair", "fu_chair_broken",
    "fu_throne", "fu_bed", "fu_bed_broken", "fu_pillar", "fu_pillar_broken", "fu_totem",
    "fu_rubble", "fu_stalagmite", "fu_painting", "fu_tapestry", "fu_forge", "fu_well",
    "fu_well_dry", "fu_basin", "fu_basin_dry", "fu_target_dummy", "fu_target", "fu_crystal_ball",
    "fu_tube", "fu_text",
};

inline constexpr std::array<std::string_view, 91> blocks = {
    "-", "bl_wall_stone_1", "bl_wall_stone_2", "bl_wall_stone_3", "bl_wall_stone_4",
    "bl_wall_stone_5", "bl_wall_stone_6", "bl_wall_stone_7", "bl_wall_stone_8", "bl_wall_stone_9",
    "bl_wall_block_1", "bl_wall_block_2", "bl_wall_block_3", "bl_wall_block_4", "bl_wall_block_5",
    "bl_wall_block_6", "bl_wall_block_7", "bl_wall_block_8", "bl_wall_moss_1", "bl_wall_moss_2",
    "bl_wall_moss_3", "bl_wall_moss_4", "bl_wall_moss_5", "bl_wall_moss_6", "bl_wall_moss_7",
    "bl_wall_moss_8", "bl_wall_sewer_1", "bl_wall_sewer_2", "bl_wall_sewer_3", "bl_wall_sewer_4",
    "bl_wall_sewer_5", "bl_wall_sewer_6", "bl_wall_sewer_7", "bl_wall_sewer_8", "bl_wall_wood",
    "bl_wall_other_1", "bl_wall_other_2", "bl_wall_other_3", "bl_wall_other_4", "bl_wall_other_5",
    "bl_wall_other_6", "bl_floor_natural_1", "bl_floor_natural_2", "bl_floor_natural_3",
    "bl_floor_natural_4", "bl_floor_natural_5", "bl_floor_natural_6", "bl_floor_natural_7",
    "bl_floor_natural_8", "bl_floor_natural_9", "bl_floor_natural_10", "bl_floor_natural_11",
    "bl_floor_natural_12", "bl_floor_natural_13", "bl_floor_natural_14", "bl_floor_block_1",
    "bl_floor_block_2", "bl_floor_block_3", "bl_floor_block_4", "bl_floor_block_5",
    "bl_floor_block_6", "bl_floor_block_7", "bl_floor_block_8", "bl_floor_block_9",
    "bl_floor_block_10", "bl_floor_block_11", "bl_floor_block_12", "bl_floor_block_13",
    "bl_floor_block_14", "bl_floor_plate_1", "bl_floor_plate_2", "bl_floor_plate_3",
    "bl_floor_plate_4", "bl_floor_plate_5", "bl_floor_plate_6", "bl_floor_plate_7",
    "bl_floor_plate_8", "bl_floor_plate_9", "bl_floor_plate_10", "bl_floor_plate_11",
    "bl_floor_plate_12", "bl_floor_plate_13", "bl_floor_plate_14", "bl_floor_plate_15",
    "bl_floor_plate_16", "bl_floor_wood", "bl_floor_wood_light", "bl_floor_other_1",
    "bl_floor_other_2", "bl_floor_other_3", "bl_floor_other_4",
};

inline constexpr std::array<std::string_view, 61> zones = {
    "-", "vz_center", "vz_main", "vz_spot_01", "vz_spot_02", "vz_spot_03", "vz_spot_04",
    "vz_spot_05", "vz_spot_06", "vz_spot_07", "vz_spot_08", "vz_spot_09", "vz_spot_10",
    "vz_spot_11", "vz_spot_12", "vz_spot_13", "vz_spot_14", "vz_spot_15", "vz_spot_16",
    "vz_spot_17", "vz_spot_18", "vz_spot_19", "vz_spot_20", "vz_area_01", "vz_area_02",
    "vz_area_03", "vz_area_04", "vz_area_05", "vz_area_06", "vz_area_07", "vz_area_08", "vz_cell_1",
    "vz_cell_2", "vz_cell_3", "vz_cell_4", "vz_cell_5", "vz_cell_6", "vz_cell_7", "vz_cell_8",
    "vz_revealed_1", "vz_revealed_2", "vz_revealed_3", "vz_revealed_4", "vz_ambush_1",
    "vz_ambush_2", "vz_ambush_3", "vz_ambush_4", "vz_text_1", "vz_text_2", "vz_text_3", "vz_text_4",
    "vz_text_5", "vz_text_6", "vz_switch", "vz_portal", "vz_area_09", "vz_area_10", "vz_area_11",
    "vz_area_12", "vz_spot_21", "vz_spot_22",
};

inline constexpr std::array<std::string_view, 24> patterns = {
    "-", "full_area", "random", "center", "nest", "wall", "arc", "arc_big", "arrow", "corners",
    "corners_big", "cross", "cross_big", "diamond", "horizontal", "horizontal_big", "paired",
    "ring", "ring_big", "square", "triangle", "triangle_big", "vertical", "vertical_big",
};

inline constexpr std::array<std::string_view, 10> area_kinds = {
    "-", "corridor", "room", "circular", "ellipse", "polygon", "tunnel", "cave", "special", "vault",
};

inline constexpr std::array<std::string_view, 61> template_groups = {
    "-", "sg_all", "sg_rectangular", "sg_curved", "sg_diagonal", "sg_haphazard", "sg_narrow",
    "sg_wide", "sg_small", "sg_medium", "sg_big", "sg_huge", "sg_hallway", "sg_ambush", "group_14",
    "group_15", "group_16", "group_17", "group_18", "group_19", "group_20", "group_21", "group_22",
    "group_23", "group_24", "group_25", "group_26", "group_27", "group_28", "group_29", "group_30",
    "vg_all", "vg_rectangular", "vg_curved", "vg_diagonal", "vg_haphazard", "vg_narrow", "vg_wide",
    "vg_small", "vg_medium", "vg_big", "vg_huge", "vg_throneroom", "vg_barracks", "vg_prison",
    "group_45", "group_46", "group_47", "group_48", "group_49", "group_50", "vg_dravok_portal",
    "group_52", "group_53", "group_54", "cg_all", "group_56", "group_57", "group_58",
    "vo_floor_motif", "vo_base_blocks",
};

inline constexpr std::array<std::string_view, 10> stuff_kinds = {
    "-", "furniture", "item", "random_item", "creature", "random_creature", "trap", "random_trap",
    "floor_symbol", "splash",
};

inline constexpr std::array<std::string_view, 9> splashes = {
    "-", "sp_blood_pool", "sp_blood_trail", "sp_bleed_trail", "sp_slime_pool", "sp_slime_trail",
    "sp_remains_pool", "sp_remains_trail", "sp_litter",
};

inline constexpr std::array<std::string_view, 8> behaviours = {
    "-", "camp", "wander", "follow", "autoplay", "default", "distant_ranged", "spellcaster",
};

inline constexpr std::array<std::string_view, 6> talent_types = {
    "-", "boosts", "utility", "combat", "spells", "monsters",
};

// The index of a name in a list, or -1 when the list does not hold it.
template <std::size_t N>
constexpr int index_of(const std::array<std::string_view, N>& list, std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (list[i] == name) return static_cast<int>(i);
    return -1;
}

// Type flag numbers the code refers to.
constexpr int tf_first_category = 1, tf_last_category = 12;
constexpr int tf_first_race = 13, tf_last_race = 132;
constexpr int tf_neuter = 134, tf_male = 135, tf_female = 136;
constexpr int tf_first_size = 137, tf_last_size = 141;
constexpr int tf_first_alignment = 142, tf_last_alignment = 144;

} // namespace dravok::vocab
