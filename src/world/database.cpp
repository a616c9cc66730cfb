#include "world/database.h"
#include "world/game_lists.h"
#include "world/tables.h"

#include "platform/files.h"
#include "platform/memory.h"
#include "records/codec.h"
#include "world/data_files.h"
#include "world/settings_record.h"
#include "world/text_database.h"

namespace dravok {

tdatabase_header database_header;

template <class T> static bool read_table(tbyte_stream& stream, uint16_t count, std::vector<T>& table) {
    // Some tables run to megabytes, all written here at start-up.
    table.clear();
    table.reserve(static_cast<std::size_t>(count) + 1);
    prepare_to_fill(table.data(), table.capacity() * sizeof(T));
    table.assign(static_cast<std::size_t>(count) + 1, T{});
    for (std::size_t i = 1; i <= count; ++i)
        if (!stream.read_record(table[i])) return false;
    return true;
}

static void clear_tables() {
    item_plans.assign(1, titem_plan{});
    talents.assign(1, ttalent{});
    being_plans.assign(1, tbeing_plan{});
    levels.assign(1, tlevel{});
    level_definitions.clear();
    portals.assign(1, tportal{});
    contents.assign(1, tcontent{});
    vaults.assign(1, tvault{});
    clear_text_database();
}

void build_chatter_sections() {
    std::vector<tchatter_source> plans(being_plans.size());
    for (std::size_t p = 1; p < being_plans.size(); ++p) {
        const tbeing_plan& b = being_plans[p];
        plans[p].identifier = b.identifier.str();
        plans[p].has_oneliners = b.type_flags[165] != 0;
        for (int t = 1; t <= chatter_trigger_count; ++t)
            plans[p].enabled[t] = b.chatter_switch_of(t) != 0;
    }
    build_chatter_sections(plans);
    last_chatter_time = 0; // the chatter silence timer starts afresh with the new sections
}

bool load_database_from(const std::string& path) {
    clear_tables();
    auto bytes = read_file(path);
    if (!bytes) {
        fatal_unreadable_file(path);
        return false;
    }
    tbyte_stream stream(std::move(*bytes));
    decode_in_prepared_room(stream);
    if (!checksums_match(path)) return false; // it has shown the corrupt-file message

    auto corrupt = [&] {
        clear_tables();
        fatal_corrupt_data_file(path);
        return false;
    };
    if (!check_file_header(stream, game_release, sizeof(tdatabase_header))) return corrupt();
    if (!stream.read_record(database_header)) return corrupt();
    if (!check_size_signature(database_header.size_signature)) return corrupt();

    const tdatabase_header& h = database_header;
    // Every table must fit in what is left before anything is allocated.
    uint64_t need = uint64_t(h.item_plan_count) * sizeof(titem_plan) +
                    uint64_t(h.talent_count) * sizeof(ttalent) +
                    uint64_t(h.being_plan_count) * sizeof(tbeing_plan) +
                    uint64_t(h.level_count) * sizeof(tlevel) + uint64_t(h.portal_count) * sizeof(tportal) +
                    uint64_t(h.content_count) * sizeof(tcontent) + uint64_t(h.vault_count) * sizeof(tvault);
    if (need > stream.remaining()) return corrupt();
    if (!read_table(stream, h.item_plan_count, item_plans) || !read_table(stream, h.talent_count, talents) ||
        !read_table(stream, h.being_plan_count, being_plans) || !read_table(stream, h.level_count, levels) ||
        !read_table(stream, h.portal_count, portals) || !read_table(stream, h.content_count, contents) ||
        !read_table(stream, h.vault_count, vaults))
        return corrupt();
    level_definitions = levels;

    std::string_view rest(reinterpret_cast<const char*>(stream.data()) + stream.position(),
                          stream.remaining());
    text_database = split_text_lines(rest);
    if (!build_text_sections(h.text_section_count)) return corrupt();
    build_shuffle_bags();
    build_chatter_sections();

    settings.coin_plan = 0;
    for (std::size_t i = 1; i < item_plans.size(); ++i)
        if (item_plans[i].identifier == "it_coin") {
            settings.coin_plan = static_cast<int32_t>(i);
            break;
        }
    return true;
}

std::string database_file_path() {
    return program_folder() + "Data/" + database_name + ".dbs";
}

bool load_database() {
    return load_database_from(database_file_path());
}

} // namespace dravok
