// Filling the seven template tables from their JSON sources, one function per table.
#pragma once
#include <set>
#include <string>
#include <vector>

#include "context.h"

namespace dravok::dbbuild {

void fill_item_plans(tcompiler& c, std::vector<titem_plan>& out);
void fill_talents(tcompiler& c, std::vector<ttalent>& out);
void fill_being_plans(tcompiler& c, std::vector<tbeing_plan>& out, int& god_group);
void fill_levels(tcompiler& c, std::vector<tlevel>& out);
void fill_portals(tcompiler& c, std::vector<tportal>& out);
void fill_contents(tcompiler& c, std::vector<tcontent>& out);
void fill_vaults(tcompiler& c, std::vector<tvault>& out);

// Rules that span tables (fixed identifiers, groups, levels, portals) and text requirements.
void check_world(tcompiler& c, std::vector<titem_plan>& items, std::vector<ttalent>& talents,
                 std::vector<tbeing_plan>& beings, std::vector<tlevel>& levels, std::vector<tportal>& portals,
                 std::vector<tcontent>& contents, std::vector<tvault>& vaults, int god_group);
void check_text_requirements(tcompiler& c, const std::set<std::string>& sections,
                             const std::vector<titem_plan>& items, const std::vector<tbeing_plan>& beings,
                             const std::vector<ttalent>& talents);

void check_keyboard_layout(tcompiler& c, const std::vector<std::string>& lines);
// Every floor symbol row names an overlay entry whose name gives its size, with all its
// entries present.
void check_floor_symbols(tcompiler& c, const std::vector<std::string>& overlay_names,
                         const std::vector<tlevel>& levels, const std::vector<tcontent>& contents);

// The image choice of a template: a named icon and a "#rrggbb" colour.
void check_image(const tplace& p, const json& t);

} // namespace dravok::dbbuild
