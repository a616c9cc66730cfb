// The compile as a whole: read the sources, fill the tables, check the rules that span tables,
// assemble the text database and the payload.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <utility>

#include "compiler.h"
#include "effects.h"
#include "records/codec.h"
#include "tables.h"
#include "world/tables.h"
#include "world/text_database.h"
#include "world/text_expand.h"

namespace dravok::dbbuild {

namespace fs = std::filesystem;

static std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

static std::vector<fs::path> files_in(const fs::path& dir, const std::string& ext) {
    std::vector<fs::path> out;
    if (!fs::is_directory(dir)) return out;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file() && e.path().extension() == ext) out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
}

// Reads every entry of a table from its files; "like" copies an earlier entry of the table.
static void read_table(tcompiler& c, const fs::path& root, std::vector<fs::path> files, const char* key,
                       const char* id_key, std::vector<tsource>& out, std::map<std::string, int>& index) {
    for (const auto& f : files) {
        std::string rel = fs::relative(f, root).generic_string();
        json doc;
        try {
            doc = json::parse(read_file(f));
        } catch (const std::exception& e) {
            c.error(rel, std::string("not valid JSON: ") + e.what());
            continue;
        }
        if (doc.is_object() && doc.contains("generator_defaults"))
            c.generator_defaults = doc["generator_defaults"];
        const json& list = doc.is_array() ? doc : doc.value(key, json::array());
        if (!list.is_array()) {
            c.error(rel, std::string("expected a list under \"") + key + "\"");
            continue;
        }
        for (const auto& e : list) {
            tsource s{rel, "", e};
            if (!e.is_object() || !e.contains(id_key) || !e[id_key].is_string()) {
                c.error(rel, std::string("an entry without \"") + id_key + "\"");
                continue;
            }
            s.id = e[id_key].get<std::string>();
            if (e.contains("like")) {
                std::string base = e["like"].is_string() ? e["like"].get<std::string>() : std::string();
                auto it = index.find(base);
                if (it == index.end()) {
                    c.error(rel + ": " + s.id + ": like",
                            "unknown template \"" + base + "\" (it must come earlier)");
                } else {
                    json merged = out[it->second - 1].data;
                    for (auto kv = e.begin(); kv != e.end(); ++kv)
                        merged[kv.key()] = kv.value();
                    merged.erase("like");
                    s.data = merged;
                }
            }
            if (std::string(key) != "levels" && std::string(key) != "portals" &&
                s.id.find(' ') != std::string::npos)
                c.error(rel + ": " + s.id, "identifiers contain no blanks");
            if (index.count(s.id)) {
                c.error(rel + ": " + s.id, "the identifier is used twice");
                continue;
            }
            out.push_back(std::move(s));
            index[out.back().id] = static_cast<int>(out.size());
        }
    }
}

// The text files: "@name" opens a section, every other line is an entry.
struct ttext_file_section {
    std::string name, file;
    std::vector<std::string> lines;
};

static void read_text(tcompiler& c, const fs::path& root, std::vector<ttext_file_section>& out) {
    for (const auto& f : files_in(root / "text", ".txt")) {
        std::string rel = fs::relative(f, root).generic_string();
        std::vector<std::string> lines = split_text_lines(read_file(f));
        // A final empty line is the file's own line end, not an entry.
        while (!lines.empty() && lines.back().empty())
            lines.pop_back();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& l = lines[i];
            std::string_view trimmed = trim_text(l);
            if (!trimmed.empty() && trimmed[0] == '@') {
                out.push_back({std::string(trim_text(trimmed.substr(1))), rel, {}});
            } else if (l.starts_with("##")) {
                continue; // "##" lines are comments of the text files
            } else if (out.empty() || out.back().file != rel) {
                c.error(rel + ": line " + std::to_string(i + 1),
                        "an entry before the first section line of the file");
            } else {
                out.back().lines.push_back(l);
            }
        }
    }
}

static bool is_block_section(const std::string& name) {
    return name.ends_with("_lore") || name.ends_with("_info") || name.ends_with("_description") ||
           name == "keyboard_layout";
}

// Checks the entries of a section: placeholders, reserved characters, colour codes.
static void check_entries(tcompiler& c, const std::string& where, const std::string& name,
                          const std::vector<std::string>& lines, const std::set<std::string>& section_set) {
    static const std::set<std::string> keys = {
        "self",      "self_race",  "self_him", "target",      "actor",     "master",     "he",
        "him",       "his",        "himself",  "sir",         "bastard",   "HE",         "HIS",
        "race",      "RACE",       "a_race",   "A_RACE",      "boy",       "brother",    "father",
        "milord",    "mister",     "handsome", "source_race", "source_he", "source_him", "source_his",
        "SOURCE_HE", "SOURCE_HIS", "deities",  "owner"};
    bool drawn = !is_block_section(name) && name != "tags";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        std::string w = where + ": section " + name + ", entry " + std::to_string(i + 1);
        if (drawn && l.empty() && name != "_placeholder")
            c.error(w, "an empty entry in a section of drawn entries");
        if (l.find('{') != std::string::npos || l.find('}') != std::string::npos)
            c.error(w, "\"{\" and \"}\" are reserved for the log");
        for (std::size_t k = 0; k < l.size(); ++k)
            if (l[k] == '$' &&
                (k + 1 >= l.size() || std::string("BFSENDwd").find(l[k + 1]) == std::string::npos))
                c.error(w, "\"$\" must be followed by a colour code letter (B F S E N D w d)");
        for (std::size_t k = l.find("[[ "); k != std::string::npos; k = l.find("[[ ", k + 3)) {
            std::size_t e = l.find(" ]]", k + 3);
            if (e == std::string::npos) {
                c.error(w, "a key cap \"[[ \" without \" ]]\"");
                break;
            }
            const std::set<std::string>& key_names = key_cap_names();
            std::string key = l.substr(k + 3, e - k - 3);
            std::replace(key.begin(), key.end(), ' ', '_');
            if (!key_names.count(key))
                c.error(w, "unknown key name in the key cap \"" + l.substr(k, e + 3 - k) + "\"");
        }
        std::size_t count = std::count(l.begin(), l.end(), '%');
        if (count % 2) {
            c.error(w, "an odd number of \"%\" (a single \"%\" ends the expansion)");
            continue;
        }
        for (std::size_t p = l.find('%'); p != std::string::npos;) {
            std::size_t q = l.find('%', p + 1);
            std::string key = l.substr(p + 1, q - p - 1);
            std::string base = key.substr(0, key.find_first_of("|:"));
            bool ok = keys.count(key) || find_command_name(key) || section_set.count(base);
            if (!ok) c.error(w, "unknown placeholder \"%" + key + "%\"");
            if (base == name) c.error(w, "a section that refers to itself never ends");
            p = l.find('%', q + 1);
        }
    }
}

namespace {

// Text first: the tags name every group.
std::vector<ttext_file_section> read_text_and_tags(tcompiler& c, const fs::path& root) {
    std::vector<ttext_file_section> text;
    read_text(c, root, text);
    if (text.empty() || text.front().name != "_placeholder" || !text.front().lines.empty())
        c.error("text", "the first section must be \"_placeholder\" with no entries");
    for (const auto& s : text)
        if (s.name == "tags") {
            for (const auto& t : s.lines) {
                if (c.tag_index.count(t)) c.error(s.file + ": tags", "tag \"" + t + "\" is listed twice");
                c.tags.push_back(t);
                c.tag_index[t] = static_cast<int>(c.tags.size());
            }
        }
    for (const char* required :
         {"lo_silver_spoon", "re_02", "re_04", "re_05_06", "re_07_08", "re_09_10", "re_gods"})
        if (!c.tag_index.count(required))
            c.error("text: tags", std::string("the required tag \"") + required + "\" is missing");
    return text;
}

// Reads the templates of every table folder, in the order references need them.
void read_tables(tcompiler& c, const fs::path& root) {
    read_table(c, root, files_in(root / "items", ".json"), "items", "id", c.items, c.item_index);
    read_table(c, root, files_in(root / "talents", ".json"), "talents", "id", c.talents, c.talent_index);
    read_table(c, root, files_in(root / "creatures", ".json"), "creatures", "id", c.beings, c.being_index);
    read_table(c, root, files_in(root / "vaults", ".json"), "vaults", "id", c.vaults, c.vault_index);
    read_table(c, root, files_in(root / "contents", ".json"), "contents", "name", c.contents,
               c.content_index);
    read_table(c, root, files_in(root / "levels", ".json"), "levels", "name", c.levels, c.level_index_unused);
    read_table(c, root, files_in(root / "portals", ".json"), "portals", "name", c.portals, c.portal_index);
}

// The game's records of every table, entry 0 unused, and the spawn group of the gods.
struct ttables {
    std::vector<titem_plan> items;
    std::vector<ttalent> talents;
    std::vector<tbeing_plan> beings;
    std::vector<tlevel> levels;
    std::vector<tportal> portals;
    std::vector<tcontent> contents;
    std::vector<tvault> vaults;
    int god_group = 0;
};

// Fills the records from the templates, then checks the rules that span tables.
void fill_tables(tcompiler& c, ttables& t) {
    fill_item_plans(c, t.items);
    fill_talents(c, t.talents);
    fill_being_plans(c, t.beings, t.god_group);
    fill_vaults(c, t.vaults);
    fill_contents(c, t.contents);
    fill_levels(c, t.levels);
    fill_portals(c, t.portals);
    check_world(c, t.items, t.talents, t.beings, t.levels, t.portals, t.contents, t.vaults, t.god_group);
}

// The text database's sections, each with the file it came from.
struct tsections {
    std::vector<std::pair<std::string, std::vector<std::string>>> all;
    std::vector<std::string> where;
};

// The text files' sections, then the generated ones.
tsections gather_sections(const tcompiler& c, const std::vector<ttext_file_section>& text) {
    tsections sections;
    for (auto& s : text) {
        sections.all.emplace_back(s.name, s.lines);
        sections.where.push_back(s.file);
    }
    for (auto& g : c.generated_sections) {
        sections.all.push_back(g);
        sections.where.push_back("generated from templates");
    }
    return sections;
}

// Section names are unique in any case, entries are well formed and the game's sections exist.
void check_sections(tcompiler& c, const tsections& sections, const ttables& t) {
    const auto& all = sections.all;
    const auto& where = sections.where;
    std::map<std::string, std::string> seen; // lower-case name -> where
    std::set<std::string> section_set;
    for (std::size_t i = 0; i < all.size(); ++i) {
        std::string low = all[i].first;
        for (char& ch : low)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (seen.count(low))
            c.error(where[i] + ": section " + all[i].first,
                    "the section name is used twice (" + seen[low] + ")");
        seen[low] = where[i];
        section_set.insert(all[i].first);
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (const auto& l : all[i].second)
            if (!l.empty() && trim_text(l).starts_with("@"))
                c.error(where[i] + ": section " + all[i].first, "an entry may not begin with \"@\"");
        check_entries(c, where[i], all[i].first, all[i].second, section_set);
    }
    check_text_requirements(c, section_set, t.items, t.beings, t.talents);
    {
        std::vector<std::string> overlay_names;
        for (const auto& s : all)
            if (s.first == "_overlay_names") overlay_names = s.second;
        check_floor_symbols(c, overlay_names, t.levels, t.contents);
    }
    for (const auto& s : all)
        if (s.first == "keyboard_layout") check_keyboard_layout(c, s.second);
}

// The payload: file header, database header, tables, text.
std::string write_payload(const ttables& t, const tsections& sections) {
    const auto& all = sections.all;
    tbyte_stream out;
    write_file_header(out, game_release, sizeof(tdatabase_header));
    tdatabase_header header{};
    fill_size_signature(header.size_signature);
    header.item_plan_count = static_cast<uint16_t>(t.items.size() - 1);
    header.talent_count = static_cast<uint16_t>(t.talents.size() - 1);
    header.being_plan_count = static_cast<uint16_t>(t.beings.size() - 1);
    header.level_count = static_cast<uint16_t>(t.levels.size() - 1);
    header.portal_count = static_cast<uint16_t>(t.portals.size() - 1);
    header.content_count = static_cast<uint16_t>(t.contents.size() - 1);
    header.vault_count = static_cast<uint16_t>(t.vaults.size() - 1);
    header.text_section_count = static_cast<uint16_t>(all.size());
    header.god_spawn_group = static_cast<uint16_t>(t.god_group);
    out.write_record(header);
    for (std::size_t i = 1; i < t.items.size(); ++i)
        out.write_record(t.items[i]);
    for (std::size_t i = 1; i < t.talents.size(); ++i)
        out.write_record(t.talents[i]);
    for (std::size_t i = 1; i < t.beings.size(); ++i)
        out.write_record(t.beings[i]);
    for (std::size_t i = 1; i < t.levels.size(); ++i)
        out.write_record(t.levels[i]);
    for (std::size_t i = 1; i < t.portals.size(); ++i)
        out.write_record(t.portals[i]);
    for (std::size_t i = 1; i < t.contents.size(); ++i)
        out.write_record(t.contents[i]);
    for (std::size_t i = 1; i < t.vaults.size(); ++i)
        out.write_record(t.vaults[i]);
    std::string lines;
    for (const auto& s : all) {
        lines += "@" + s.first + "\r\n";
        for (const auto& l : s.second)
            lines += l + "\r\n";
    }
    out.write_text(lines);
    return std::string(reinterpret_cast<const char*>(out.data()), out.size());
}

} // namespace

tbuild_result compile_content(const std::string& content_dir) {
    tcompiler c;
    tbuild_result result;
    fs::path root(content_dir);
    if (!fs::is_directory(root)) {
        result.errors.push_back(content_dir + ": the content folder does not exist");
        return result;
    }

    const std::vector<ttext_file_section> text = read_text_and_tags(c, root);
    read_tables(c, root);
    ttables tables;
    fill_tables(c, tables);

    // The text database: the text files, then the generated sections.
    const tsections sections = gather_sections(c, text);
    check_sections(c, sections, tables);

    result.errors = c.errors;
    result.warnings = c.warnings;
    if (!c.errors.empty()) return result;

    result.payload = write_payload(tables, sections);
    for (const auto& [places, table] :
         {std::pair{&result.level_places, &c.levels}, std::pair{&result.content_places, &c.contents},
          std::pair{&result.portal_places, &c.portals}})
        for (const tsource& s : *table)
            places->push_back(s.file + ": " + s.id);
    result.sections = static_cast<int>(sections.all.size());
    return result;
}

} // namespace dravok::dbbuild
