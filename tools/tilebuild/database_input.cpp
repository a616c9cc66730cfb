// Reading the database and the content's image choices; see database_input.h.
#include "database_input.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "records/byte_stream.h"
#include "records/codec.h"
#include "records/layout_base.h"
#include "records/layout_being.h"
#include "records/layout_files.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "world/tables.h"

namespace dravok::tilebuild {
namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;

struct timage_choice {
    std::string icon;
    uint32_t colour = 0;
};

// Every template of one table folder, in the order the database builder reads them, with
// "like" copying the choice of an earlier template.
void read_choices(const fs::path& folder, const char* key, std::map<std::string, timage_choice>& out) {
    if (!fs::is_directory(folder)) return;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file() && e.path().extension() == ".json") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const auto& f : files) {
        json doc;
        try {
            std::ifstream in(f);
            doc = json::parse(in);
        } catch (const std::exception& e) {
            throw std::runtime_error(f.string() + ": not valid JSON: " + e.what());
        }
        const json& list = doc.is_array() ? doc : doc.value(key, json::array());
        for (const auto& t : list) {
            if (!t.is_object() || !t.contains("id") || !t["id"].is_string()) continue;
            timage_choice c;
            if (t.contains("like") && t["like"].is_string()) {
                auto it = out.find(t["like"].get<std::string>());
                if (it != out.end()) c = it->second;
            }
            if (t.contains("icon") && t["icon"].is_string()) c.icon = t["icon"].get<std::string>();
            if (t.contains("colour") && t["colour"].is_string()) {
                const std::string s = t["colour"].get<std::string>();
                if (s.size() == 7 && s[0] == '#') c.colour = uint32_t(std::stoul(s.substr(1), nullptr, 16));
            }
            out[t["id"].get<std::string>()] = c;
        }
    }
}

template <class T>
const T& record_at(const std::vector<uint8_t>& bytes, std::size_t at, const std::string& path) {
    if (at + sizeof(T) > bytes.size())
        throw std::runtime_error(path + ": the database is shorter than its tables");
    return *reinterpret_cast<const T*>(bytes.data() + at);
}

} // namespace

void read_database_input(const std::string& database_path, const std::string& content_dir,
                         tart_input& input) {
    std::ifstream f(database_path, std::ios::binary);
    if (!f) throw std::runtime_error(database_path + ": cannot read the database");
    std::vector<uint8_t> raw((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    tbyte_stream stream(std::move(raw));
    if (!decode_stream(stream) || stored_checksums != computed_checksums)
        throw std::runtime_error(database_path + ": the database is damaged");
    const std::vector<uint8_t>& bytes = stream.bytes();
    constexpr std::size_t file_header = 8;
    const auto header = record_at<tdatabase_header>(bytes, file_header, database_path);

    std::map<std::string, timage_choice> items, talents, creatures;
    const fs::path root(content_dir);
    read_choices(root / "items", "items", items);
    read_choices(root / "talents", "talents", talents);
    read_choices(root / "creatures", "creatures", creatures);
    // A template's art: its identifier with the icon and colour its content entry chose.
    auto art_of = [](const auto& record, const std::map<std::string, timage_choice>& choices) {
        tplan_art p;
        p.id = record.identifier.str();
        auto it = choices.find(p.id);
        const timage_choice c = it == choices.end() ? timage_choice{} : it->second;
        p.icon = c.icon;
        p.colour = c.colour;
        return p;
    };

    input = {};
    std::size_t at = file_header + sizeof(tdatabase_header);
    for (int i = 0; i < header.item_plan_count; ++i, at += sizeof(titem_plan))
        input.items.push_back(art_of(record_at<titem_plan>(bytes, at, database_path), items));
    for (int i = 0; i < header.talent_count; ++i, at += sizeof(ttalent))
        input.talents.push_back(art_of(record_at<ttalent>(bytes, at, database_path), talents));
    for (int i = 0; i < header.being_plan_count; ++i, at += sizeof(tbeing_plan)) {
        const auto& r = record_at<tbeing_plan>(bytes, at, database_path);
        tplan_art p = art_of(r, creatures);
        p.width = std::max<int>(1, r.width);
        p.height = std::max<int>(1, r.height);
        input.beings.push_back(p);
    }
}

} // namespace dravok::tilebuild
