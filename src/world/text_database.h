// The text database: the text lines at the tail of the game database, grouped into named
// sections, with shuffle bags that draw entries without repeats, joined blocks, section
// references in names, and the per-plan table of chatter sections.
// Filled by load_database; read by every unit that shows a text from the database.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/layout_base.h"
#include "world/text_read.h"

namespace dravok {

// One section: its first entry line in text_database, entry count, entries left in its bag
// and where its bag starts in section_bags.
struct ttext_section {
    int32_t first_line = 0;
    int32_t count = 0;
    int32_t left = 0;
    int32_t bag_offset = 0;
};

extern std::vector<std::string> text_database;
extern std::vector<std::string> section_names;
extern std::vector<ttext_section> text_sections;
extern std::vector<uint16_t> section_bags;
extern std::vector<std::string> text_tags;
// Per being plan 0..count, per chatter trigger 0..58: the section number, 0 for none.
extern std::vector<std::array<int32_t, chatter_trigger_count + 1>> chatter_sections;

// The chatter trigger names 1..58 (index 0 is empty).
extern const std::array<const char*, chatter_trigger_count + 1> chatter_trigger_names;

// Splits a payload of text into lines at CR, LF or CR LF.
std::vector<std::string> split_text_lines(std::string_view text);

// Builds section_names, text_sections and text_tags from text_database. False when the lines
// do not form an index the game can use: a line before the first section line, or more
// section lines than the declared section count. The section lines are removed.
bool build_text_sections(int declared_section_count);
void build_shuffle_bags();
// What the chatter table needs of one being plan.
struct tchatter_source {
    std::string identifier;
    bool has_oneliners = false;
    std::array<bool, chatter_trigger_count + 1> enabled{}; // by trigger 1..58
};
// Fills chatter_sections for plans 0..n-1 (entry 0 unused) from their identifiers, the flag
// has_oneliners and their chatter switches.
void build_chatter_sections(const std::vector<tchatter_source>& plans);

int find_text_section(std::string_view name);
// -1 when the section does not exist or is empty, 0 when its bag is empty, else an entry.
int draw_from_section(int section, std::string_view name = {});
// The text of one entry; entry -1 draws one. Empty when the section or line does not exist.
void get_section_text(int section, std::string_view name, int entry, std::string& out);
std::string section_text(std::string_view name, int entry = -1);
// All entries of a section joined with the two characters "\n".
void get_section_block(int section, std::string_view name, std::string& out);
// Replaces %section% and %section|NN% references by drawn entries; capitalises the result.
void expand_section_references(std::string_view text, std::string& out);

// Case-insensitive name comparison used for section look-ups.
bool same_name_ignoring_case(std::string_view a, std::string_view b);
void capitalize_first(std::string& s);

// Clears every structure of the text database.
void clear_text_database();

} // namespace dravok
