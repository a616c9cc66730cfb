// Shared state of one compile: the diagnostics with their file / template / field context,
// the name tables that references resolve against, and helpers that read JSON fields.
#pragma once
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "records/layout_being.h"
#include "records/layout_dice.h"
#include "records/layout_level.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "world/tables.h"

namespace dravok::dbbuild {

using json = nlohmann::ordered_json;

// One template read from a file, with where it came from.
struct tsource {
    std::string file; // path relative to the content folder
    std::string id;   // identifier (or name) of the template
    json data;
};

// A reference that can only be resolved once every table is known.
struct tcompiler;

// Where a diagnostic happens: file, template, field.
struct tplace {
    tcompiler* c;
    const tsource* src;
    std::string field;
    tplace at(const std::string& sub) const { return {c, src, field.empty() ? sub : field + "." + sub}; }
    void error(const std::string& message) const;
    void warning(const std::string& message) const;
};

struct tcompiler {
    std::vector<std::string> errors, warnings;
    // Tables in file order; position + 1 is the index in the game.
    std::vector<tsource> items, talents, beings, levels, portals, contents, vaults;
    std::map<std::string, int> level_index_unused;
    std::map<std::string, int> item_index, talent_index, being_index, content_index, vault_index,
        portal_index;
    std::map<std::string, int> tag_index; // tag name -> position in "tags"
    std::vector<std::string> tags;
    // Generated text sections (name, lines) appended after the text files.
    std::vector<std::pair<std::string, std::vector<std::string>>> generated_sections;
    json generator_defaults = json::object();

    void error(const std::string& where, const std::string& message) {
        errors.push_back(where + ": " + message);
    }
    void warning(const std::string& where, const std::string& message) {
        warnings.push_back(where + ": warning: " + message);
    }
};

// Formulas: the strict grammar; errors name the text. Blank is allowed (not set).
bool check_formula(const std::string& text, std::string& why);
void formula(const tplace& p, const json& v, tdice& out, bool allow_all = false);
// An object of "name": formula under key, names from the vocabulary list, into base[1..count].
void formula_map(const tplace& p, const json& t, const char* key, std::string_view list, tdice* base,
                 int count);
// Every key name a key cap of the game's texts may show.
const std::set<std::string>& key_cap_names();
void damage(const tplace& p, const json& v, tdamage_dice& out);
// A formula's largest and smallest roll without an owner.
int formula_max(const tdice& d);
int formula_min(const tdice& d);

// Names to numbers: -1 and an error when unknown.
int name_of(const tplace& p, std::string_view list_name, const json& v);
int tag(const tplace& p, const json& v, std::string_view prefix);
int item_ref(const tplace& p, const json& v);
int being_ref(const tplace& p, const json& v);
int talent_ref(const tplace& p, const json& v);
int content_ref(const tplace& p, const json& v);
int vault_ref(const tplace& p, const json& v);

// JSON field readers with defaults; a value of the wrong type is an error.
int get_int(const tplace& p, const json& obj, const char* key, int fallback, int lo, int hi);
bool get_bool(const tplace& p, const json& obj, const char* key, bool fallback = false);
std::string get_string(const tplace& p, const json& obj, const char* key, const std::string& fallback = {});
// A string into a short string field, refused when longer than the field.
template <std::size_t N> void put_string(const tplace& p, pstring<N>& field, const std::string& s) {
    if (s.size() > N) p.error("\"" + s + "\" is longer than " + std::to_string(N) + " characters");
    field.assign(s);
}

// A list of names from a string or array.
std::vector<std::string> name_list(const tplace& p, const json& obj, const char* key);

// Sets byte flags: base[number] for each name of the list (1-based numbering as the list).
void set_flags(const tplace& p, const json& names, std::string_view list_name, uint8_t* base, int lo, int hi);

// The same for arrays whose entry 1 is their first element.
void set_flags1(const tplace& p, const json& names, std::string_view list_name, uint8_t* first, int lo,
                int hi);

// Every key of the object must be one of the known fields (a misspelt field is an error).
void check_keys(const tplace& p, const json& obj, std::initializer_list<const char*> known);

// Writes text lines for a generated section (string or array of strings).
void add_section(tcompiler& c, const std::string& name, const json& lines);

} // namespace dravok::dbbuild
