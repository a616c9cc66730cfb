// tilebuild: writes the game's tile set "<Data>/<name>.dti" and ".dts".
// Usage: tilebuild --out DATA_DIR [--name Dravok] [--preview PNG] [--icons DIR]
//        (--database DBS --content DIR | --plans FILE | --counts BEINGS ITEMS TALENTS)
// The counts must match the game database. Icons are read from DIR, by default the content's
// art/icons; templates without a named icon get their family's default picture.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>

#include "builder.h"
#include "database_input.h"

int main(int argc, char** argv) {
    using namespace dravok::tilebuild;
    std::string out = ".", name = "Dravok", plans_file, preview, database, content, icon_folder;
    int beings = -1, items = -1, talents = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--out" && i + 1 < argc)
            out = argv[++i];
        else if (a == "--name" && i + 1 < argc)
            name = argv[++i];
        else if (a == "--counts" && i + 3 < argc) {
            beings = std::atoi(argv[++i]);
            items = std::atoi(argv[++i]);
            talents = std::atoi(argv[++i]);
        } else if (a == "--database" && i + 1 < argc) {
            database = argv[++i];
            beings = items = talents = 0;
        } else if (a == "--content" && i + 1 < argc) {
            content = argv[++i];
        } else if (a == "--icons" && i + 1 < argc) {
            icon_folder = argv[++i];
        } else if (a == "--preview" && i + 1 < argc) {
            preview = argv[++i];
        } else if (a == "--plans" && i + 1 < argc) {
            plans_file = argv[++i];
            beings = items = talents = 0;
        } else {
            std::fprintf(stderr, "tilebuild: unknown argument \"%s\"\n", a.c_str());
            return 2;
        }
    }
    if (beings < 0 || items < 0 || talents < 0) {
        std::fprintf(stderr, "usage: tilebuild --out DATA_DIR [--name NAME] --counts BEINGS ITEMS TALENTS\n");
        return 2;
    }
    tart_input input;
    auto plan = [](const std::string& id) {
        tplan_art p;
        p.id = id;
        return p;
    };
    for (int i = 1; i <= beings; ++i)
        input.beings.push_back(plan("be_" + std::to_string(i)));
    for (int i = 1; i <= items; ++i)
        input.items.push_back(plan("it_" + std::to_string(i)));
    for (int i = 1; i <= talents; ++i)
        input.talents.push_back(plan("ta_" + std::to_string(i)));
    if (!plans_file.empty()) {
        // One template a line: "being|item|talent ID [ICON|- [RRGGBB|- [W H]]]".
        std::ifstream f(plans_file);
        if (!f) {
            std::fprintf(stderr, "tilebuild: cannot read %s\n", plans_file.c_str());
            return 1;
        }
        input = {};
        std::string line;
        while (std::getline(f, line)) {
            std::istringstream in(line);
            std::string kind, icon, colour;
            tplan_art p;
            if (!(in >> kind >> p.id)) continue;
            if (in >> icon && icon != "-") p.icon = icon;
            if (in >> colour && colour != "-") p.colour = uint32_t(std::stoul(colour, nullptr, 16));
            in >> p.width >> p.height;
            if (kind == "being")
                input.beings.push_back(p);
            else if (kind == "item")
                input.items.push_back(p);
            else if (kind == "talent")
                input.talents.push_back(p);
        }
    }
    try {
        if (!database.empty()) read_database_input(database, content, input);
        input.icon_folder = !icon_folder.empty() ? icon_folder
                            : content.empty()    ? ""
                                                 : content + "/art/icons";
        build_tileset(input, out + "/" + name + ".dti", out + "/" + name + ".dts", preview);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tilebuild: %s\n", e.what());
        return 1;
    }
    return 0;
}
