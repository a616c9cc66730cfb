// The sections the game looks up by name: the help screen's keyboard, the floor symbols'
// overlay entries and the texts the game and its templates require.
#include "generation/floor_symbols.h"
#include "tables.h"
#include "world/tables.h"
#include "world/text_database.h"

namespace dravok::dbbuild {

// The help screen's keyboard: balanced elements, known key names, blocks set before use.
void check_keyboard_layout(tcompiler& c, const std::vector<std::string>& lines) {
    const std::set<std::string>& names = key_cap_names();
    std::string text;
    for (const auto& l : lines)
        text += l;
    std::vector<std::string> open;
    std::set<int> blocks;
    const std::string where = "text: section keyboard_layout";
    std::size_t p = 0;
    while ((p = text.find('<', p)) != std::string::npos) {
        std::size_t q = text.find('>', p);
        if (q == std::string::npos) {
            c.error(where, "an unclosed \"<\"");
            return;
        }
        std::string tag = text.substr(p + 1, q - p - 1);
        std::size_t next = text.find('<', q);
        std::string value = text.substr(q + 1, next == std::string::npos ? std::string::npos : next - q - 1);
        if (!tag.empty() && tag[0] == '/') {
            if (open.empty() || open.back() != tag.substr(1)) {
                c.error(where, "\"</" + tag.substr(1) + ">\" closes nothing open");
                return;
            }
            open.pop_back();
        } else {
            static const std::set<std::string> known = {
                "row", "key", "t", "w", "vk", "stretch", "block", "double_height", "extra_row_space"};
            if (!known.count(tag)) c.error(where, "unknown element <" + tag + ">");
            open.push_back(tag);
            if (tag == "vk" && !names.count(value)) c.error(where, "unknown key name \"" + value + "\"");
            if (tag == "block") {
                int b = std::atoi(value.c_str());
                if (b != 1 && b != 2) c.error(where, "block numbers are 1 or 2");
                blocks.insert(b);
            }
            if (tag == "stretch" && !blocks.count(std::atoi(value.c_str())))
                c.error(where, "stretch " + value + " names a block no earlier key set");
        }
        p = q + 1;
    }
    if (!open.empty()) c.error(where, "<" + open.back() + "> is never closed");
}

void check_floor_symbols(tcompiler& c, const std::vector<std::string>& overlay_names,
                         const std::vector<tlevel>& levels, const std::vector<tcontent>& contents) {
    constexpr int floor_symbol_kind = 8;
    auto check_rows = [&](const tstuff* rows, int count, const std::string& w) {
        for (int i = 0; i < count; ++i) {
            const tstuff& r = rows[i];
            if (r.kind != floor_symbol_kind) continue;
            const std::string row = "row " + std::to_string(i + 1);
            const int entry = r.object_id;
            int width = 0, height = 0;
            if (entry < 1 || entry > static_cast<int>(overlay_names.size()) ||
                !parse_floor_symbol_size(overlay_names[entry - 1], width, height))
                c.error(w, row + ": the floor symbol's entry has no name of the form ..._<W>x<H>_<NN> in "
                                 "_overlay_names");
            else if (entry + width * height - 1 > static_cast<int>(overlay_names.size()))
                c.error(w, row + ": the floor symbol needs " + std::to_string(width * height) + " entries");
        }
    };
    for (std::size_t l = 1; l < levels.size(); ++l)
        check_rows(levels[l].stuff, 100, c.levels[l - 1].file + ": " + c.levels[l - 1].id);
    for (std::size_t t = 1; t < contents.size(); ++t)
        check_rows(contents[t].stuff, 150, c.contents[t - 1].file + ": " + c.contents[t - 1].id);
}

void check_text_requirements(tcompiler& c, const std::set<std::string>& sections,
                             const std::vector<titem_plan>& items, const std::vector<tbeing_plan>& beings,
                             const std::vector<ttalent>& talents) {
    auto has = [&](const std::string& s) { return sections.count(s) > 0; };
    for (const char* s :
         {"tags", "keyboard_layout", "m_start", "m_end", "f_start", "m_middle", "f_end", "new_character_info",
          "race_info", "abilities_info", "reset_info", "reroll_info", "skills_info", "talents_info"})
        if (!has(s)) c.error("text", std::string("the required section \"") + s + "\" is missing");
    for (std::size_t b = 1; b < beings.size(); ++b) {
        const tbeing_plan& r = beings[b];
        const std::string& id = c.beings[b - 1].id;
        std::string w = c.beings[b - 1].file + ": " + id;
        if (r.type_flags[95])
            for (const char* s :
                 {"_chat_instructions", "_chat_essence_consumed", "_ascension_demigod", "_ascension_god"})
                if (!has(id + s)) c.error(w, "the Overgod needs the section " + id + s);
        if (r.type_flags[162])
            for (const char* s :
                 {"_shop_start", "_shop_end", "_shop_customer_bought", "_shop_shopkeeper_bought"})
                if (!has(id + s)) c.error(w, "a shopkeeper needs the section " + id + s);
        if (r.type_flags[65] && r.type_flags[156] && !has(id + "_follower_join"))
            c.error(w, "a golem needs the section " + id + "_follower_join");
        if (r.type_flags[172] && !has(id + "_follower_join"))
            c.warning(w, "a recruitable being should have " + id + "_follower_join");
        for (int t = 1; t <= 51; ++t)
            if (r.chatter_switch[t - 1] && r.type_flags[165] && !has(id + "_" + chatter_trigger_names[t]))
                c.warning(w, std::string("trigger ") + chatter_trigger_names[t] +
                                 " is enabled but has no section");
    }
    // Chatter sections of triggers a plan never says are never used.
    for (std::size_t b = 1; b < beings.size(); ++b) {
        const std::string& id = c.beings[b - 1].id;
        for (int t = 1; t <= 51; ++t)
            if (!beings[b].chatter_switch[t - 1] && has(id + "_" + chatter_trigger_names[t]))
                c.warning("text: section " + id + "_" + chatter_trigger_names[t],
                          "the trigger is not switched on for " + id + ": the lines are never said");
    }
    bool book = false;
    for (std::size_t i = 1; i < items.size(); ++i)
        if (items[i].flags[41] && has(c.items[i - 1].id + "_lore")) book = true;
    if (!book) c.error("text", "a book with a _lore section (the tutorial) is missing");
    (void)talents;
}

} // namespace dravok::dbbuild
