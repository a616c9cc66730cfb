// The player's manual: the game's own texts (the new-character hints, the journal found on the
// first floor, the help screen's hints, the default key bindings, the races, abilities, skills and
// talents of the built database) written as one groff "ms" document, which the build turns into
// Dravok.pdf beside the program. Nothing in it is written twice: every text comes from the data
// or the tables the game itself shows.
// Usage: dravok_manual DATA-DIR OUT-FILE
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "records/layout_plans.h"
#include "rules/character_creation.h"
#include "ui/help_screen.h"
#include "ui/key_bindings.h"
#include "world/database.h"
#include "world/message_log.h"
#include "world/tables.h"
#include "world/text_database.h"
#include "world/text_expand.h"

namespace dravok {
namespace {

// Game text to groff input: colour codes, key-cap marks and the "\n" breaks of the text database
// go; backslashes are escaped, and a line never begins with a control character.
std::vector<std::string> troff_lines(std::string_view game_text) {
    const std::string plain = strip_colour_codes(game_text);
    std::string text;
    for (std::size_t at = 0; at < plain.size(); ++at) {
        const std::string_view rest = std::string_view(plain).substr(at);
        if (rest.starts_with("\\n")) {
            text += '\n';
            ++at;
        } else if (rest.starts_with("[[ ") || rest.starts_with(" ]]")) {
            at += 2;
        } else {
            text += plain[at];
        }
    }
    std::vector<std::string> lines;
    std::string line;
    auto finish = [&] {
        if (!line.empty() && (line[0] == '.' || line[0] == '\'')) line.insert(0, "\\&");
        lines.push_back(line);
        line.clear();
    };
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            finish();
        } else if (c == '\r') {
        } else if (c == '\\') {
            line += "\\e";
        } else if (byte >= 0x80 && byte < 0xA0) {
            line += '-'; // the few Windows-1252 signs Latin-1 lacks (dashes, quotes)
        } else {
            line += c;
        }
    }
    finish();
    return lines;
}

// Each line of a text is a paragraph of its own (the texts write blank lines between them, or
// not); blank lines only part them.
void paragraphs(std::ostream& out, std::string_view text) {
    for (const std::string& line : troff_lines(text))
        if (!line.empty()) out << ".PP\n" << line << '\n';
}

void heading(std::ostream& out, int depth, std::string_view title) {
    out << ".NH " << depth << '\n' << troff_lines(title)[0] << '\n';
}

// Every line of a section of the text database, as the book screens show it.
std::string block(std::string_view section) {
    std::string text;
    get_section_block(0, section, text);
    return text;
}

std::string capitalised(std::string_view s) {
    std::string out(s);
    capitalize_first(out);
    return out;
}

void write_getting_started(std::ostream& out) {
    heading(out, 1, "Getting started");
    paragraphs(out, block("new_character_info"));
    heading(out, 2, "The journal");
    paragraphs(out,
               "On the first floor of the dungeon lies the journal of an adventurer who went before you. "
               "This is what it says:");
    std::string expanded;
    expand_text(block("it_book_tutorial_lore"), 0, 0, expanded);
    paragraphs(out, expanded);
    heading(out, 2, "Moving and bumping");
    for (const auto& column : general_help_hints)
        for (const std::string& hint : column) {
            out << ".IP \\(bu 2\n";
            for (const std::string& line : troff_lines(hint))
                out << line << '\n';
        }
}

void write_keys(std::ostream& out) {
    heading(out, 1, "Keys");
    paragraphs(out, "These are the keys of a new installation. KEYBINDINGS in the main menu or the game menu "
                    "changes them; the help screen always shows the keys in use.");
    reset_keybindings();
    for (int g = 1; g <= command_group_count; ++g) {
        heading(out, 2, capitalised(command_groups[g]));
        out << ".LP\n.TS\ntab(\t);\nlw(3.3i) lw(2.1i).\n";
        for (int c = command_group_ranges[g][0]; c <= command_group_ranges[g][1]; ++c) {
            std::string keys;
            for (int b = 1; b <= 2; ++b) {
                const std::string one = binding_text(0, 0, c, false, false, b);
                if (one.empty()) continue;
                if (!keys.empty()) keys += " or ";
                keys += one;
            }
            for (char& ch : keys)
                if (ch == '_') ch = ' ';
            out << "T{\n"
                << troff_lines(command_descriptions[c])[0] << "\nT}\t"
                << (keys.empty() ? "(none)" : troff_lines(keys)[0]) << '\n';
        }
        out << ".TE\n";
    }
}

void write_character(std::ostream& out) {
    heading(out, 1, "Your character");
    heading(out, 2, "Races");
    paragraphs(out, block("race_info"));
    for (int p = 1; p < int(being_plans.size()); ++p) {
        if (!being_plans[p].identifier.view().starts_with("be_playable")) continue;
        out << ".SH 3\n" << troff_lines(capitalised(being_plans[p].name.view()))[0] << "\n.LP\n";
        for (const std::string& line : troff_lines(race_info_text(p)))
            if (!line.empty()) out << line << "\n.br\n";
    }
    heading(out, 2, "Abilities");
    paragraphs(out, block("abilities_info"));
    heading(out, 2, "Skills");
    paragraphs(out, block("skills_info"));
    heading(out, 2, "Talents");
    paragraphs(out, block("talents_info"));
    for (int t = 1; t < int(talents.size()); ++t) {
        const ttalent& talent = talents[t];
        // Creatures' own talents ("mt...") are not the player's to learn.
        if (talent.identifier.view().empty() || talent.identifier.view().starts_with("mt")) continue;
        out << ".SH 3\n" << troff_lines(capitalised(talent.name.view()))[0] << '\n';
        std::string facts;
        if (talent.min_level > 1) facts += "From level " + std::to_string(talent.min_level) + ". ";
        if (talent.stamina != 0) facts += "Stamina cost: " + std::to_string(talent.stamina) + ".";
        if (!facts.empty()) out << ".PP\n\\fI" << facts << "\\fP\n";
        paragraphs(out, block(std::string(talent.identifier.view()) + "_description"));
    }
}

} // namespace
} // namespace dravok

int main(int argc, char** argv) {
    using namespace dravok;
    if (argc != 3) {
        std::fprintf(stderr, "usage: dravok_manual DATA-DIR OUT-FILE\n");
        return 2;
    }
    if (!load_database_from(std::string(argv[1]) + "/Dravok.dbs")) {
        std::fprintf(stderr, "dravok_manual: cannot load %s/Dravok.dbs\n", argv[1]);
        return 1;
    }
    std::ostringstream out;
    out << ".ds CH\n.ds CF %\n.TL\nDRAVOK\n.AU\nThe player's manual\n";
    write_getting_started(out);
    write_keys(out);
    write_character(out);
    std::ofstream file(argv[2], std::ios::binary);
    file << out.str();
    return file.good() ? 0 : 1;
}
